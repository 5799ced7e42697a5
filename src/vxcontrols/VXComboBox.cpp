#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "vxcontrols/OwnerDrawDelegate.h"
#include "vxcontrols/VXControls.h"

namespace tavo::vxcontrols {

TVXCustomComboBox::TVXCustomComboBox(QWidget* Parent)
    : QComboBox(Parent), FColor(tools::clWindow), FItemHeight(fontMetrics().height() + 3)
{
    setItemDelegate(new detail::TOwnerDrawDelegate<TVXCustomComboBox>(this));
    FBorderStyle = bsSingle;
}

void TVXCustomComboBox::SetReadOnly(bool Value)
{
    if (Value == FReadOnly)
        return;
    FReadOnly = Value;
    if (Value)
        setEnabled(false);
    update();
}

void TVXCustomComboBox::SetBorderStyle(TVXBorderStyle Value)
{
    if (Value != FBorderStyle) {
        FBorderStyle = Value;
        update();
    }
}

void TVXCustomComboBox::SetColor(TColor Value)
{
    if (Value != FColor) {
        FColor = Value;
        update();
    }
}

void TVXCustomComboBox::SetItemHeight(int32_t Value)
{
    if (Value > 0 && Value != FItemHeight) {
        FItemHeight = Value;
        if (view())
            view()->doItemsLayout();
        updateGeometry();
    }
}

void TVXCustomComboBox::PaintItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                  TOwnerDrawState State)
{
    detail::PrepareItemCanvas(Canvas, this, FColor, State);
    DrawItem(Canvas, Index, Rect, State);
}

int32_t TVXCustomComboBox::MeasureItemHeight(int32_t Index)
{
    int32_t height = FItemHeight;
    MeasureItem(Index, height);
    return height;
}

void TVXCustomComboBox::DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                 TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Canvas, Index, Rect, State);
        return;
    }
    detail::DrawItemText(Canvas, Rect, Index >= 0 && Index < count() ? itemText(Index) : QString());
}

void TVXCustomComboBox::MeasureItem(int32_t Index, int32_t& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TVXCustomComboBox::keyPressEvent(QKeyEvent* Event)
{
    if (!detail::ConsumeKey(this, Event, OnKeyDown))
        QComboBox::keyPressEvent(Event);
}

void TVXCustomComboBox::paintEvent(QPaintEvent* Event)
{
    if (FReadOnly) {
        PaintReadOnly();
        return;
    }
    if (isEditable()) {
        QComboBox::paintEvent(Event);
        return;
    }
    // The frame and the button from the style; the item in the box is owner-drawn, shown
    // selected while the control has the focus.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    TOwnerDrawState state = odComboBoxEdit;
    if (hasFocus() && !view()->isVisible())
        state |= tools::odSelected | tools::odFocused;
    if (!isEnabled())
        state |= tools::odDisabled;
    painter.save();
    painter.setClipRect(field);
    PaintItem(painter, currentIndex(), TRect::FromQRect(field), state);
    painter.restore();
}

void TVXCustomComboBox::PaintReadOnly()
{
    // Whoever enabled the control meanwhile: a read-only box stays disabled.
    if (isEnabled())
        setEnabled(false);
    QPainter painter(this);
    const QColor color = tools::ToQColor(FColor);
    TRect R = TRect::FromQRect(rect());
    if (FBorderStyle != bsNone) {
        tools::Frame3D(painter, R, tools::clBtnShadow, tools::clBtnHighlight);
        tools::Frame3D(painter, R, tools::cl3DDkShadow, tools::cl3DLight);
        tools::Frame3D(painter, R, FColor, FColor);
    }
    if (!R.IsEmpty())
        painter.fillRect(R.ToQRect(), color);
    painter.setFont(font());
    painter.setBrush(color);
    painter.setPen(tools::ToQColor(tools::clWindowText));
    // No drop-down button: the selected item fills the box.
    if (currentIndex() >= 0)
        DrawItem(painter, currentIndex(), R, 0);
}

}  // namespace tavo::vxcontrols
