#include <QFontMetrics>

#include "vxcontrols/OwnerDrawDelegate.h"
#include "vxcontrols/VXControls.h"

namespace tavo::vxcontrols {

TVXCustomListBox::TVXCustomListBox(QWidget* Parent)
    : QListWidget(Parent), FColor(tools::clWindow), FItemHeight(fontMetrics().height() + 3)
{
    setItemDelegate(new detail::TOwnerDrawDelegate<TVXCustomListBox>(this));
    setUniformItemSizes(false);
}

void TVXCustomListBox::SetColor(TColor Value)
{
    if (Value != FColor) {
        FColor = Value;
        viewport()->update();
    }
}

void TVXCustomListBox::SetItemHeight(int32_t Value)
{
    if (Value > 0 && Value != FItemHeight) {
        FItemHeight = Value;
        doItemsLayout();
    }
}

void TVXCustomListBox::PaintItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                 TOwnerDrawState State)
{
    detail::PrepareItemCanvas(Canvas, this, FColor, State);
    DrawItem(Canvas, Index, Rect, State);
}

int32_t TVXCustomListBox::MeasureItemHeight(int32_t Index)
{
    int32_t height = FItemHeight;
    MeasureItem(Index, height);
    return height;
}

void TVXCustomListBox::DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Canvas, Index, Rect, State);
        return;
    }
    const QListWidgetItem* entry = item(Index);
    detail::DrawItemText(Canvas, Rect, entry ? entry->text() : QString());
}

void TVXCustomListBox::MeasureItem(int32_t Index, int32_t& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TVXCustomListBox::keyPressEvent(QKeyEvent* Event)
{
    if (!detail::ConsumeKey(this, Event, OnKeyDown))
        QListWidget::keyPressEvent(Event);
}

}  // namespace tavo::vxcontrols
