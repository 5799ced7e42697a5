#pragma once
// The maker's list box and combo box, the bases of the lookup list box and combo box. They
// add what all the maker's list controls share: F1 shows the control's own help text (the
// long part of its hint) and never reaches the control's key-down event, and items are drawn
// by the control (DrawItem) in the list, the drop-down list and the closed combo box. The
// combo box can be read-only: disabled, and painted as a flat box that shows the selected
// item inside a choice of border.
#include <QComboBox>
#include <QListWidget>
#include <cstdint>
#include <functional>

#include "tools/Colors.h"
#include "tools/DrawingHelpers.h"

namespace tavo::vxcontrols {

using tools::TColor;
using tools::TOwnerDrawState;
using tools::TRect;

// The item drawn in the closed combo box rather than in its list.
constexpr TOwnerDrawState odComboBoxEdit = 0x1000;

enum TVXBorderStyle : int32_t { bsNone, bsSingle, bsFlat };

// Colours of an item of the maker's lists: highlight text on highlight when selected (button
// text when flat), button text on the window colour otherwise.
TColor ItemTextColor(bool Selected, bool Flat);
TColor ItemBackColor(bool Selected, bool Flat);

// Key is a Qt key code; setting it to 0 consumes the key.
using TKeyEvent = std::function<void(QWidget* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
// Draws item Index into Rect; the canvas's brush and pen hold the item's colours.
using TDrawItemEvent = std::function<void(QWidget* Control, QPainter& Canvas, int32_t Index,
                                          const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(QWidget* Control, int32_t Index, int32_t& Height)>;

class TVXCustomListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TVXCustomListBox(QWidget* Parent = nullptr);

    // Background of the items; the window colour at first.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // Height of an item before MeasureItem.
    int32_t ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int32_t Value);

    // Every key but F1, before the list handles it.
    TKeyEvent OnKeyDown;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // Sets the canvas up as the framework does for an owner-drawn item (highlight colours
    // when selected, the control's colour and font otherwise) and calls DrawItem.
    void PaintItem(QPainter& Canvas, int32_t Index, const TRect& Rect, TOwnerDrawState State);
    int32_t MeasureItemHeight(int32_t Index);

protected:
    // OnDrawItem when assigned, else the item's text on the canvas's brush.
    virtual void DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                          TOwnerDrawState State);
    // OnMeasureItem when assigned, else Height stays.
    virtual void MeasureItem(int32_t Index, int32_t& Height);

    void keyPressEvent(QKeyEvent* Event) override;

private:
    TColor FColor;
    int32_t FItemHeight;
};

class TVXCustomComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TVXCustomComboBox(QWidget* Parent = nullptr);

    // Setting it disables the control; clearing it does not enable the control again.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The frame of the read-only box; bsSingle and bsFlat draw the same frame here.
    TVXBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TVXBorderStyle Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int32_t ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int32_t Value);

    TKeyEvent OnKeyDown;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void PaintItem(QPainter& Canvas, int32_t Index, const TRect& Rect, TOwnerDrawState State);
    int32_t MeasureItemHeight(int32_t Index);

protected:
    virtual void DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                          TOwnerDrawState State);
    virtual void MeasureItem(int32_t Index, int32_t& Height);

    void keyPressEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    void PaintReadOnly();

    bool FReadOnly = false;
    TVXBorderStyle FBorderStyle = bsSingle;
    TColor FColor;
    int32_t FItemHeight;
};

}  // namespace tavo::vxcontrols
