#pragma once
// Combo box and list box filled from a lookup: one entry per row, drawn with the row's glyph
// and caption. Both join their lookup's links and rebuild their entries whenever the rows
// change, keeping the entry whose text was shown. The combo box may end with an "Edit"
// entry that hands the rows to the application's editor and then shows the text it chose.
#include <functional>
#include <string>

#include "lookup/LookUpCtrls.h"
#include "vxcontrols/VXControls.h"

namespace tavo::lookup {

using TNotifyEvent = std::function<void(QObject* Sender)>;

class TCustomLookUpComboBox : public vxcontrols::TVXCustomComboBox {
    Q_OBJECT
public:
    explicit TCustomLookUpComboBox(QWidget* Parent = nullptr);

    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The text before the drop-down or the last change; the item editor's text lands here.
    const std::string& SavedText() const { return FSavedText; }

    // The shown entry's text (Windows-1250); setting it selects the entry of that text
    // (letter case ignored), or none.
    std::string Text() const;
    void SetText(const std::string& Value);

    // After the user changed the selection, before the "Edit" entry is handled.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    virtual void SetAddEditItem(bool Value);
    virtual bool GetAddEditItem() const;
    virtual int32_t GetItemCount() const;
    // The base answers for the "Edit" entry.
    virtual std::string GetItemCaption(int32_t Index) const;
    virtual std::string GetItemHint(int32_t Index) const;
    virtual const QImage* GetItemGlyph(int32_t Index) const;
    virtual std::string GetItemIdStr(int32_t Index) const;
    virtual int32_t GetItemId(int32_t Index) const;
    virtual bool IsItemEnabled(int32_t Index) const;
    virtual void EditItems();

    // One entry per row, then "Edit"; the entry of the text shown before stays selected.
    void RebuildItems();
    // True when Index is the "Edit" entry.
    bool IsEditEntry(int32_t Index) const;

    void showPopup() override;

protected:
    // The lookup that draws and measures the rows; none here.
    virtual TCustomLookUp* RowLookUp() const { return nullptr; }

    void DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                  TOwnerDrawState State) override;
    void MeasureItem(int32_t Index, int32_t& Height) override;

    // The user chose an entry (mouse or keys).
    virtual void Change();
    // The item editor handed a text back: kept in SavedText while the editor runs, shown at
    // once when it answers later.
    void TextHandedBack(const std::string& Value);

    // Set while the item editor runs: texts handed back go to SavedText.
    bool FEditing = false;
    std::string FSavedText;

private:
    void IndexChanged(int Index);

    TDisplayStyle FDisplayStyle = dsCaption;
    TAlignment FAlignment = tools::taLeftJustify;
    bool FRebuilding = false;
    bool FChanging = false;
};

// The combo box of a lookup component; its entries answer from the lookup's rows and are
// rebuilt whenever they change.
class TLookUpComboBox0 : public TLookUpRowsOf<TCustomLookUpComboBox> {
    Q_OBJECT
public:
    explicit TLookUpComboBox0(QWidget* Parent = nullptr);

    bool GetAddEditItem() const override;
    // The lookup's editor; afterwards the box shows the text it handed back, or the one
    // shown before when it handed back none.
    void EditItems() override;

protected:
    void RowsChanged() override;
};

// The combo box as forms place it: its settings as properties.
class TLookUpComboBox : public TLookUpComboBox0 {
    Q_OBJECT
    Q_PROPERTY(int DisplayStyle READ DisplayStyleValue WRITE SetDisplayStyleValue)
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
    Q_PROPERTY(bool AddEditItem READ GetAddEditItem WRITE SetAddEditItem)
    Q_PROPERTY(int DropDownCount READ maxVisibleItems WRITE setMaxVisibleItems)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
public:
    explicit TLookUpComboBox(QWidget* Parent = nullptr) : TLookUpComboBox0(Parent) {}

private:
    int DisplayStyleValue() const { return DisplayStyle(); }
    void SetDisplayStyleValue(int Value);
    int AlignmentValue() const { return Alignment(); }
    void SetAlignmentValue(int Value);
    int BorderStyleValue() const { return BorderStyle(); }
    void SetBorderStyleValue(int Value);
};

class TCustomLookUpListBox : public vxcontrols::TVXCustomListBox {
    Q_OBJECT
public:
    explicit TCustomLookUpListBox(QWidget* Parent = nullptr);

    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Entries side by side in this many columns, all of one height; 0: one column of
    // entries measured each.
    int32_t Columns() const { return FColumns; }
    void SetColumns(int32_t Value);
    bool MultiSelect() const;
    void SetMultiSelect(bool Value);

    // The entries' hints show under the mouse; only when the list box has no hint of its
    // own (decided when the entries are rebuilt).
    bool ShowsItemHints() const { return FItemHints; }
    // The hint the application gave the list box, whatever entry hint is shown meanwhile.
    const QString& OwnHint() const { return FOwnHint; }

    virtual int32_t GetItemCount() const;
    virtual std::string GetItemCaption(int32_t Index) const;
    virtual std::string GetItemHint(int32_t Index) const;
    virtual const QImage* GetItemGlyph(int32_t Index) const;
    virtual std::string GetItemIdStr(int32_t Index) const;
    virtual int32_t GetItemId(int32_t Index) const;
    virtual bool IsItemEnabled(int32_t Index) const;

    // One entry per row; the entry of the current text stays current.
    void RebuildItems();

protected:
    // The lookup that draws and measures the rows; none here.
    virtual TCustomLookUp* RowLookUp() const { return nullptr; }

    void DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                  TOwnerDrawState State) override;
    void MeasureItem(int32_t Index, int32_t& Height) override;

    bool event(QEvent* Event) override;
    bool viewportEvent(QEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ApplyColumns();
    void ShowItemHint(const QPoint& At, const QPoint& Global);

    TDisplayStyle FDisplayStyle = dsCaption;
    TAlignment FAlignment = tools::taLeftJustify;
    int32_t FColumns = 0;
    bool FItemHints = true;
    QString FOwnHint;
    bool FSettingHint = false;
};

// The list box of a lookup component, rebuilt from the rows whenever they change.
class TLookUpListBox0 : public TLookUpRowsOf<TCustomLookUpListBox> {
    Q_OBJECT
public:
    explicit TLookUpListBox0(QWidget* Parent = nullptr);

protected:
    void RowsChanged() override;
};

class TLookUpListBox : public TLookUpListBox0 {
    Q_OBJECT
    Q_PROPERTY(int DisplayStyle READ DisplayStyleValue WRITE SetDisplayStyleValue)
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
public:
    explicit TLookUpListBox(QWidget* Parent = nullptr) : TLookUpListBox0(Parent) {}

private:
    int DisplayStyleValue() const { return DisplayStyle(); }
    void SetDisplayStyleValue(int Value);
    int AlignmentValue() const { return Alignment(); }
    void SetAlignmentValue(int Value);
};

}  // namespace tavo::lookup
