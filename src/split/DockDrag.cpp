#include "split/DockDrag.h"

#include <QApplication>
#include <QRubberBand>

#include "split/EscapeWatcher.h"
#include "split/ToxCustomSplit.h"
#include "split/ToxScrollPane.h"

namespace tavo::split {

TDockTarget FindDockTarget(const QPoint& Global, const ToxScrollPane* Dragged)
{
    const QWidget* skip = Dragged->isWindow() ? Dragged : nullptr;
    QWidget* window = nullptr;
    QWidget* under = QApplication::widgetAt(Global);
    if (under != nullptr && under->window() != skip)
        window = under->window();
    if (window == nullptr) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != skip && top->isVisible() && !qobject_cast<QRubberBand*>(top) &&
                top->frameGeometry().contains(Global)) {
                window = top;
                break;
            }
        }
    }
    if (window == nullptr)
        return {};
    QWidget* widget = window->childAt(window->mapFromGlobal(Global));
    if (widget == nullptr)
        widget = window;
    TDockTarget target;
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* pane = qobject_cast<ToxScrollPane*>(w); pane && pane->OwnerSplit()) {
            target.Pane = pane;
            target.Split = pane->OwnerSplit();
            break;
        }
        if (auto* split = qobject_cast<ToxCustomSplit*>(w)) {
            target.Split = split;
            break;
        }
        if (w->isWindow())
            break;
    }
    return target;
}

TDockDrag::TDockDrag(ToxScrollPane* Pane) : FPane(Pane) {}

TDockDrag::~TDockDrag() = default;

void TDockDrag::Press(const QPoint& Global)
{
    FPressed = true;
    FActive = false;
    FStart = Global;
    FGrab = Global - FPane->mapToGlobal(QPoint(0, 0));
}

void TDockDrag::Move(const QPoint& Global)
{
    if (!FPressed)
        return;
    if (!FActive) {
        if ((Global - FStart).manhattanLength() < QApplication::startDragDistance())
            return;
        FActive = true;
        FEscape = std::make_unique<TEscapeWatcher>([this] { Cancel(); });
        if (!FBand)
            FBand = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    }
    const QRect frame = DropFrame(FindDockTarget(Global, FPane), Global);
    if (frame.isEmpty()) {
        FBand->hide();
    } else {
        FBand->setGeometry(frame);
        FBand->show();
    }
}

QRect TDockDrag::DropFrame(const TDockTarget& Target, const QPoint& Global) const
{
    if (Target.Split != nullptr) {
        if (!Target.Split->CanDock(FPane))
            return {};
        const QWidget* over = Target.Pane != nullptr ? static_cast<QWidget*>(Target.Pane)
                                                     : static_cast<QWidget*>(Target.Split);
        return QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    }
    return QRect(Global - FGrab, FPane->size());
}

QRect TDockDrag::Frame() const
{
    return FBand && FBand->isVisible() ? FBand->geometry() : QRect();
}

void TDockDrag::Release(const QPoint& Global)
{
    const bool active = FActive;
    Cancel();
    if (!active)
        return;
    const TDockTarget target = FindDockTarget(Global, FPane);
    if (target.Split != nullptr)
        FPane->ManualDock(target.Split, target.Pane);
    else
        FPane->ManualFloat(QRect(Global - FGrab, FPane->size()));
}

void TDockDrag::Cancel()
{
    TEscapeWatcher::Dismiss(FEscape);
    FPressed = false;
    FActive = false;
    if (FBand)
        FBand->hide();
}

}  // namespace tavo::split
