#include "PageView.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QStyleHints>
#include <QThread>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ReaderStrings.h"
#include "RenderQueue.h"
#include "docviewer/search/TextFolding.h"

namespace tavo::pdfreader {

namespace {

// A page image larger than this is rendered in tiles, so that no single image (and no
// single render) grows without bound as the zoom and the screen's pixel ratio go up.
constexpr int64_t kWholePageBytes = int64_t(24) << 20;
constexpr int kTileSize = 1024;
constexpr int kScrollStep = 20;
constexpr double kZoomSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

// One processor is left to the window: a worker that competes with it for the last one
// delays the paint of the very image it rendered.
int RenderWorkers()
{
    return std::clamp(QThread::idealThreadCount() - 1, 1, 3);
}

}  // namespace

TPageView::TPageView(QWidget* Parent)
    : QAbstractScrollArea(Parent), FQueue(new TRenderQueue(RenderWorkers(), this))
{
    setObjectName(QStringLiteral("PageView"));
    setAccessibleName(texts::DocumentName());
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    // Always there, so that fitting the width never makes it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    connect(FQueue, &TRenderQueue::rendered, this, &TPageView::OnRendered);
    FRequestTimer.setSingleShot(true);
    connect(&FRequestTimer, &QTimer::timeout, this, &TPageView::RequestImages);
    FSizeTimer.setInterval(0);
    connect(&FSizeTimer, &QTimer::timeout, this, &TPageView::ResolveSomeSizes);
    FFindTimer.setInterval(0);
    connect(&FFindTimer, &QTimer::timeout, this, &TPageView::FindStep);
    FDeferredPaint.setSingleShot(true);
    FDeferredPaint.setInterval(16);
    connect(&FDeferredPaint, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    FAutoScroll.setInterval(40);
    connect(&FAutoScroll, &QTimer::timeout, this, &TPageView::AutoScroll);
}

TPageView::~TPageView()
{
    FQueue->Cancel();
}

int64_t TPageView::WholePageBytes() const
{
    return std::min(kWholePageBytes, FCache.Limit() / 8);
}

void TPageView::Prepare(const TPdfSourcePtr& Source)
{
    TFirstPageHint hint;
    hint.FitWidth = FFitWidth;
    hint.Zoom = FLayout.Zoom();
    hint.ViewWidth = viewport()->width();
    hint.DevicePixelRatio = viewport()->devicePixelRatioF();
    hint.WholePageBytes = WholePageBytes();
    FQueue->Prepare(Source, hint);
    FPrepared = Source->Serial;
}

void TPageView::SetDocument(TPdfDocument* Document)
{
    FDoc = Document;
    FSerial = Document ? Document->Source()->Serial : 0;
    if (!Document)
        FQueue->Cancel();
    else if (FPrepared != FSerial)
        FQueue->Prepare(Document->Source(), std::nullopt);
    FPrepared = 0;
    FCache.Clear();
    FFailed.clear();
    FSelection.reset();
    FPressedLink.reset();
    FPressed = FDragging = false;
    FFindText.clear();
    FFindHits.clear();
    FFindCurrent.reset();
    FFindTimer.stop();
    FMarks.clear();
    FMarkPage = -1;
    FSizesResolved = 1;
    FLayout.Reset(Document ? Document->PageCount() : 0,
                  Document ? Document->FirstPageSize() : QSizeF());
    FLayout.SetViewWidth(viewport()->width());
    // As the workers' first page is sized (TRenderQueue::FirstPageJob).
    FLayout.SetZoom(FFitWidth ? FLayout.FitWidthZoom(viewport()->width()) : FLayout.Zoom());
    UpdateScrollBars();
    ScrollTo(0, 0);
    FPinned = false;
    const int before = FCurrentPage;
    FCurrentPage = Document ? 0 : -1;
    if (FCurrentPage != before)
        emit currentPageChanged(FCurrentPage);
    emit zoomChanged();
    emit selectionChanged();
    if (Document) {
        RequestImages();
        // The other pages' sizes once the first page is up.
        QTimer::singleShot(100, this, [this, serial = FSerial] {
            if (FSerial == serial)
                FSizeTimer.start();
        });
    } else {
        FSizeTimer.stop();
    }
    Refresh();
}

int64_t TPageView::ImageBytes() const
{
    return FCache.Bytes() + FQueue->DeliveringBytes();
}

QSize TPageView::PageImageSize(int Page) const
{
    return FLayout.DeviceSize(Page, viewport()->devicePixelRatioF());
}

bool TPageView::Settled() const
{
    const QRect view = ViewRect();
    for (int page = std::max(0, FLayout.PageAt(view.top())); page < FLayout.Count(); ++page) {
        const QRect rect = FLayout.PageRect(page);
        if (rect.top() > view.bottom())
            break;
        const TPageImage image = ImageOf(page);
        for (const TTile& tile : image.Tiles) {
            const QRectF logical(rect.left() + tile.Area.left() / image.Ratio,
                                 rect.top() + tile.Area.top() / image.Ratio,
                                 tile.Area.width() / image.Ratio, tile.Area.height() / image.Ratio);
            if (logical.intersects(view) && !FCache.Contains(tile.Key) &&
                !FFailed.contains(tile.Key))
                return false;
        }
    }
    return true;
}

// --- Geometry -----------------------------------------------------------------------

QRect TPageView::ViewRect() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value(), viewport()->width(),
            viewport()->height()};
}

QRectF TPageView::ToView(int Page, const QRectF& Points) const
{
    const QRect page = FLayout.PageRect(Page);
    const double s = FLayout.Scale();
    return QRectF(page.left() + Points.left() * s, page.top() + Points.top() * s,
                  Points.width() * s, Points.height() * s)
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

TPageView::THit TPageView::HitTest(QPoint ViewportPos) const
{
    THit hit;
    if (!FDoc)
        return hit;
    const QPoint content = ViewportPos + ViewRect().topLeft();
    hit.Page = FLayout.PageAt(content.y());
    if (hit.Page < 0)
        return hit;
    const QRect page = FLayout.PageRect(hit.Page);
    hit.Point = QPointF(content - page.topLeft()) / FLayout.Scale();
    return hit;
}

void TPageView::UpdateScrollBars()
{
    FLayout.SetViewWidth(viewport()->width());
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    const bool was = FProgrammatic;
    FProgrammatic = true;
    v->setRange(0, std::max(0, FLayout.ContentHeight() - viewport()->height()));
    v->setPageStep(std::max(kScrollStep, viewport()->height() - 2 * kScrollStep));
    v->setSingleStep(kScrollStep);
    h->setRange(0, std::max(0, FLayout.ContentWidth() - viewport()->width()));
    h->setPageStep(std::max(kScrollStep, viewport()->width() - 2 * kScrollStep));
    h->setSingleStep(kScrollStep);
    FProgrammatic = was;
}

void TPageView::ScrollTo(int X, int Y)
{
    const bool was = FProgrammatic;
    FProgrammatic = true;
    horizontalScrollBar()->setValue(X);
    verticalScrollBar()->setValue(Y);
    FProgrammatic = was;
}

// Lays the pages out again (new zoom, width or page sizes), keeping the document point
// under Anchor (the viewport's top left when none) where it was.
void TPageView::Relayout(std::optional<QPoint> Anchor)
{
    const QPoint at = Anchor.value_or(QPoint(0, 0));
    const THit hit = HitTest(at);
    const bool atTop = !Anchor && verticalScrollBar()->value() == 0;
    const double zoom = FLayout.Zoom();
    FLayout.SetViewWidth(viewport()->width());
    if (FFitWidth)
        FLayout.SetZoom(FLayout.FitWidthZoom(viewport()->width()));
    UpdateScrollBars();
    if (FLayout.Zoom() != zoom)
        emit zoomChanged();
    if (hit.Page >= 0 && !atTop) {
        const QRect page = FLayout.PageRect(hit.Page);
        const QPointF content = QPointF(page.topLeft()) + hit.Point * FLayout.Scale();
        ScrollTo(Anchor ? int(std::lround(content.x())) - at.x() : horizontalScrollBar()->value(),
                 int(std::lround(content.y())) - at.y());
    }
    ScheduleRequests();
    Refresh();
}

// Sizes of the pages that show (and the screen below) are read before they are drawn.
void TPageView::ResolveSizes(int Top, int Bottom)
{
    if (!FDoc)
        return;
    for (int pass = 0; pass < 4; ++pass) {
        bool changed = false;
        const int first = FLayout.PageAt(Top);
        const int last = FLayout.PageAt(Bottom);
        for (int i = std::max(0, first); i <= last && i < FDoc->PageCount(); ++i) {
            if (!FDoc->SizeKnown(i) && FLayout.SetPageSize(i, FDoc->PageSize(i)))
                changed = true;
        }
        if (!changed)
            return;
        Relayout(std::nullopt);
    }
}

// In the background, a batch at a time: the other pages' sizes, so that the scroll bar
// comes to tell the truth for documents whose pages differ in size.
void TPageView::ResolveSomeSizes()
{
    if (!FDoc || FSizesResolved >= FDoc->PageCount()) {
        FSizeTimer.stop();
        return;
    }
    bool changed = false;
    const int end = std::min(FDoc->PageCount(), FSizesResolved + 32);
    for (; FSizesResolved < end; ++FSizesResolved) {
        if (!FDoc->SizeKnown(FSizesResolved) &&
            FLayout.SetPageSize(FSizesResolved, FDoc->PageSize(FSizesResolved)))
            changed = true;
    }
    if (changed)
        Relayout(std::nullopt);
}

void TPageView::UpdateCurrentPage()
{
    if (!FDoc || FPinned)
        return;
    // The page that fills most of the view.
    const QRect view = ViewRect();
    int best = FLayout.PageAt(view.top());
    int bestHeight = -1;
    for (int i = best; i >= 0 && i < FLayout.Count(); ++i) {
        const QRect page = FLayout.PageRect(i);
        if (page.top() > view.bottom())
            break;
        const int shown = std::min(page.bottom(), view.bottom()) - std::max(page.top(), view.top());
        if (shown > bestHeight) {
            bestHeight = shown;
            best = i;
        }
    }
    if (best != FCurrentPage) {
        FCurrentPage = best;
        emit currentPageChanged(best);
    }
}

// --- Navigation and zoom -------------------------------------------------------------

void TPageView::GoTo(int Page, double Top)
{
    if (!FDoc)
        return;
    Page = std::clamp(Page, 0, FDoc->PageCount() - 1);
    if (!FDoc->SizeKnown(Page) && FLayout.SetPageSize(Page, FDoc->PageSize(Page)))
        Relayout(std::nullopt);
    const QRect rect = FLayout.PageRect(Page);
    const double top = std::clamp(Top, 0.0, FLayout.PagePoints(Page).height());
    ScrollTo(horizontalScrollBar()->value(), rect.top() + int(std::lround(top * FLayout.Scale())));
    ResolveSizes(ViewRect().top(), ViewRect().bottom() + viewport()->height());
    // Sizes read above the page may have moved it.
    ScrollTo(horizontalScrollBar()->value(),
             FLayout.PageRect(Page).top() + int(std::lround(top * FLayout.Scale())));
    FPinned = true;
    if (FCurrentPage != Page) {
        FCurrentPage = Page;
        emit currentPageChanged(Page);
    }
    RequestImages();
    Refresh();
}

void TPageView::SetFitWidth(bool Fit)
{
    FFitWidth = Fit;
    if (Fit && FDoc)
        Relayout(std::nullopt);
    emit zoomChanged();
}

void TPageView::FitPage()
{
    if (!FDoc)
        return;
    const int page = std::max(0, FCurrentPage);
    FFitWidth = false;
    FLayout.SetZoom(std::clamp(FLayout.FitPageZoom(page, viewport()->size()), 0.05, kMaxZoom));
    Relayout(std::nullopt);
    GoTo(page);
    emit zoomChanged();
}

void TPageView::SetZoom(double Zoom, QPoint Anchor)
{
    Zoom = std::clamp(Zoom, kMinZoom, kMaxZoom);
    const bool wasFit = FFitWidth;
    FFitWidth = false;
    if (std::abs(Zoom - FLayout.Zoom()) < 1e-6) {
        if (wasFit)
            emit zoomChanged();
        return;
    }
    const bool pinned = FPinned;
    const THit hit = HitTest(Anchor);
    FLayout.SetZoom(Zoom);
    UpdateScrollBars();
    if (hit.Page >= 0) {
        const QPointF content =
            QPointF(FLayout.PageRect(hit.Page).topLeft()) + hit.Point * FLayout.Scale();
        ScrollTo(int(std::lround(content.x())) - Anchor.x(),
                 int(std::lround(content.y())) - Anchor.y());
    }
    FPinned = pinned;
    UpdateCurrentPage();
    ScheduleRequests();
    Refresh();
    emit zoomChanged();
}

void TPageView::ZoomIn()
{
    const double now = FLayout.Zoom();
    double next = kMaxZoom;
    for (double step : kZoomSteps) {
        if (step > now + 0.005) {
            next = step;
            break;
        }
    }
    SetZoom(next, viewport()->rect().center());
}

void TPageView::ZoomOut()
{
    const double now = FLayout.Zoom();
    double next = kMinZoom;
    for (double step : kZoomSteps) {
        if (step < now - 0.005)
            next = step;
    }
    SetZoom(next, viewport()->rect().center());
}

// --- Images ----------------------------------------------------------------------------

// Paints what moved into view. When some of it has no image yet, the paint waits for the
// image a frame's time at most, so that a quick render shows without a flash of empty page
// frames and without painting twice while the user waits.
void TPageView::Refresh()
{
    if (Settled()) {
        FDeferredPaint.stop();
        viewport()->update();
    } else if (!FDeferredPaint.isActive()) {
        FDeferredPaint.start();
    }
}

void TPageView::ScheduleRequests()
{
    if (!FRequestTimer.isActive())
        FRequestTimer.start(0);
}

TPageView::TPageImage TPageView::ImageOf(int Page) const
{
    TPageImage image;
    image.Ratio = viewport()->devicePixelRatioF();
    const QSize size = PageImageSize(Page);
    const int width = size.width();
    const int height = size.height();
    const QSizeF points = FLayout.PagePoints(Page);
    image.XRes = width * 72.0 / points.width();
    image.YRes = height * 72.0 / points.height();
    if (int64_t(width) * height * 4 <= WholePageBytes()) {
        image.Tiles.push_back({{FSerial, Page, width, 0}, QRect(0, 0, width, height)});
        return image;
    }
    const int columns = (width + kTileSize - 1) / kTileSize;
    const int rows = (height + kTileSize - 1) / kTileSize;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect area(column * kTileSize, row * kTileSize,
                             std::min(kTileSize, width - column * kTileSize),
                             std::min(kTileSize, height - row * kTileSize));
            image.Tiles.push_back({{FSerial, Page, width, row * columns + column}, area});
        }
    }
    return image;
}

// Asks the workers for what shows and for one screen ahead in the direction of scrolling,
// what shows first, within three quarters of the cache so that nothing wanted is evicted
// by something else wanted.
void TPageView::RequestImages()
{
    if (!FDoc) {
        FQueue->Cancel();
        return;
    }
    QRect view = ViewRect();
    ResolveSizes(view.top(), view.bottom() + view.height());
    view = ViewRect();
    const QRect ahead =
        FScrollingUp ? view.translated(0, -view.height()) : view.translated(0, view.height());
    std::vector<TRenderJob> jobs;
    QSet<TTileKey> listed;  // the view and the screen ahead may share a page
    int64_t budget = FCache.Limit() * 3 / 4;
    for (const QRect& area : {view, ahead}) {
        const int first = FLayout.PageAt(area.top());
        for (int page = std::max(0, first); page >= 0 && page < FLayout.Count(); ++page) {
            const QRect rect = FLayout.PageRect(page);
            if (rect.top() > area.bottom())
                break;
            if (!rect.intersects(area))
                continue;
            const TPageImage image = ImageOf(page);
            for (const TTile& tile : image.Tiles) {
                const QRectF logical(rect.left() + tile.Area.left() / image.Ratio,
                                     rect.top() + tile.Area.top() / image.Ratio,
                                     tile.Area.width() / image.Ratio,
                                     tile.Area.height() / image.Ratio);
                if (!logical.intersects(area) || listed.contains(tile.Key))
                    continue;
                listed.insert(tile.Key);
                budget -= int64_t(tile.Area.width()) * tile.Area.height() * 4;
                if (budget < 0)
                    break;
                if (FCache.Find(tile.Key) || FFailed.contains(tile.Key))
                    continue;
                jobs.push_back({tile.Key, FDoc->Source(), image.XRes, image.YRes, tile.Area,
                                image.Ratio, area != view});
            }
        }
    }
    FQueue->SetWanted(std::move(jobs), FSerial);
}

void TPageView::OnRendered(const TTileKey& Key, const QImage& Image)
{
    if (Key.Serial != FSerial || !FDoc)
        return;
    if (Image.isNull())
        FFailed.insert(Key);
    else
        FCache.Insert(Key, Image);
    // Painted at once rather than on the next pass of the event loop: the image is what the
    // user waits for.
    const QRect page = FLayout.PageRect(Key.Page).adjusted(0, 0, 2, 2);
    if (FDeferredPaint.isActive()) {
        FDeferredPaint.stop();
        viewport()->repaint();
    } else if (page.intersects(ViewRect())) {
        viewport()->repaint(page.translated(-ViewRect().topLeft()));
    }
    ScheduleRequests();
}

// --- Painting ----------------------------------------------------------------------------

void TPageView::paintEvent(QPaintEvent* Event)
{
    QPainter painter(viewport());
    if (!FDoc) {
        painter.fillRect(Event->rect(), palette().color(QPalette::Mid));
        return;
    }
    const QRect view = ViewRect();
    const QRect dirty = Event->rect().translated(view.topLeft());
    // The background only around the pages: a page's image covers the rest.
    QRegion background(Event->rect());
    std::vector<std::pair<int, QRect>> pages;
    for (int page = std::max(0, FLayout.PageAt(dirty.top())); page < FLayout.Count(); ++page) {
        const QRect rect = FLayout.PageRect(page);
        if (rect.top() > dirty.bottom())
            break;
        if (rect.adjusted(0, 0, 2, 2).intersects(dirty)) {
            pages.emplace_back(page, rect.translated(-view.topLeft()));
            background -= pages.back().second;
        }
    }
    for (const QRect& part : background)
        painter.fillRect(part, palette().color(QPalette::Mid));
    for (const auto& [page, rect] : pages)
        PaintPage(painter, page, rect);
}

void TPageView::PaintPage(QPainter& Painter, int Page, const QRect& Rect)
{
    // The page's frame, with white paper where its image has not arrived yet.
    Painter.fillRect(QRect(Rect.left() + 2, Rect.bottom() + 1, Rect.width(), 2),
                     palette().color(QPalette::Dark));
    Painter.fillRect(QRect(Rect.right() + 1, Rect.top() + 2, 2, Rect.height()),
                     palette().color(QPalette::Dark));
    const TPageImage image = ImageOf(Page);
    const QRect visible = viewport()->rect();
    bool complete = true;
    bool failed = false;
    for (const TTile& tile : image.Tiles) {
        const QPointF at = QPointF(Rect.topLeft()) + QPointF(tile.Area.topLeft()) / image.Ratio;
        const QRectF logical(at, QSizeF(tile.Area.size()) / image.Ratio);
        if (!logical.intersects(visible))
            continue;
        if (const QImage* tileImage = FCache.Find(tile.Key)) {
            Painter.drawImage(at, *tileImage);
        } else {
            Painter.fillRect(logical.intersected(QRectF(Rect)), Qt::white);
            complete = false;
            failed = failed || FFailed.contains(tile.Key);
        }
    }
    if (failed) {
        Painter.setPen(palette().color(QPalette::PlaceholderText));
        Painter.drawText(Rect, Qt::AlignCenter | Qt::TextWordWrap, texts::PageFailed());
    }
    Painter.setPen(QColor(0, 0, 0, 60));
    Painter.drawRect(Rect.adjusted(0, 0, -1, -1));

    if (!FFindText.isEmpty()) {
        const QList<QRectF>& hits = FindHits(Page);
        for (int i = 0; i < hits.size(); ++i) {
            const bool current =
                FFindCurrent && FFindCurrent->first == Page && FFindCurrent->second == i;
            Painter.fillRect(ToView(Page, hits[i]).adjusted(-1, -1, 1, 1),
                             current ? QColor(255, 140, 0, 140) : QColor(255, 230, 0, 110));
        }
    }
    if (Page == FMarkPage) {
        for (const QRectF& mark : FMarks)
            Painter.fillRect(ToView(Page, mark).adjusted(-1, -1, 1, 1), QColor(120, 220, 120, 120));
    }
    if (FSelection) {
        const TTextPos from = std::min(FSelection->Anchor, FSelection->Focus);
        const TTextPos to = std::max(FSelection->Anchor, FSelection->Focus);
        if (Page >= from.Page && Page <= to.Page) {
            QColor highlight = palette().color(QPalette::Highlight);
            highlight.setAlpha(90);
            const auto& words = FDoc->Words(Page);
            const int first = Page == from.Page ? from.Word : 0;
            const int last = Page == to.Page ? to.Word : int(words.size()) - 1;
            for (int i = std::max(0, first); i <= last && i < int(words.size()); ++i)
                Painter.fillRect(ToView(Page, words[size_t(i)].Box), highlight);
        }
    }
    if (complete)
        emit pageShown(Page);
    else if (!failed)
        ScheduleRequests();  // also after a change of the screen's pixel ratio
}

// --- Events -------------------------------------------------------------------------------

void TPageView::resizeEvent(QResizeEvent* Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    // Fit width keeps fitting; the top of the view stays on the same place of its page.
    Relayout(std::nullopt);
    UpdateCurrentPage();
}

void TPageView::scrollContentsBy(int, int Dy)
{
    if (Dy != 0)
        FScrollingUp = Dy > 0;
    if (!FProgrammatic)
        FPinned = false;
    UpdateCurrentPage();
    ScheduleRequests();
    Refresh();
}

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
        if (FSelection) {
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

// --- Links and selection -----------------------------------------------------------------

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

std::optional<TPageView::TTextPos> TPageView::WordAt(const THit& Hit, bool Nearest) const
{
    if (!FDoc || Hit.Page < 0)
        return std::nullopt;
    const auto& words = FDoc->Words(Hit.Page);
    int best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const QRectF box = words[i].Box;
        if (box.adjusted(-1, -1, 1, 1).contains(Hit.Point))
            return TTextPos{Hit.Page, int(i)};
        const double dx = std::max({box.left() - Hit.Point.x(), 0.0, Hit.Point.x() - box.right()});
        const double dy = std::max({box.top() - Hit.Point.y(), 0.0, Hit.Point.y() - box.bottom()});
        // The nearest line first, then the nearest word on it: a point beside a line picks a
        // word of that line however far away.
        const double distance = dy * 1e6 + dx;
        if (best < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    if (!Nearest || best < 0)
        return std::nullopt;
    return TTextPos{Hit.Page, best};
}

void TPageView::Activate(const TPdfLink& Link)
{
    if (Link.Target) {
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
    if (!FSelection)
        return;
    FSelection.reset();
    viewport()->update();
    emit selectionChanged();
}

QString TPageView::SelectedText() const
{
    if (!FSelection || !FDoc)
        return {};
    const TTextPos from = std::min(FSelection->Anchor, FSelection->Focus);
    const TTextPos to = std::max(FSelection->Anchor, FSelection->Focus);
    QString text;
    for (int page = from.Page; page <= to.Page; ++page) {
        const auto& words = FDoc->Words(page);
        const int first = page == from.Page ? from.Word : 0;
        const int last = page == to.Page ? to.Word : int(words.size()) - 1;
        if (page > from.Page && !text.isEmpty())
            text += u'\n';
        for (int i = std::max(0, first); i <= last && i < int(words.size()); ++i) {
            const TPdfWord& word = words[size_t(i)];
            if (i > first) {
                const TPdfWord& before = words[size_t(i - 1)];
                if (word.Box.top() >= before.Box.center().y())
                    text += u'\n';
                else if (before.SpaceAfter)
                    text += u' ';
            }
            text += word.Text;
        }
    }
    return text;
}

void TPageView::mousePressEvent(QMouseEvent* Event)
{
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
        FSelection = TSelection{*start, *start};
    }
    if (FSelection) {
        if (const auto focus = WordAt(HitTest(pos), true)) {
            FSelection->Focus = *focus;
            viewport()->update();
            emit selectionChanged();
        }
    }
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
    if (FSelection) {
        if (const auto focus = WordAt(HitTest(FLastMousePos), true)) {
            FSelection->Focus = *focus;
            viewport()->update();
            emit selectionChanged();
        }
    }
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
        FSelection = TSelection{*word, *word};
        FPressed = false;
        viewport()->update();
        emit selectionChanged();
    }
}

// --- Find and marks ---------------------------------------------------------------------

const QList<QRectF>& TPageView::FindHits(int Page)
{
    auto found = FFindHits.find(Page);
    if (found == FFindHits.end())
        found = FFindHits.insert(Page, FDoc->Search(Page, FFindText));
    return found.value();
}

void TPageView::ClearFind()
{
    FFindText.clear();
    FFindHits.clear();
    FFindCurrent.reset();
    FFindTimer.stop();
    viewport()->update();
}

void TPageView::Find(const QString& Text, bool Backwards)
{
    if (!FDoc || Text.trimmed().isEmpty()) {
        ClearFind();
        return;
    }
    if (Text != FFindText) {
        FFindText = Text;
        FFindHits.clear();
        FFindCurrent.reset();
    }
    FFindBackwards = Backwards;
    const int count = FDoc->PageCount();
    if (FFindCurrent) {
        // The next hit on the same page, else on from the next page round to this one.
        const auto [page, index] = *FFindCurrent;
        const int next = index + (Backwards ? -1 : 1);
        if (next >= 0 && next < FindHits(page).size()) {
            FFindCurrent = {page, next};
            ShowRect(page, FindHits(page)[next]);
            emit findFinished(true);
            return;
        }
        FFindNextPage = (page + (Backwards ? count - 1 : 1)) % count;
    } else {
        FFindNextPage = std::max(0, FCurrentPage);
    }
    FFindRemaining = count;
    FFindTimer.start();
    viewport()->update();
}

// A slice of the search; the window stays responsive while a long document is searched.
void TPageView::FindStep()
{
    if (!FDoc) {
        FFindTimer.stop();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    const int count = FDoc->PageCount();
    while (FFindRemaining > 0) {
        const int page = FFindNextPage;
        const QList<QRectF>& hits = FindHits(page);
        if (!hits.isEmpty()) {
            FFindTimer.stop();
            const int index = FFindBackwards ? int(hits.size()) - 1 : 0;
            FFindCurrent = {page, index};
            ShowRect(page, hits[index]);
            emit findFinished(true);
            return;
        }
        FFindNextPage = (page + (FFindBackwards ? count - 1 : 1)) % count;
        --FFindRemaining;
        if (slice.elapsed() > 12)
            return;
    }
    FFindTimer.stop();
    viewport()->update();
    emit findFinished(false);
}

// Brings a place on a page into view: left alone when it shows already, else put in the
// upper third of the view.
void TPageView::ShowRect(int Page, const QRectF& Points)
{
    if (!FDoc->SizeKnown(Page) && FLayout.SetPageSize(Page, FDoc->PageSize(Page)))
        Relayout(std::nullopt);
    const QRectF rect = ToView(Page, Points);
    if (!viewport()->rect().contains(rect.toAlignedRect())) {
        const QRect page = FLayout.PageRect(Page);
        const int y = page.top() + int(Points.top() * FLayout.Scale()) - viewport()->height() / 3;
        int x = horizontalScrollBar()->value();
        const int left = page.left() + int(Points.left() * FLayout.Scale());
        if (left < x || left + rect.width() > x + viewport()->width())
            x = left - viewport()->width() / 4;
        ScrollTo(x, y);
        FPinned = false;
        UpdateCurrentPage();
    }
    ScheduleRequests();
    viewport()->update();
}

void TPageView::MarkWords(int Page, const QStringList& Words)
{
    FMarks.clear();
    FMarkPage = -1;
    viewport()->update();
    if (!FDoc || Page < 0 || Page >= FDoc->PageCount())
        return;
    // Folded as the manual's index folds, so that every word a search finds is marked.
    QStringList wanted;
    for (const QString& word : Words) {
        const QString folded = docviewer::FoldText(word.trimmed());
        if (!folded.isEmpty())
            wanted << folded;
    }
    if (wanted.isEmpty())
        return;
    const std::vector<TPdfWord>& words = FDoc->Words(Page);
    std::vector<docviewer::TTextPiece> pieces;
    pieces.reserve(words.size());
    for (const TPdfWord& word : words)
        pieces.push_back({word.Text, word.SpaceAfter});
    for (int index : docviewer::PiecesHolding(pieces, wanted))
        FMarks << words[static_cast<size_t>(index)].Box;
    FMarkPage = Page;
    if (FMarks.isEmpty()) {
        GoTo(Page);
        return;
    }
    GoTo(Page);
    ShowRect(Page, FMarks.front());
}

}  // namespace tavo::pdfreader
