// The page view's input: keys, the wheel, links, and the mouse selecting text.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QUrl>
#include <QWheelEvent>
#include <cmath>

#include "PageView.h"

namespace tavo::pdfreader {

void TPageView::wheelEvent(QWheelEvent* Event)
{
    if (Event->modifiers() & Qt::ControlModifier) {
        const int delta = Event->angleDelta().y();
        if (delta != 0 && FDoc)
            SetZoom(FLayout.Zoom() * std::pow(1.1, delta / 120.0), Event->position().toPoint());
        Event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(Event);
}

void TPageView::keyPressEvent(QKeyEvent* Event)
{
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    const bool shift = Event->modifiers() & Qt::ShiftModifier;
    switch (Event->key()) {
    case Qt::Key_Home:
        v->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_End:
        v->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Space:
        v->triggerAction(shift ? QAbstractSlider::SliderPageStepSub
                               : QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
        h->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Escape:
        if (FSelection.Active()) {
            ClearSelection();
            break;
        }
        [[fallthrough]];
    default:
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    }
    Event->accept();
}

const TPdfLink* TPageView::LinkAt(const THit& Hit) const
{
    if (!FDoc || Hit.Page < 0)
        return nullptr;
    for (const TPdfLink& link : FDoc->Links(Hit.Page)) {
        if (link.Area.adjusted(-1, -1, 1, 1).contains(Hit.Point))
            return &link;
    }
    return nullptr;
}

std::optional<TTextPos> TPageView::WordAt(const THit& Hit, bool Nearest) const
{
    if (!FDoc)
        return std::nullopt;
    return pdfreader::WordAt(*FDoc, Hit.Page, Hit.Point, Nearest);
}

void TPageView::SelectTo(QPoint ViewportPos)
{
    if (!FSelection.Active())
        return;
    if (const auto focus = WordAt(HitTest(ViewportPos), true)) {
        FSelection.Extend(*focus);
        viewport()->update();
        emit selectionChanged();
    }
}

void TPageView::Activate(const TPdfLink& Link)
{
    if (Link.Target) {
        emit placeLeft(FCurrentPage, CurrentTop());
        GoTo(Link.Target->Page, Link.Target->Top.value_or(0));
        return;
    }
    QUrl url(Link.Url);
    // A link to another file names it relative to this document's folder.
    if (url.scheme().size() <= 1 && FDoc && !FDoc->Source()->FileName.isEmpty())
        url = QUrl::fromLocalFile(
            QFileInfo(FDoc->Source()->FileName).dir().absoluteFilePath(Link.Url));
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void TPageView::ClearSelection()
{
    if (!FSelection.Active())
        return;
    FSelection.Clear();
    viewport()->update();
    emit selectionChanged();
}

QString TPageView::SelectedText() const
{
    return FDoc ? FSelection.Text(*FDoc) : QString();
}

void TPageView::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::BackButton || Event->button() == Qt::ForwardButton) {
        emit placeRequested(Event->button() == Qt::BackButton ? -1 : 1);
        Event->accept();
        return;
    }
    if (Event->button() != Qt::LeftButton || !FDoc) {
        QAbstractScrollArea::mousePressEvent(Event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    FPressed = true;
    FDragging = false;
    FPressPos = Event->position().toPoint();
    const THit hit = HitTest(FPressPos);
    const TPdfLink* link = LinkAt(hit);
    FPressedLink = link ? std::optional<TPdfLink>(*link) : std::nullopt;
    if (!link && !(Event->modifiers() & Qt::ShiftModifier))
        ClearSelection();
    Event->accept();
}

void TPageView::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint pos = Event->position().toPoint();
    FLastMousePos = pos;
    if (!FPressed) {
        const THit hit = HitTest(pos);
        if (LinkAt(hit))
            viewport()->setCursor(Qt::PointingHandCursor);
        else if (WordAt(hit, false))
            viewport()->setCursor(Qt::IBeamCursor);
        else
            viewport()->unsetCursor();
        return;
    }
    if (!FDragging &&
        (pos - FPressPos).manhattanLength() < QApplication::styleHints()->startDragDistance())
        return;
    if (!FDragging) {
        FDragging = true;
        FPressedLink.reset();
        const auto start = WordAt(HitTest(FPressPos), true);
        if (!start)
            return;
        FSelection.Begin(*start);
    }
    SelectTo(pos);
    if (!viewport()->rect().contains(pos))
        FAutoScroll.start();
    else
        FAutoScroll.stop();
}

void TPageView::AutoScroll()
{
    const QRect area = viewport()->rect();
    int dy = 0;
    if (FLastMousePos.y() < area.top())
        dy = FLastMousePos.y() - area.top();
    else if (FLastMousePos.y() > area.bottom())
        dy = FLastMousePos.y() - area.bottom();
    if (dy == 0 || !FPressed) {
        FAutoScroll.stop();
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
    SelectTo(FLastMousePos);
}

void TPageView::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(Event);
        return;
    }
    FAutoScroll.stop();
    const bool click = FPressed && !FDragging;
    FPressed = FDragging = false;
    if (click && FPressedLink) {
        const TPdfLink link = *FPressedLink;
        FPressedLink.reset();
        Activate(link);
    }
    Event->accept();
}

void TPageView::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton || !FDoc)
        return;
    if (const auto word = WordAt(HitTest(Event->position().toPoint()), false)) {
        FSelection.Begin(*word);
        FPressed = false;
        viewport()->update();
        emit selectionChanged();
    }
}

}  // namespace tavo::pdfreader
