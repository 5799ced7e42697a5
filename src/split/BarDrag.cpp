#include "split/BarDrag.h"

#include <QRect>

#include "split/DragOutline.h"
#include "split/EscapeWatcher.h"
#include "split/ToxCustomSplit.h"

namespace tavo::split {

namespace {

// Low bound first, then the high one: a range too small for the grip ends at the high bound.
int32_t Confine(int32_t Value, int32_t Low, int32_t High)
{
    if (Value < Low)
        Value = Low;
    if (Value > High)
        Value = High;
    return Value;
}

}  // namespace

TBarDrag::TBarDrag(ToxCustomSplit* Split) : FSplit(Split), FOutline(new TDragOutline(Split)) {}

TBarDrag::~TBarDrag() = default;

void TBarDrag::Press(const QPoint& Pos)
{
    FPoint = Pos;
    const TSplitBar bars = BarAt(FSplit->Bars(), Pos.x(), Pos.y());
    if (bars == sbNone)
        return;
    const int32_t inset = FSplit->Inset();
    FKind = bars;
    FDragging = true;
    FGrabOffset = Pos - QPoint(FSplit->PositionX() + inset, FSplit->PositionY() + inset);
    FStartPositions = QPoint(FSplit->PositionX(), FSplit->PositionY());
    // Escape gives the bar back while the button is held.
    FEscape = std::make_unique<TEscapeWatcher>([this] { Cancel(); });
    if (!FSplit->AutoUpdate())
        ToggleOutline();
}

void TBarDrag::Move(const QPoint& Pos)
{
    if (!FDragging)
        return;
    const bool outline = !FSplit->AutoUpdate();
    if (outline)
        ToggleOutline();
    FPoint = Clamped(Pos, FGrabOffset);
    if (outline)
        ToggleOutline();
    else
        Apply();
}

void TBarDrag::Release()
{
    if (!FDragging)
        return;
    End();
    Apply();
}

void TBarDrag::Cancel()
{
    if (!FDragging)
        return;
    End();
    if (FSplit->AutoUpdate() && FStartPositions != QPoint(FSplit->PositionX(), FSplit->PositionY()))
        FSplit->SetPositions(FStartPositions.x(), FStartPositions.y());
}

void TBarDrag::Drop(TSplitBar Bars, const QPoint& Edge)
{
    FKind = Bars;
    FGrabOffset = QPoint();
    FPoint = Clamped(Edge, FGrabOffset);
    Apply();
}

QPoint TBarDrag::Clamped(const QPoint& Pos, const QPoint& GrabOffset) const
{
    const int32_t inset = FSplit->Inset();
    const int32_t bar = FSplit->BarWidth();
    return QPoint(
        Confine(Pos.x(), inset + GrabOffset.x(), FSplit->width() - bar + GrabOffset.x()),
        Confine(Pos.y(), inset + GrabOffset.y(), FSplit->height() - bar + GrabOffset.y()));
}

void TBarDrag::End()
{
    FOutline->Clear();
    FDragging = false;
    TEscapeWatcher::Dismiss(FEscape);
}

void TBarDrag::Apply()
{
    const QPoint to = FPoint - FGrabOffset - QPoint(FSplit->Inset(), FSplit->Inset());
    if (FKind == sbVertical)
        FSplit->SetPositionX(to.x());
    else if (FKind == sbHorizontal)
        FSplit->SetPositionY(to.y());
    else
        FSplit->SetPositions(to.x(), to.y());
}

void TBarDrag::ToggleOutline()
{
    const TBarAreas bars = FSplit->Bars();
    const int32_t width = FSplit->BarWidth();
    if (FKind == sbVertical || FKind == sbBoth) {
        FOutline->Invert(
            QRect(FPoint.x() - FGrabOffset.x(), bars.Vertical.Top, width, bars.Vertical.Height()));
    }
    if (FKind == sbHorizontal || FKind == sbBoth) {
        FOutline->Invert(QRect(bars.Horizontal.Left, FPoint.y() - FGrabOffset.y(),
                               bars.Horizontal.Width(), width));
    }
}

}  // namespace tavo::split
