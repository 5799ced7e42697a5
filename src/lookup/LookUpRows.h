#pragma once
// Where the controls that show a lookup's rows (the list, the combo box and the list box)
// read them: the link to the lookup and what each row shows. Past the lookup's rows (the
// "Edit" entry) and without a lookup a control gives its own answers instead.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <string>
#include <utility>

class QImage;

namespace tavo::lookup {

class TCustomLookUp;
class TCustomLookUpItem;

// Implemented by the controls and sub-lookups that show a lookup's rows. The lookup keeps
// them in Links without owning them.
class TLookUpLink {
public:
    // The rows or the display options changed: rebuild, re-lay out, or update.
    virtual void LookUpChanged(TCustomLookUp& Sender) = 0;
    // The lookup is being destroyed: let go of it (set the own LookUp to none).
    virtual void LookUpDestroying(TCustomLookUp& Sender) = 0;

protected:
    ~TLookUpLink() = default;
};

// The rows of the lookup a control is linked to. The control is in the lookup's links while
// the source has the lookup, and leaves them when the source goes; rows are read from the
// lookup each time, so they are always the lookup's rows of the moment.
class TLookUpRows {
public:
    // rfListMode: captions and glyphs are read with the lookup in ListMode, as the lookup
    // list shows them (computed lookups may answer differently then).
    enum TRowFetch { rfPlain, rfListMode };

    TLookUpRows(QObject* Control, TRowFetch Fetch);
    ~TLookUpRows();
    TLookUpRows(const TLookUpRows&) = delete;
    TLookUpRows& operator=(const TLookUpRows&) = delete;

    TCustomLookUp* LookUp() const;
    // Moves the control's link from the lookup it had to Value; false when Value is the
    // lookup already.
    bool SetLookUp(TCustomLookUp* Value);

    // The lookup's Count and AddEditItem; 0 and false without lookup.
    int32_t Count() const;
    bool AddEditItem() const;
    // Whether the lookup answers for Index: there is a lookup and Index lies below its
    // Count. A negative Index is answered as a row that is not there: empty, NullInt and
    // disabled.
    bool Covers(int32_t Index) const;

    // Row Index as the controls show it (Covers(Index) must hold): the caption without its
    // accelerator marks, the hint (the caption when there is none), the glyph (valid until
    // the next row is read), IdStr, Id and the row's own enabled state.
    std::string Caption(int32_t Index) const;
    std::string Hint(int32_t Index) const;
    const QImage* Glyph(int32_t Index) const;
    std::string IdStr(int32_t Index) const;
    int32_t Id(int32_t Index) const;
    bool Enabled(int32_t Index) const;

private:
    // The row, or none outside the lookup's rows; Shown: read as it is displayed.
    TCustomLookUpItem* Row(int32_t Index, bool Shown) const;

    QObject* FControl;
    TRowFetch FFetch;
    QPointer<TCustomLookUp> FLookUp;
};

// A lookup control: Control (TCustomLookUpList, TCustomLookUpComboBox or
// TCustomLookUpListBox) answering its row operations from the lookup's rows, and its own
// base answers past them. The control says what it does when the rows change (RowsChanged):
// when its lookup is set, when the lookup notifies its links and when the lookup goes.
template <class Control> class TLookUpRowsOf : public Control, public TLookUpLink {
public:
    TCustomLookUp* LookUp() const { return FRows.LookUp(); }
    // Leaves the old lookup's links, joins the new one's and shows its rows.
    void SetLookUp(TCustomLookUp* Value)
    {
        if (FRows.SetLookUp(Value))
            RowsChanged();
    }

    int32_t GetItemCount() const override { return FRows.Count(); }
    std::string GetItemCaption(int32_t Index) const override
    {
        return FRows.Covers(Index) ? FRows.Caption(Index) : Control::GetItemCaption(Index);
    }
    std::string GetItemHint(int32_t Index) const override
    {
        return FRows.Covers(Index) ? FRows.Hint(Index) : Control::GetItemHint(Index);
    }
    const QImage* GetItemGlyph(int32_t Index) const override
    {
        return FRows.Covers(Index) ? FRows.Glyph(Index) : Control::GetItemGlyph(Index);
    }
    std::string GetItemIdStr(int32_t Index) const override
    {
        return FRows.Covers(Index) ? FRows.IdStr(Index) : Control::GetItemIdStr(Index);
    }
    int32_t GetItemId(int32_t Index) const override
    {
        return FRows.Covers(Index) ? FRows.Id(Index) : Control::GetItemId(Index);
    }
    // A row is enabled when the control and the row both are.
    bool IsItemEnabled(int32_t Index) const override
    {
        if (!FRows.Covers(Index))
            return Control::IsItemEnabled(Index);
        return this->isEnabled() && FRows.Enabled(Index);
    }

    void LookUpChanged(TCustomLookUp&) override { RowsChanged(); }
    void LookUpDestroying(TCustomLookUp&) override { SetLookUp(nullptr); }

protected:
    template <class... Args>
    explicit TLookUpRowsOf(TLookUpRows::TRowFetch Fetch, Args&&... ControlArgs)
        : Control(std::forward<Args>(ControlArgs)...), FRows(this, Fetch)
    {
    }

    const TLookUpRows& Rows() const { return FRows; }
    TCustomLookUp* RowLookUp() const override { return FRows.LookUp(); }
    // Rebuild, re-lay out or repaint from the rows as they are now.
    virtual void RowsChanged() = 0;

private:
    TLookUpRows FRows;
};

}  // namespace tavo::lookup
