#pragma once
// The lookup list: a lookup's rows as a grid of cells, column by column, each with its glyph
// and caption, a hot cell under the mouse or the keys, and an optional last "Edit" cell.
// Embedded it is an ordinary child control. As a popup (a lookup's PopupAt or PopupUnder)
// it is a top-level tool window that does not take the focus: while it is open every key
// of the application goes to it, a click elsewhere, another window's activation or the
// focus moving away closes it, and the chosen row's text goes to OnSetText.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

#include "lookup/LookUpCtrls.h"

class QTimer;

namespace tavo::lookup {

enum TLookUpListStyle : int32_t { lsDefault, lsStandsrd, lsEnhanced, lsFlat };
enum TLookUpListBorderStyle : int32_t { bsNone, bsSingle, bsEveryItem };

class TCustomLookUpList : public QWidget {
    Q_OBJECT
public:
    // An embedded list.
    explicit TCustomLookUpList(QWidget* Parent = nullptr);
    ~TCustomLookUpList() override;

    bool Embedded() const { return FEmbedded; }

    bool SlimRows() const { return FSlimRows; }
    void SetSlimRows(bool Value);
    // Fixed column count; 0 = automatic.
    uint16_t Columns() const { return FColumns; }
    void SetColumns(uint16_t Value);
    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle Value);
    // The control sizes itself to its cells.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TLookUpListStyle Style() const { return FStyle; }
    void SetStyle(TLookUpListStyle Value);
    TLookUpListBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TLookUpListBorderStyle Value);
    TReturnStr LookUpReturnStr() const { return FLookUpReturnStr; }
    void SetLookUpReturnStr(TReturnStr Value) { FLookUpReturnStr = Value; }
    // The screen rectangle a popup without owner is placed against.
    TRect AnchorRect() const { return FAnchorRect; }
    void SetAnchorRect(const TRect& Value) { FAnchorRect = Value; }
    // Hints of the cells under the mouse (the part before "|").
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }

    TSetTextEvent OnSetText;
    TLookUpDrawItemEvent OnDrawItem;
    TLookUpMeasureItemEvent OnMeasureItem;

    int32_t ItemHeight() const { return FItemHeight; }
    int32_t ItemWidth() const { return FItemWidth; }
    int32_t GlyphWidth() const { return FGlyphWidth; }
    int32_t RowCount() const { return FRowCount; }
    int32_t ColCount() const { return FColCount; }
    int32_t HotIndex() const { return FHotIndex; }
    // Repaints the old and the new hot cell.
    void SetHotIndex(int32_t Index);
    // The number of cells: the rows and the "Edit" cell.
    int32_t CellCount() const;
    bool IsFlat() const;
    bool ShowsGlyph() const { return FDisplayStyle == dsGlyph || FDisplayStyle == dsCaptionGlyph; }
    bool ShowsCaption() const
    {
        return FDisplayStyle == dsCaption || FDisplayStyle == dsCaptionGlyph;
    }

    virtual void SetAddEditItem(bool Value);
    virtual bool GetAddEditItem() const;
    virtual int32_t GetItemCount() const;
    virtual std::string GetItemCaption(int32_t Index) const;
    virtual std::string GetItemHint(int32_t Index) const;
    virtual std::string GetItemIdStr(int32_t Index) const;
    virtual int32_t GetItemId(int32_t Index) const;
    // Valid until the next glyph is fetched.
    virtual const QImage* GetItemGlyph(int32_t Index) const;
    virtual bool IsItemEnabled(int32_t Index) const;
    // Sends the text of row Index to OnSetText (or asks for a colour, or for the rows to be
    // edited); a popup then closes.
    virtual void ChooseItem(int32_t Index);
    virtual void EditItems();

    // Cell sizes, rows and columns and, with AutoSize, the control's size.
    void UpdateLayout();
    // Lays the list out again (and places a popup); what the window's re-creation does.
    void RecreateWnd();
    // A cell in client coordinates.
    TRect ItemRect(int32_t Index) const;
    // The cell at a client point, made the hot one; -1 before the list has cells.
    int32_t ItemAtPos(int32_t X, int32_t Y);
    // The client area inside the border, in widget coordinates.
    QRect ClientRect() const;
    void DrawCell(QPainter& Canvas, int32_t Index, const TRect& Rect, const std::string& Text,
                  const QImage* Glyph, TOwnerDrawState State);
    // A key as the list handles it; true when consumed.
    bool HandleKey(int Key, Qt::KeyboardModifiers Modifiers);
    // The text of row Index that LookUpReturnStr asks for.
    std::string ReturnText(int32_t Index) const;

    // Popups.
    // The open popup list, or none (also while a choice is being handled).
    static TCustomLookUpList* CurrentPopupList();
    // Hides a popup at once and destroys it later; an embedded list stays.
    void ClosePopup();
    bool Closing() const { return FClosing; }
    // Lays the popup out, places it, makes it the current popup (closing the one before)
    // and shows it without taking the focus.
    void OpenPopup();
    // The control the popup was opened under, or (embedded) the parent.
    QWidget* OwnerControl() const;

    // The area popups are laid out and placed in: the available geometry of the screen at
    // Point. Tests may fix it.
    static QRect WorkArea(QPoint Point);
    static void SetWorkAreaOverride(std::optional<QRect> Area);

    QSize sizeHint() const override;

protected:
    // A popup list, placed under Owner or (without one) against AnchorRect.
    struct TPopupMode {};
    TCustomLookUpList(QWidget* Owner, TPopupMode);

    // The lookup the list shows, for the rows that lookup gives a meaning of its own.
    virtual TCustomLookUp* RowLookUp() const { return nullptr; }
    // The list's own handlers, or those that TLookUpList takes from its lookup.
    virtual TLookUpMeasureItemEvent MeasureHandler() const;
    virtual TLookUpDrawItemEvent DrawHandler() const;
    // Runs when the window is (re-)created, before the layout.
    virtual void WindowCreating() {}

    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void Init();
    QRect AnchorScreenRect() const;
    int32_t NeededWidth() const;
    int32_t NeededHeight() const;
    void PlacePopup();
    void PaintBorder(QPainter& Canvas);
    void UpdateCell(int32_t Index);
    void ShowCellHint(const QPoint& Global);

    bool FEmbedded = true;
    bool FClosing = false;
    bool FLayingOut = false;
    QPointer<QWidget> FOwnerControl;
    bool FSlimRows = false;
    uint16_t FColumns = 0;
    TDisplayStyle FDisplayStyle = dsCaptionGlyph;
    bool FAutoSize = true;
    TLookUpListStyle FStyle = lsDefault;
    TLookUpListBorderStyle FBorderStyle = bsSingle;
    TReturnStr FLookUpReturnStr = rsCaption;
    TRect FAnchorRect;
    bool FShowHint = false;
    int32_t FItemHeight = 0;
    int32_t FItemWidth = 0;
    int32_t FGlyphWidth = 0;
    int32_t FHotIndex = -1;
    int32_t FRowCount = 0;
    int32_t FColCount = 0;
    QSize FAutoSizeHint;
};

// The list of a lookup component; its cells answer from the lookup's rows (captions and
// glyphs read in ListMode) and are laid out again whenever the rows change.
class TLookUpList : public TLookUpRowsOf<TCustomLookUpList> {
    Q_OBJECT
public:
    explicit TLookUpList(QWidget* Parent = nullptr);
    // A popup list; what PopupAt (no owner) and PopupUnder create.
    static TLookUpList* CreatePopup(QWidget* Owner);

    bool GetAddEditItem() const override;
    void ChooseItem(int32_t Index) override;
    void EditItems() override;

    // A popup with nothing left to choose from goes with its lookup.
    void LookUpDestroying(TCustomLookUp& Sender) override;

    // The embedded list of an action lookup keeps its rows' enabled states fresh with this
    // timer (100 ms); none otherwise.
    QTimer* ActionTimer() const { return FActionTimer; }

protected:
    TLookUpMeasureItemEvent MeasureHandler() const override;
    TLookUpDrawItemEvent DrawHandler() const override;
    void WindowCreating() override;
    void RowsChanged() override;

private:
    TLookUpList(QWidget* Owner, TPopupMode Mode);
    void UpdateActionTimer();
    void RefreshActions();

    QTimer* FActionTimer = nullptr;
};

// The "MenuPopup" sound of the desktop's sound theme, played when a popup list opens; nothing
// when the theme has none or there is no sound system. Tests replace the player.
void PlayPopupSound();
using TSoundPlayer = std::function<void(const char* EventId)>;
TSoundPlayer SetPopupSoundPlayer(TSoundPlayer Player);

}  // namespace tavo::lookup
