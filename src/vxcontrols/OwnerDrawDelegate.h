#pragma once
// Shared by the list box and the combo box: their items reach DrawItem and MeasureItem
// through this delegate, and their keys go through one F1 rule.
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "tools/ControlHelp.h"
#include "vxcontrols/VXControls.h"

namespace tavo::vxcontrols::detail {

template <typename TControl> class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TControl* Control) : QStyledItemDelegate(Control), FControl(Control)
    {
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override
    {
        TOwnerDrawState state = 0;
        if (Option.state & QStyle::State_Selected)
            state |= tools::odSelected;
        if (Option.state & QStyle::State_HasFocus)
            state |= tools::odFocused;
        if (!(Option.state & QStyle::State_Enabled))
            state |= tools::odDisabled;
        Painter->save();
        FControl->PaintItem(*Painter, Index.row(), TRect::FromQRect(Option.rect), state);
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        return {Option.rect.width(), FControl->MeasureItemHeight(Index.row())};
    }

private:
    TControl* FControl;
};

// F1 shows the control's help and goes no further; any other key passes the key-down event
// first. True when the key is consumed.
inline bool ConsumeKey(QWidget* Control, QKeyEvent* Event, const TKeyEvent& OnKeyDown)
{
    int key = Event->key();
    if (key == Qt::Key_F1) {
        tools::ControlHelpKey(Control, key);
        Event->accept();
        return true;
    }
    if (OnKeyDown) {
        OnKeyDown(Control, key, Event->modifiers());
        if (key == 0) {
            Event->accept();
            return true;
        }
    }
    return false;
}

// Brush and pen as the framework sets them before an owner-drawn item is drawn.
inline void PrepareItemCanvas(QPainter& Canvas, const QWidget* Control, TColor Color,
                              TOwnerDrawState State)
{
    const bool selected = (State & tools::odSelected) != 0;
    Canvas.setFont(Control->font());
    Canvas.setBrush(tools::ToQColor(selected ? tools::clHighlight : Color));
    Canvas.setPen(tools::ToQColor(selected ? tools::clHighlightText : tools::clWindowText));
}

// The framework's own item drawing: the brush behind the text, 2 pixels in.
inline void DrawItemText(QPainter& Canvas, const TRect& Rect, const QString& Text)
{
    if (Rect.IsEmpty())
        return;
    Canvas.fillRect(Rect.ToQRect(), Canvas.brush());
    QFontMetrics metrics(Canvas.font());
    const int y = Rect.Top + (Rect.Height() - metrics.height()) / 2 + metrics.ascent();
    Canvas.drawText(QPoint(Rect.Left + 2, y), Text);
}

}  // namespace tavo::vxcontrols::detail
