#pragma once
// Lookups whose rows are computed on demand: the standard drawing colours, the application's
// actions, and a chosen subset of another lookup's rows. A row obtained from a computed
// lookup is one scratch item, valid until the next GetItem on the same lookup.
#include <QAction>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "lookup/LookUpCtrls.h"
#include "tools/Colors.h"

namespace tavo::lookup {

using tools::TColor;

// The application-wide image list the lookups take their own pictures from: image 94 for
// the "By layer" row, 96 for the add/edit row. Not owned; none until an application sets one.
TImageList* StockGlyphs();
void SetStockGlyphs(TImageList* List);

// A row whose glyph is lent (the shared glyph bitmap or an image routine's), never copied
// nor owned.
class TScratchLookUpItem : public TLookUpItem {
public:
    void SetGlyph(const QImage* Source) override;
    const QImage* GetGlyph() const override;

private:
    const QImage* FLent = nullptr;
};

// A lookup that fills one scratch row for every GetItem.
class TCustomLookUp2 : public TCustomLookUp {
    Q_OBJECT
public:
    explicit TCustomLookUp2(QObject* Owner = nullptr);
    ~TCustomLookUp2() override;

    std::string ClassName() const override { return "TCustomLookUp2"; }

protected:
    TScratchLookUpItem& ScratchItem() { return *FScratchItem; }

private:
    std::unique_ptr<TScratchLookUpItem> FScratchItem;
};

class TCustomGDILookUp : public TCustomLookUp2 {
    Q_OBJECT
public:
    explicit TCustomGDILookUp(QObject* Owner = nullptr);

    // The list starts with a "By layer" row (the value -1).
    bool AddByLayer() const { return FAddByLayer; }
    void SetAddByLayer(bool Value);

private:
    bool FAddByLayer = false;
};

enum TColorLookGlyphShape : int32_t { lgs_Square, lgs_Line };

// The 16 standard colours (0x00BBGGRR) in the order of the colour lookup.
extern const std::array<TColor, 16> StandardColors;

// The 16 standard colours, optionally after a "By layer" row and before a row for any other
// colour (CustomColor). Picking that row in a list asks OnEditItems for a colour.
class TColorLookUp : public TCustomGDILookUp {
    Q_OBJECT
public:
    explicit TColorLookUp(QObject* Owner = nullptr);

    std::string ClassName() const override { return "TColorLookUp"; }

    bool RGBColors() const { return FRGBColors; }
    void SetRGBColors(bool Value) { FRGBColors = Value; }
    // Changes only through IndexOfId.
    TColor CustomColor() const { return FCustomColor; }
    TColorLookGlyphShape GlyphShape() const { return FGlyphShape; }
    void SetGlyphShape(TColorLookGlyphShape Value);

    int32_t Count() const override;
    // Index must lie in 0..Count-1. The glyph is a swatch in the shared glyph bitmap.
    TCustomLookUpItem* GetItem(int32_t Index) override;
    // The row of a colour value; a colour outside the table becomes CustomColor and gets the
    // last row.
    int32_t IndexOfId(int32_t Id) override;

    // A 16 x 16 swatch of Color in the shared glyph bitmap, on the transparent colour.
    static QImage* DrawSwatch(TColor Color, TColorLookGlyphShape Shape);

private:
    bool FRGBColors = false;
    TColor FCustomColor = 0;
    TColorLookGlyphShape FGlyphShape = lgs_Square;
};

class TActionsLookUp;

// An action's update: what the framework's action does when asked for its current state.
// Qt's actions keep their state themselves; an application that computes it on demand
// gives the action an update here (it lives as long as the action).
void SetActionUpdate(QAction* Action, std::function<void(QAction&)> Update);
// Runs the action's update, if it has one.
void UpdateAction(QAction& Action);

// One row of an action lookup. Its owner is the form; the lookup it joins destroys it when
// the lookup goes.
class TActionContainer : public QObject, public tools::TFormComponent {
    Q_OBJECT
public:
    explicit TActionContainer(QObject* Owner = nullptr);
    ~TActionContainer() override;

    QAction* Action() const { return FAction; }
    // Cleared by itself when the action is destroyed.
    void SetAction(QAction* Value);
    TActionsLookUp* ActionsLookUp() const { return FActionsLookUp; }
    // Leaves the current lookup and joins Value (appended to its containers).
    void SetActionsLookUp(TActionsLookUp* Value);
    bool CachedEnabled() const { return FCachedEnabled; }
    void SetCachedEnabled(bool Value) { FCachedEnabled = Value; }

    std::string ClassName() const override { return "TActionContainer"; }
    std::string FormName() const override;
    bool ReadProperty(std::string_view Name, tools::TReader& Reader) override;
    void WriteProperties(tools::TWriter& Writer) override;

private:
    QPointer<QAction> FAction;
    QPointer<TActionsLookUp> FActionsLookUp;
    bool FCachedEnabled = false;
};

// The application's actions as rows: caption, hint, icon and the enabled-and-visible state
// of each container's action.
class TActionsLookUp : public TCustomLookUp2 {
    Q_OBJECT
public:
    explicit TActionsLookUp(QObject* Owner = nullptr);
    ~TActionsLookUp() override;

    std::string ClassName() const override { return "TActionsLookUp"; }

    const std::vector<TActionContainer*>& Containers() const { return FContainers; }
    // Raises EListError outside 0..Count-1.
    TActionContainer& Container(int32_t Index) const;

    int32_t Count() const override { return static_cast<int32_t>(FContainers.size()); }
    // Asks the action to update itself; the row's state is also kept as CachedEnabled.
    TCustomLookUpItem* GetItem(int32_t Index) override;
    // Destroys every container, last first.
    void Clear() override;

    // The containers owned by the lookup's own owner are stored as its children.
    std::vector<tools::TFormComponent*> FormChildren() const override;
    void ReadingChild(tools::TFormComponent& Child) override;

private:
    friend class TActionContainer;
    void AddContainer(TActionContainer* Container);
    void RemoveContainer(TActionContainer* Container);

    std::vector<TActionContainer*> FContainers;
};

// A set of the integers 0..255, stored as 32 bytes: member n is bit n mod 8 of byte n div 8.
class TSubSet {
public:
    TSubSet() = default;
    TSubSet(std::initializer_list<int32_t> Members);

    bool Contains(int32_t Member) const;
    // Members outside 0..255 are ignored.
    void Include(int32_t Member);
    void Exclude(int32_t Member);
    int32_t Count() const;
    bool IsEmpty() const { return Count() == 0; }
    // The members in increasing order.
    std::vector<int32_t> Members() const;
    const std::array<uint8_t, 32>& Bytes() const { return FBytes; }
    std::array<uint8_t, 32>& Bytes() { return FBytes; }
    bool operator==(const TSubSet&) const = default;

private:
    std::array<uint8_t, 32> FBytes{};
};

class TSubLookUp;

// The stored set of a sub-lookup, kept in a form as the binary property "SubSet" (32 bytes,
// written also when empty).
class TSubSetItems : public tools::TPersistent {
public:
    explicit TSubSetItems(TSubLookUp* SubLookUp = nullptr) : FSubLookUp(SubLookUp) {}

    std::string ClassName() const override { return "TSubSetItems"; }
    TSubLookUp* SubLookUp() const { return FSubLookUp; }
    TSubSet SubSet;

    void Assign(const tools::TPersistent& Source) override;
    void DefineProperties(tools::TFiler& Filer) override;

private:
    TSubLookUp* FSubLookUp;
};

enum TSubSetType : int32_t { ss_IdSubset, ss_OrdSubset };

// The rows of another lookup whose Ids (ss_IdSubset) or positions (ss_OrdSubset) are in a
// set. Members the base lookup no longer has are pruned whenever its rows change.
class TSubLookUp : public TCustomLookUp, public TLookUpLink {
    Q_OBJECT
public:
    explicit TSubLookUp(QObject* Owner = nullptr);
    ~TSubLookUp() override;

    std::string ClassName() const override { return "TSubLookUp"; }

    TCustomLookUp* LookUp() const { return FLookUp; }
    // None instead of the sub-lookup itself, or of a lookup that shows this one's rows
    // (directly or through other sub-lookups): rows that refresh each other never settle.
    void SetLookUp(TCustomLookUp* Value);
    TSubSetType SubSetType() const { return FSubSetType; }
    void SetSubSetType(TSubSetType Value);
    TSubSetItems& ItemsSubSet() { return *FItemsSubSet; }
    // Copies the set of Value.
    void SetItemsSubSet(const TSubSetItems& Value) { SetSubSet(Value.SubSet); }
    TSubSet GetSubSet() const { return FItemsSubSet->SubSet; }
    // A different set is stored and pruned.
    void SetSubSet(const TSubSet& Value);

    int32_t Count() const override;
    // The base lookup's row for the member at Index, or none.
    TCustomLookUpItem* GetItem(int32_t Index) override;
    void Clear() override;
    // Prunes the set and refreshes the links; fires no event.
    void UpdateItems() override;

    void LookUpChanged(TCustomLookUp& Sender) override;
    void LookUpDestroying(TCustomLookUp& Sender) override;

    // While a form is read, the set is kept whole: the base lookup's rows may still be on
    // their way. Loaded prunes it once the whole form is there.
    bool ReadProperty(std::string_view Name, tools::TReader& Reader) override;
    void WriteProperties(tools::TWriter& Writer) override;
    tools::TPersistent* PropertyObject(std::string_view Name) override;
    void Loaded() override;

private:
    bool FLoading = false;
    QPointer<TCustomLookUp> FLookUp;
    TSubSetType FSubSetType = ss_IdSubset;
    std::unique_ptr<TSubSetItems> FItemsSubSet;
};

const char* SubSetTypeName(TSubSetType Value);

}  // namespace tavo::lookup

#include "lookup/LookUpList.h"
