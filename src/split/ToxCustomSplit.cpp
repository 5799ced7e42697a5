#include "split/ToxCustomSplit.h"

#include <QAccessible>
#include <QChildEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "split/BarDrag.h"
#include "split/DragOutline.h"
#include "split/SplitAccessible.h"
#include "split/SplitPainting.h"
#include "split/ToxScrollPane.h"

namespace tavo::split {

namespace {

int32_t PercentOf(int32_t Position, int32_t Available)
{
    const int64_t percent = static_cast<int64_t>(Position) * 100 / Available;
    return static_cast<int32_t>(std::clamp<int64_t>(percent, 0, 100));
}

int32_t PositionOf(int32_t Available, TPercent Percent)
{
    const int64_t position = static_cast<int64_t>(Available) * Percent / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(position, 0, Available));
}

bool PaneShown(const ToxScrollPane* Pane)
{
    // A pane counts as visible unless it was hidden on purpose: children of a split that
    // is not shown yet are hidden only until the split shows.
    return !(Pane->isHidden() && Pane->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

}  // namespace

ToxCustomSplit::ToxCustomSplit(QWidget* Parent) : QWidget(Parent)
{
    resize(100, 100);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Tab only: a click on a bar leaves the focus where the user is typing.
    setFocusPolicy(Qt::TabFocus);
    InstallSplitAccessibility();
    FBarDrag = std::make_unique<TBarDrag>(this);
    // No style is applied here: a new control looks as the automatic style does until one is.
}

ToxCustomSplit::~ToxCustomSplit()
{
    FDestroying = true;
    for (ToxScrollPane* pane : FPanes)
        pane->FOwnerSplit = nullptr;
    FPanes.clear();
}

void ToxCustomSplit::SetBarWidth(int32_t Value)
{
    FBarWidth = std::clamp(Value, 0, MaxExtent);
    AlignControls();
    update();
}

void ToxCustomSplit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    SetStyle(FStyle);
}

void ToxCustomSplit::SetStyle(ToxsStyle Value)
{
    FStyle = Value;
    if (!FLoading)
        ApplyStyle();
}

void ToxCustomSplit::ApplyStyle()
{
    // Qt always offers the new-style controls.
    FEffectiveStyle = FStyle == oxsAuto ? oxsWin95 : FStyle;
    switch (FEffectiveStyle) {
    case oxsWin31:
        FInset = 0;
        break;
    case oxsWin95:
    case oxsWin97:
        FInset = 2;
        break;
    case oxsInset:
    case oxsGroove:
    case oxsRaised:
        FInset = 1;
        break;
    default:
        // A plain style keeps the inset of the style before it; the automatic look of a
        // new control is none, or a plain split would show a band around every pane.
        if (!FStyleApplied)
            FInset = 0;
        break;
    }
    FStyleApplied = true;
    update();
    AlignControls();
}

void ToxCustomSplit::SetLocked(bool Value)
{
    FLocked = Value;
    // A locked split has nothing for the keyboard to move.
    setFocusPolicy(FLocked ? Qt::NoFocus : Qt::TabFocus);
    if (FLocked) {
        FBarDrag->Cancel();
        unsetCursor();
        if (hasFocus()) {
            focusNextChild();
            if (hasFocus())
                clearFocus();
        }
    }
}

void ToxCustomSplit::SetPositionX(int32_t Value)
{
    if (Value == FPositionX)
        return;
    FPositionX = Value;
    PositionChanged();
}

void ToxCustomSplit::SetPositionY(int32_t Value)
{
    if (Value == FPositionY)
        return;
    FPositionY = Value;
    PositionChanged();
}

void ToxCustomSplit::SetPositions(int32_t X, int32_t Y)
{
    // Even unchanged: a crossing drag always recomputes the percentages and notifies.
    FPositionX = X;
    FPositionY = Y;
    PositionChanged();
}

void ToxCustomSplit::SetPercentX(int32_t Value)
{
    const auto percent = static_cast<TPercent>(std::clamp(Value, 0, 100));
    if (percent == FPercentX)
        return;
    FPercentX = percent;
    PercentChanged();
}

void ToxCustomSplit::SetPercentY(int32_t Value)
{
    const auto percent = static_cast<TPercent>(std::clamp(Value, 0, 100));
    if (percent == FPercentY)
        return;
    FPercentY = percent;
    PercentChanged();
}

void ToxCustomSplit::SetOrientation(ToxsOrientation Value)
{
    FOrientation = Value;
    if (FLoading)
        return;
    AlignControls();
    update();
}

void ToxCustomSplit::SetColor(tools::TColor Value)
{
    FColor = Value;
    update();
    for (ToxScrollPane* pane : FPanes)
        pane->UpdateColor();
}

int32_t ToxCustomSplit::AvailableWidth() const
{
    return AvailableExtent(width(), FInset, FBarWidth);
}

int32_t ToxCustomSplit::AvailableHeight() const
{
    return AvailableExtent(height(), FInset, FBarWidth);
}

TLayoutInput ToxCustomSplit::LayoutInput() const
{
    TLayoutInput in;
    in.ClientWidth = width();
    in.ClientHeight = height();
    in.Inset = FInset;
    in.PositionX = FPositionX;
    in.PositionY = FPositionY;
    in.BarWidth = FBarWidth;
    in.PaneCount = VisiblePaneCount();
    in.Orientation = FOrientation;
    in.Ver1Compat = FOptions.Contains(oxsVer1Compat);
    return in;
}

TBarAreas ToxCustomSplit::Bars() const
{
    return BarAreas(LayoutInput());
}

bool ToxCustomSplit::HasVerticalBar() const
{
    return split::HasVerticalBar(LayoutInput());
}

bool ToxCustomSplit::HasHorizontalBar() const
{
    return split::HasHorizontalBar(LayoutInput());
}

bool ToxCustomSplit::Dragging() const
{
    return FBarDrag->Dragging();
}

TSplitBar ToxCustomSplit::DragKind() const
{
    return FBarDrag->Kind();
}

QPoint ToxCustomSplit::DragPoint() const
{
    return FBarDrag->Point();
}

QPoint ToxCustomSplit::GrabOffset() const
{
    return FBarDrag->GrabOffset();
}

int32_t ToxCustomSplit::MaxPositionX() const
{
    const QPoint farthest = FBarDrag->Clamped(QPoint(MaxExtent, MaxExtent), QPoint());
    return KeptPosition(farthest.x() - FInset, AvailableWidth());
}

int32_t ToxCustomSplit::MaxPositionY() const
{
    const QPoint farthest = FBarDrag->Clamped(QPoint(MaxExtent, MaxExtent), QPoint());
    return KeptPosition(farthest.y() - FInset, AvailableHeight());
}

int32_t ToxCustomSplit::VisiblePaneCount() const
{
    if (!FOptions.Contains(oxsHideInvisible))
        return static_cast<int32_t>(FPanes.size());
    return static_cast<int32_t>(std::count_if(FPanes.begin(), FPanes.end(), PaneShown));
}

ToxScrollPane* ToxCustomSplit::VisiblePane(int32_t Index) const
{
    const bool all = !FOptions.Contains(oxsHideInvisible);
    for (ToxScrollPane* pane : FPanes) {
        if (!all && !PaneShown(pane))
            continue;
        if (Index-- == 0)
            return pane;
    }
    return nullptr;
}

// The first version's rule keeps a bar within the room for the panes; otherwise it may lie
// beyond it, up to the largest extent.
int32_t ToxCustomSplit::KeptPosition(int32_t Value, int32_t Available) const
{
    return std::clamp(Value, 0, FOptions.Contains(oxsVer1Compat) ? Available : MaxExtent);
}

void ToxCustomSplit::PositionChanged()
{
    const int32_t availableWidth = AvailableWidth();
    const int32_t availableHeight = AvailableHeight();
    FPositionX = KeptPosition(FPositionX, availableWidth);
    FPositionY = KeptPosition(FPositionY, availableHeight);
    if (availableWidth != 0)
        FPercentX = static_cast<TPercent>(PercentOf(FPositionX, availableWidth));
    if (availableHeight != 0)
        FPercentY = static_cast<TPercent>(PercentOf(FPositionY, availableHeight));
    FinishChange();
}

void ToxCustomSplit::PercentChanged()
{
    FPositionX = PositionOf(AvailableWidth(), FPercentX);
    FPositionY = PositionOf(AvailableHeight(), FPercentY);
    FinishChange();
}

void ToxCustomSplit::FinishChange()
{
    if (!Settled())
        return;
    AlignControls();
    update();
    const QPoint positions(FPositionX, FPositionY);
    if (positions != FAnnouncedPositions && QAccessible::isActive()) {
        AnnounceBarMoves(this, positions.x() != FAnnouncedPositions.x(),
                         positions.y() != FAnnouncedPositions.y());
        FAnnouncedPositions = positions;
    }
    ResizeNotify();
}

void ToxCustomSplit::BoundsChanged()
{
    if (FOptions.Contains(oxsSaveAsPercent))
        PercentChanged();
    else
        PositionChanged();
}

void ToxCustomSplit::ResizeNotify()
{
    if (FResizeGuard || !isSignalConnected(QMetaMethod::fromSignal(&ToxCustomSplit::OnResize)))
        return;
    FResizeGuard = true;
    struct Reset {
        bool& Flag;
        ~Reset() { Flag = false; }
    } reset{FResizeGuard};
    emit OnResize();
}

void ToxCustomSplit::Change()
{
    emit OnChange();
}

void ToxCustomSplit::BeginLoading()
{
    FLoading = true;
}

void ToxCustomSplit::EndLoading()
{
    if (!FLoading)
        return;
    FLoading = false;
    ApplyStyle();
    BoundsChanged();
}

void ToxCustomSplit::AlignControls()
{
    if (FDestroying || FLoading)
        return;
    const std::vector<TRect> bounds = PaneLayout(LayoutInput());
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (ToxScrollPane* pane = VisiblePane(static_cast<int32_t>(i)))
            pane->setGeometry(ToRect(bounds[i]));
    }
    if (TDragOutline* outline = FBarDrag->Outline(); !outline->isHidden())
        outline->setGeometry(rect());
}

void ToxCustomSplit::InsertPane(ToxScrollPane* Pane)
{
    if (FDestroying || std::find(FPanes.begin(), FPanes.end(), Pane) != FPanes.end())
        return;
    FPanes.push_back(Pane);
    Pane->FOwnerSplit = this;
    Pane->UpdateColor();
    // A pane is visible unless hidden on purpose, also when it joins a split already shown.
    if (isVisible() && !Pane->testAttribute(Qt::WA_WState_ExplicitShowHide))
        Pane->show();
    FBarDrag->Outline()->raise();
    AlignControls();
    update();
}

void ToxCustomSplit::RemovePane(ToxScrollPane* Pane)
{
    auto found = std::find(FPanes.begin(), FPanes.end(), Pane);
    if (found == FPanes.end())
        return;
    FPanes.erase(found);
    Pane->FOwnerSplit = nullptr;
    if (FDestroying)
        return;
    AlignControls();
    update();
}

void ToxCustomSplit::MovePane(ToxScrollPane* Pane, int32_t Index)
{
    auto found = std::find(FPanes.begin(), FPanes.end(), Pane);
    if (found == FPanes.end())
        return;
    FPanes.erase(found);
    const auto last = static_cast<int32_t>(FPanes.size());
    FPanes.insert(FPanes.begin() + std::clamp(Index, 0, last), Pane);
    AlignControls();
    update();
}

void ToxCustomSplit::PaneVisibilityChanged()
{
    if (FDestroying)
        return;
    AlignControls();
    update();
}

bool ToxCustomSplit::CanDock(const QWidget* Control) const
{
    const auto* pane = qobject_cast<const ToxScrollPane*>(Control);
    if (pane == nullptr || !FDockSite)
        return false;
    return !(FPanes.size() > 3 && pane->parentWidget() != this);
}

bool ToxCustomSplit::DockPane(ToxScrollPane* Pane, ToxScrollPane* Target)
{
    if (!CanDock(Pane))
        return false;
    if (Pane->parentWidget() != this || Pane->isWindow())
        Pane->setParent(this);
    if (Target != nullptr && Target != Pane && Target->OwnerSplit() == this)
        Pane->SetPaneIndex(Target->PaneIndex());
    Pane->show();
    AlignControls();
    update();
    return true;
}

void ToxCustomSplit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), tools::ToQColor(FColor));
    std::vector<QRect> panes;
    for (int32_t i = 0, n = VisiblePaneCount(); i < n; ++i)
        panes.push_back(VisiblePane(i)->geometry());
    PaintPaneFrames(painter, FEffectiveStyle, panes, FBarWidth, FHot, rect());
    if (hasFocus())
        PaintBarFocus(painter, LayoutInput());
}

void ToxCustomSplit::resizeEvent(QResizeEvent*)
{
    BoundsChanged();
}

void ToxCustomSplit::moveEvent(QMoveEvent*)
{
    BoundsChanged();
}

void ToxCustomSplit::mousePressEvent(QMouseEvent* Event)
{
    FMousePos = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton && !FLocked && !FBarDrag->Dragging())
        FBarDrag->Press(FMousePos);
}

void ToxCustomSplit::mouseMoveEvent(QMouseEvent* Event)
{
    FMousePos = Event->position().toPoint();
    if (!FBarDrag->Dragging())
        UpdateCursor(FMousePos);
    else if (Event->buttons() & Qt::LeftButton)
        FBarDrag->Move(FMousePos);
}

void ToxCustomSplit::mouseReleaseEvent(QMouseEvent* Event)
{
    FMousePos = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton)
        FBarDrag->Release();
    Change();
}

void ToxCustomSplit::keyPressEvent(QKeyEvent* Event)
{
    if (const std::optional<TBarMove> move = KeyMove(*Event))
        DropBars(move->Bars, move->Edge);
    else
        QWidget::keyPressEvent(Event);
}

bool ToxCustomSplit::event(QEvent* Event)
{
    // The window's shortcuts (Ctrl+Home, say) wait while the split uses the key.
    if (Event->type() == QEvent::ShortcutOverride && KeyMove(*static_cast<QKeyEvent*>(Event))) {
        Event->accept();
        return true;
    }
    return QWidget::event(Event);
}

std::optional<ToxCustomSplit::TBarMove> ToxCustomSplit::KeyMove(const QKeyEvent& Event) const
{
    const Qt::KeyboardModifiers modifiers = Event.modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    if (FLocked || FBarDrag->Dragging() || (modifiers != Qt::NoModifier && !ctrl))
        return std::nullopt;
    const bool vertical = HasVerticalBar();
    const bool horizontal = HasHorizontalBar();
    const int32_t step = ctrl ? 10 : 1;
    const QPoint edge(FPositionX + FInset, FPositionY + FInset);
    const bool endsOfVertical = vertical && (!ctrl || !horizontal);
    const bool endsOfHorizontal = horizontal && !endsOfVertical;
    switch (Event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!vertical)
            return std::nullopt;
        return TBarMove{sbVertical, edge + QPoint(Event.key() == Qt::Key_Left ? -step : step, 0)};
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!horizontal)
            return std::nullopt;
        return TBarMove{sbHorizontal, edge + QPoint(0, Event.key() == Qt::Key_Up ? -step : step)};
    case Qt::Key_Home:
    case Qt::Key_End: {
        // Far enough for the drag's bounds to stop the bar.
        const int32_t to = Event.key() == Qt::Key_Home ? -MaxExtent : MaxExtent;
        if (endsOfVertical)
            return TBarMove{sbVertical, QPoint(to, edge.y())};
        if (endsOfHorizontal)
            return TBarMove{sbHorizontal, QPoint(edge.x(), to)};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A drag grabbed at the bars' left and top edges and released at Edge: the same bounds, the
// same position and percent updates and the same single change notice.
void ToxCustomSplit::DropBars(TSplitBar Bars, const QPoint& Edge)
{
    FBarDrag->Drop(Bars, Edge);
    Change();
}

void ToxCustomSplit::UpdateCursor(const QPoint& Pos)
{
    if (FLocked)
        return;
    const TSplitBar bars = BarAt(Bars(), Pos.x(), Pos.y());
    switch (bars) {
    case sbBoth:
        if (!FSplitCursor)
            FSplitCursor = AcquireSplitCursor();
        setCursor(*FSplitCursor);
        break;
    case sbVertical:
        setCursor(Qt::SplitHCursor);
        break;
    case sbHorizontal:
        setCursor(Qt::SplitVCursor);
        break;
    default:
        unsetCursor();
        break;
    }
    SetHot(bars != sbNone);
}

void ToxCustomSplit::SetHot(bool Value)
{
    if (Value == FHot || (Value && (FEffectiveStyle != oxsWin97 || !isEnabled())))
        return;
    FHot = Value;
    update();
}

void ToxCustomSplit::leaveEvent(QEvent* Event)
{
    // Repainted too: lit frames must not outlast the pointer.
    SetHot(false);
    QWidget::leaveEvent(Event);
}

bool ToxCustomSplit::eventFilter(QObject* Watched, QEvent* Event)
{
    // The pointer going from a bar straight onto a child brings the split no leave event.
    if (Event->type() == QEvent::Enter && Watched->parent() == this)
        SetHot(false);
    return QWidget::eventFilter(Watched, Event);
}

void ToxCustomSplit::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::PaletteChange) {
        for (ToxScrollPane* pane : FPanes)
            pane->UpdateColor();
    }
    QWidget::changeEvent(Event);
}

void ToxCustomSplit::childEvent(QChildEvent* Event)
{
    if (Event->type() == QEvent::ChildAdded && Event->child()->isWidgetType())
        Event->child()->installEventFilter(this);
    // Only the pointer is compared: a pane being destroyed is no longer a pane here.
    if (Event->type() == QEvent::ChildRemoved) {
        Event->child()->removeEventFilter(this);
        auto found = std::find(FPanes.begin(), FPanes.end(), Event->child());
        if (found != FPanes.end()) {
            FPanes.erase(found);
            if (!FDestroying) {
                AlignControls();
                update();
            }
        }
    }
    QWidget::childEvent(Event);
}

}  // namespace tavo::split
