#pragma once
// Lookup components: tables that tie an integer Id and a string IdStr to what the user sees
// (caption, hint, glyph, enabled), find rows by key or caption, and measure and draw them.
// Controls that show a lookup's rows (list, combo box, list box, sub-lookup) link themselves
// to it and are told when the rows change (TLookUpLink); the list and the boxes read the
// rows through one row source (LookUpRows.h).
#include <QImage>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lookup/LookUpRows.h"
#include "tools/DrawingHelpers.h"
#include "tools/FormStream.h"
#include "tools/ImageList.h"
#include "tools/NullValues.h"

class QPainter;
class QWidget;

namespace tavo::lookup {

using tools::NullInt;
using tools::TAlignment;
using tools::TImageList;
using tools::TOwnerDrawState;
using tools::TRect;

enum TDisplayStyle : int32_t {
    dsCaption,
    dsGlyph,
    dsCaptionGlyph,
    dsIdStr,
    dsIdStrGlyph,
    dsId,
    dsIdGlyph
};
enum TLookUpDrawStyle : int32_t { ldsStandard, ldsLookUpDraw };
enum TReturnStr : int32_t { rsCaption, rsHint, rsId, rsIdStr };

using TUpdateEvent = std::function<void(QObject* Sender)>;
using TLookUpMeasureItemEvent =
    std::function<void(QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle,
                       int32_t Index, int32_t& Width, int32_t& Height, int32_t& GlyphsWidth)>;
using TLookUpDrawItemEvent = std::function<void(
    QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle, int32_t Index, int32_t Margin,
    const TRect& Rect, TAlignment Alignment, TOwnerDrawState State)>;
using TSetTextEvent = std::function<void(QObject* Sender, const std::string& NewText)>;
using TEditItemsEvent = std::function<void(QObject* Sender, const TSetTextEvent& OnSetText)>;

class TCustomLookUp;

// One row of a lookup. The base answers with the defaults of an empty row and ignores
// every setter; TLookUpItem stores the values.
class TCustomLookUpItem : public tools::TPersistent {
public:
    std::string ClassName() const override { return "TCustomLookUpItem"; }

    // The lookup that owns the item; none until the item is added to an owned list.
    TCustomLookUp* LookUp() const { return FLookUp; }
    void SetLookUp(TCustomLookUp* Value) { FLookUp = Value; }

    virtual void SetGlyph(const QImage* Source);
    virtual void SetCaption(const std::string& Value);
    virtual void SetHint(const std::string& Value);
    virtual void SetId(int32_t Value);
    virtual void SetIdStr(const std::string& Value);
    virtual void SetEnabled(bool Value);
    virtual void SetImageIndex(int32_t Value);
    virtual int32_t GetImageIndex() const;
    virtual std::string GetCaption() const;
    virtual std::string GetHint() const;
    virtual int32_t GetId() const;
    virtual std::string GetIdStr() const;
    // Valid until the item changes (own glyph) or the shared glyph bitmap is refilled.
    virtual const QImage* GetGlyph() const;
    virtual bool GetEnabled() const;

    // As the setters, but a change refreshes the owning lookup's linked controls.
    void ChangeEnabled(bool Value);
    void ChangeImageIndex(int32_t Value);

private:
    TCustomLookUp* FLookUp = nullptr;
};

class TLookUpItem : public TCustomLookUpItem {
public:
    std::string ClassName() const override { return "TLookUpItem"; }

    // A copy of Source becomes the own glyph and ImageIndex -1; none drops the own glyph.
    void SetGlyph(const QImage* Source) override;
    void SetCaption(const std::string& Value) override { FCaption = Value; }
    // A hint equal to the caption is stored empty.
    void SetHint(const std::string& Value) override;
    void SetId(int32_t Value) override { FId = Value; }
    void SetIdStr(const std::string& Value) override { FIdStr = Value; }
    void SetEnabled(bool Value) override { FEnabled = Value; }
    // Drops the own glyph.
    void SetImageIndex(int32_t Value) override;
    int32_t GetImageIndex() const override { return FImageIndex; }
    std::string GetCaption() const override { return FCaption; }
    // The caption when the stored hint is empty.
    std::string GetHint() const override;
    int32_t GetId() const override { return FId; }
    std::string GetIdStr() const override { return FIdStr; }
    // The own glyph, else image ImageIndex of the owning lookup's image list (in the shared
    // glyph bitmap), else none.
    const QImage* GetGlyph() const override;
    bool GetEnabled() const override { return FEnabled; }

    // The hint as stored (empty when it equals the caption).
    const std::string& StoredHint() const { return FHint; }
    const QImage* OwnGlyph() const { return FGlyph.get(); }

private:
    friend class TLookUpItems;  // reads and writes the fields directly

    std::string FCaption;
    std::string FHint;
    std::unique_ptr<QImage> FGlyph;
    int32_t FImageIndex = -1;
    bool FEnabled = true;
    int32_t FId = NullInt;
    std::string FIdStr;
};

// The ordered rows of a stored lookup; owns them. Kept in a form as the defined property
// "Items": one list value, per row caption, stored hint, IdStr, Id, Enabled, ImageIndex, a
// Boolean for an own glyph and then that glyph's stored data.
class TLookUpItems : public tools::TPersistent {
public:
    explicit TLookUpItems(TCustomLookUp* LookUp = nullptr) : FLookUp(LookUp) {}
    ~TLookUpItems() override;
    TLookUpItems(const TLookUpItems&) = delete;
    TLookUpItems& operator=(const TLookUpItems&) = delete;

    std::string ClassName() const override { return "TLookUpItems"; }
    TCustomLookUp* LookUp() const { return FLookUp; }

    // Appends the item, gives it the list's lookup and refreshes the lookup's links.
    TLookUpItem& Add(std::unique_ptr<TLookUpItem> Item);
    TLookUpItem& Add(const std::string& Caption, const std::string& IdStr, int32_t Id,
                     int32_t ImageIndex = -1);
    void Clear();
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    // Raises EListError "List index out of bounds (n)" outside 0..Count-1.
    TLookUpItem& Items(int32_t Index) const;
    TLookUpItem& operator[](int32_t Index) const { return Items(Index); }
    // Tells the owning lookup to refresh its linked controls.
    void Changed();

    void DefineProperties(tools::TFiler& Filer) override;
    // Appends the rows of the stream to those already there.
    void ReadItems(tools::TReader& Reader);
    void WriteItems(tools::TWriter& Writer) const;

private:
    TCustomLookUp* FLookUp;
    std::vector<std::unique_ptr<TLookUpItem>> FItems;
};

class TCustomLookUp : public QObject, public tools::TFormComponent {
    Q_OBJECT
public:
    explicit TCustomLookUp(QObject* Owner = nullptr);
    ~TCustomLookUp() override;

    std::string ClassName() const override { return "TCustomLookUp"; }
    std::string FormName() const override;

    bool SlimRows() const { return FSlimRows; }
    void SetSlimRows(bool Value);
    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle Value);
    TLookUpDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TLookUpDrawStyle Value);
    int32_t Columns() const { return FColumns; }
    void SetColumns(int32_t Value) { FColumns = Value; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value) { FCaption = Value; }
    bool ListMode() const { return FListMode; }
    void SetListMode(bool Value) { FListMode = Value; }
    bool AddEditItem() const { return FAddEditItem; }
    void SetAddEditItem(bool Value);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t Value) { FTag = Value; }

    TUpdateEvent OnUpdateItems;
    TLookUpMeasureItemEvent OnMeasureItem;
    TLookUpDrawItemEvent OnDrawItem;
    TEditItemsEvent OnEditItems;

    virtual TImageList* GetImages() const;
    virtual int32_t Count() const;
    // Index must lie in 0..Count-1; the stored lookups raise EListError otherwise.
    virtual TCustomLookUpItem* GetItem(int32_t Index);
    virtual void SetImages(TImageList* List);
    virtual void Clear();
    // Default: the size of the row's caption and glyph as DisplayStyle shows them.
    virtual void MeasureItem(QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle,
                             int32_t Index, int32_t& Width, int32_t& Height, int32_t& GlyphsWidth);
    // Default: the row's text and glyph as DisplayStyle shows them (DrawCaptionGlyph).
    virtual void DrawItem(QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle,
                          int32_t Index, int32_t Margin, const TRect& Rect, TAlignment Alignment,
                          TOwnerDrawState State);
    // Refreshes the linked controls, then OnUpdateItems.
    virtual void UpdateItems();
    // Open the popup list of the rows beside a screen rectangle or under a control; the
    // chosen row's text (as ReturnStr says) goes to OnSetText. The rows are updated first.
    virtual void PopupAt(int32_t X, int32_t Y, int32_t Width, int32_t Height, TReturnStr ReturnStr,
                         const TSetTextEvent& OnSetText);
    virtual void PopupUnder(QWidget* Control, TReturnStr ReturnStr, const TSetTextEvent& OnSetText);
    // First row whose Id equals Id, or -1.
    virtual int32_t IndexOfId(int32_t Id);
    // Hands the edit request to OnEditItems; Text is not passed on.
    virtual void EditItems(QObject* Sender, const std::string& Text,
                           const TSetTextEvent& OnSetText);

    void AddLink(QObject* Component);
    void RemoveLink(QObject* Component);
    // The linked components that still exist, in the order they were linked.
    std::vector<QObject*> Links() const;
    // Tells every linked control (TLookUpLink) that the rows or their look changed.
    void NotifyLinks();

    TCustomLookUpItem* FindById(int32_t Id);
    // The row whose caption equals Text (letter case ignored); else, for a single
    // character, the first row whose caption (before any '|') begins with it; else -1.
    int32_t IndexOfCaption(const std::string& Text);

protected:
    // Stored properties every stored lookup has: Tag, Caption, DrawStyle, Columns, SlimRows,
    // AddEditItem and DisplayStyle. Written in that order, without DisplayStyle, which comes
    // last.
    bool ReadLookUpProperty(std::string_view Name, tools::TReader& Reader);
    void WriteLookUpProperties(tools::TWriter& Writer);
    void WriteDisplayStyle(tools::TWriter& Writer);

private:
    bool FSlimRows = false;
    TDisplayStyle FDisplayStyle = dsCaptionGlyph;
    TLookUpDrawStyle FDrawStyle = ldsStandard;
    int32_t FColumns = 0;
    std::string FCaption;
    std::vector<QPointer<QObject>> FLinks;
    bool FListMode = false;
    bool FAddEditItem = false;
    int32_t FTag = 0;
};

// Moves Component's link from the lookup Current to Value (either may be none) and sets
// Current to Value; false, with nothing done, when Value is Current already.
bool Relink(QObject* Component, QPointer<TCustomLookUp>& Current, TCustomLookUp* Value);

// A lookup with stored rows and an image list for their ImageIndex.
class TLookUp0 : public TCustomLookUp {
    Q_OBJECT
public:
    explicit TLookUp0(QObject* Owner = nullptr);
    ~TLookUp0() override;

    std::string ClassName() const override { return "TLookUp0"; }

    TLookUpItems& Items() { return *FItems; }
    const TLookUpItems& Items() const { return *FItems; }
    // Not owned; forgotten when the image list is destroyed.
    TImageList* Images() const { return FImages; }

    TImageList* GetImages() const override { return FImages; }
    int32_t Count() const override { return FItems ? FItems->Count() : 0; }
    TCustomLookUpItem* GetItem(int32_t Index) override { return &FItems->Items(Index); }
    void SetImages(TImageList* List) override { FImages = List; }

private:
    std::unique_ptr<TLookUpItems> FItems;
    QPointer<TImageList> FImages;
};

// The stored lookup as a form places it. Its stored properties, in order: Tag (when not
// 0), Caption (when not empty), DrawStyle, Columns, SlimRows (when true), AddEditItem,
// Images (when set), Items.Items, DisplayStyle. Events are connected in code.
class TLookUp : public TLookUp0 {
    Q_OBJECT
public:
    explicit TLookUp(QObject* Owner = nullptr) : TLookUp0(Owner) {}

    std::string ClassName() const override { return "TLookUp"; }
    // Items.Clear, then NotifyLinks: the linked controls hear of it twice.
    void Clear() override;

    bool ReadProperty(std::string_view Name, tools::TReader& Reader) override;
    void WriteProperties(tools::TWriter& Writer) override;
    tools::TPersistent* PropertyObject(std::string_view Name) override;
};

// Names of the enumeration values as forms write them.
const char* DisplayStyleName(TDisplayStyle Value);
const char* DrawStyleName(TLookUpDrawStyle Value);

}  // namespace tavo::lookup

#include "lookup/LookUpBoxes.h"
#include "lookup/LookUpComputed.h"
