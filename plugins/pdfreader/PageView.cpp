#include "PageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ImageMemory.h"
#include "ReaderStrings.h"
#include "RenderQueue.h"
#include "docviewer/search/TextFolding.h"

namespace tavo::pdfreader {

namespace {

// A page image larger than this is rendered in tiles (TPageLayout::ImageOf).
constexpr int64_t kWholePageBytes = int64_t(24) << 20;
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
    : QAbstractScrollArea(Parent), FQueue(new TRenderQueue(RenderWorkers(), this)),
      FFind(new TPageFind(this))
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
    connect(FFind, &TPageFind::show, this, &TPageView::ShowRect);
    connect(FFind, &TPageFind::finished, this, &TPageView::findFinished);
    connect(FFind, &TPageFind::changed, viewport(), qOverload<>(&QWidget::update));
    FDeferredPaint.setSingleShot(true);
    FDeferredPaint.setInterval(16);
    connect(&FDeferredPaint, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    FPoolTimer.setSingleShot(true);
    FPoolTimer.setInterval(0);
    connect(&FPoolTimer, &QTimer::timeout, this, &TPageView::PoolRenderedImages);
    FAutoScroll.setInterval(40);
    connect(&FAutoScroll, &QTimer::timeout, this, &TPageView::AutoScroll);
}

TPageView::~TPageView()
{
    FQueue->Cancel();
    FCache.Clear();
    ReleaseFreeImageMemory();
}

int64_t TPageView::WholePageBytes() const
{
    return std::min(kWholePageBytes, FCache.Limit() / 8);
}

void TPageView::Prepare(const TPdfSourcePtr& Source)
{
    TFirstPageHint hint;
    hint.FitWidth = FitWidth();
    hint.Zoom = FMode == TZoomMode::zmActualSize ? 1.0 : FLayout.Zoom();
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
    FToPool.clear();
    FFailed.clear();
    FSelection.Clear();
    FPressedLink.reset();
    FPressed = FDragging = false;
    FFind->SetDocument(Document);
    FMarks.clear();
    FMarkPage = -1;
    FSizesResolved = 1;
    FLayout.Reset(Document ? Document->PageCount() : 0,
                  Document ? Document->FirstPageSize() : QSizeF());
    FLayout.SetViewWidth(viewport()->width());
    // As the workers' first page is sized (TRenderQueue::FirstPageJob).
    FLayout.SetZoom(ModeZoom());
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
        for (const TPageTile& tile : image.Tiles) {
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
    FLayout.SetZoom(ModeZoom());
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
    SetCurrentPage(best);
}

void TPageView::SetCurrentPage(int Page)
{
    if (Page == FCurrentPage)
        return;
    FCurrentPage = Page;
    if (!FHeldPage)
        emit currentPageChanged(Page);
}

// --- Navigation and zoom -------------------------------------------------------------

void TPageView::GoTo(int Page, double Top)
{
    if (!FDoc)
        return;
    Page = std::clamp(Page, 0, FDoc->PageCount() - 1);
    // The page first: what follows a change of page is painted once the page is on the screen.
    FHeldPage = FCurrentPage;
    horizontalScrollBar()->setUpdatesEnabled(false);
    verticalScrollBar()->setUpdatesEnabled(false);
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
    SetCurrentPage(Page);
    const bool ready = RenderInPlace(Page);
    RequestImages();
    if (ready) {
        // The page asked for is whole: on the screen now, whatever else is still on its way.
        FDeferredPaint.stop();
        viewport()->repaint();
    } else {
        Refresh();
    }
    horizontalScrollBar()->setUpdatesEnabled(true);
    verticalScrollBar()->setUpdatesEnabled(true);
    if (!FToPool.empty())
        FPoolTimer.start();
    const int before = *std::exchange(FHeldPage, std::nullopt);
    if (FCurrentPage != before)
        emit currentPageChanged(FCurrentPage);
}

double TPageView::ModeZoom() const
{
    switch (FMode) {
    case TZoomMode::zmFitWidth:
        return FLayout.FitWidthZoom(viewport()->width());
    case TZoomMode::zmFitPage:
        return std::clamp(FLayout.FitPageZoom(std::max(0, FCurrentPage), viewport()->size()), 0.05,
                          kMaxZoom);
    case TZoomMode::zmActualSize:
        return 1.0;
    case TZoomMode::zmCustom:
        break;
    }
    return FLayout.Zoom();
}

double TPageView::CurrentTop() const
{
    if (!FDoc || FCurrentPage < 0)
        return 0;
    const double top = (ViewRect().top() - FLayout.PageRect(FCurrentPage).top()) / FLayout.Scale();
    return std::clamp(top, 0.0, FLayout.PagePoints(FCurrentPage).height());
}

void TPageView::SetZoomMode(TZoomMode Mode)
{
    FMode = Mode;
    if (FDoc && Mode == TZoomMode::zmFitPage) {
        // The whole page: its top at the top of the view.
        const int page = std::max(0, FCurrentPage);
        Relayout(std::nullopt);
        GoTo(page);
    } else if (FDoc && Mode != TZoomMode::zmCustom) {
        Relayout(std::nullopt);
    }
    emit zoomChanged();
}

void TPageView::SetFitWidth(bool Fit)
{
    SetZoomMode(Fit ? TZoomMode::zmFitWidth : TZoomMode::zmCustom);
}

void TPageView::FitPage()
{
    SetZoomMode(TZoomMode::zmFitPage);
}

void TPageView::SetZoom(double Zoom, QPoint Anchor)
{
    Zoom = std::clamp(Zoom, kMinZoom, kMaxZoom);
    const bool wasFit = FMode != TZoomMode::zmCustom;
    FMode = TZoomMode::zmCustom;
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

TPageImage TPageView::ImageOf(int Page) const
{
    return FLayout.ImageOf(Page, viewport()->devicePixelRatioF(), FSerial, WholePageBytes());
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
            for (const TPageTile& tile : image.Tiles) {
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

// The page the user asked for, rendered on the window's thread with the window's own
// document when none of it is cached: the hand-over to a worker and back costs more than the
// render itself on a loaded machine. The pages around it are left to the workers. True when
// every part of the page in view has its image now.
bool TPageView::RenderInPlace(int Page)
{
    // More than about two screens of pixels is left to the workers, so the window never stalls.
    const QSize device = viewport()->size() * viewport()->devicePixelRatioF();
    const int64_t most = 2 * int64_t(device.width()) * device.height() * 4;
    const TPageImage image = ImageOf(Page);
    const QRect rect = FLayout.PageRect(Page);
    const QRect view = ViewRect();
    std::vector<const TPageTile*> missing;
    int64_t bytes = 0;
    for (const TPageTile& tile : image.Tiles) {
        const QRectF logical(rect.left() + tile.Area.left() / image.Ratio,
                             rect.top() + tile.Area.top() / image.Ratio,
                             tile.Area.width() / image.Ratio, tile.Area.height() / image.Ratio);
        if (!logical.intersects(view) || FFailed.contains(tile.Key))
            continue;
        if (FCache.Contains(tile.Key))
            continue;
        missing.push_back(&tile);
        bytes += int64_t(tile.Area.width()) * tile.Area.height() * 4;
    }
    if (missing.empty())
        return true;
    if (bytes > most)
        return false;
    // The workers let go of what they render for the place left, so the processor is ours.
    FQueue->SetWanted({}, FSerial);
    for (const TPageTile* tile : missing) {
        QImage part = FDoc->Render(Page, image.XRes, image.YRes, tile->Area);
        if (part.isNull()) {
            FFailed.insert(tile->Key);
            continue;
        }
        part.setDevicePixelRatio(image.Ratio);
        FCache.Insert(tile->Key, std::move(part));
        FToPool.push_back(tile->Key);
    }
    return true;
}

// The images rendered here are moved into the pool's memory once they are on the screen, so
// that the heap's memory they were rendered into is what the next render takes.
void TPageView::PoolRenderedImages()
{
    for (const TTileKey& key : std::exchange(FToPool, {}))
        if (const QImage* image = FCache.Find(key))
            FCache.Insert(key, InPooledMemory(*image));
}

void TPageView::OnRendered(const TTileKey& Key, const QImage& Image)
{
    if (Key.Serial != FSerial || !FDoc)
        return;
    if (Image.isNull()) {
        FFailed.insert(Key);
    } else {
        FCache.Insert(Key, Image);
    }
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
        if (rect.adjusted(-1, -1, 2, 2).intersects(dirty)) {
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
    // The page's frame around it, a shadow at its right and bottom, and white paper where its
    // image has not arrived yet. Opaque: a translucent line down a page is blended row by
    // row, on threads, and costs more than the page's image.
    const QColor dark = palette().color(QPalette::Dark);
    Painter.fillRect(QRect(Rect.left() - 1, Rect.top() - 1, Rect.width() + 2, 1), dark);
    Painter.fillRect(QRect(Rect.left() - 1, Rect.top(), 1, Rect.height()), dark);
    Painter.fillRect(QRect(Rect.left() + 2, Rect.bottom() + 1, Rect.width(), 2), dark);
    Painter.fillRect(QRect(Rect.right() + 1, Rect.top() + 2, 2, Rect.height()), dark);
    const TPageImage image = ImageOf(Page);
    const QRect visible = viewport()->rect();
    bool complete = true;
    bool failed = false;
    for (const TPageTile& tile : image.Tiles) {
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

    const auto toView = [this, Page](const QRectF& Points) { return ToView(Page, Points); };
    FFind->Paint(Painter, Page, toView);
    if (Page == FMarkPage) {
        for (const QRectF& mark : FMarks)
            Painter.fillRect(ToView(Page, mark).adjusted(-1, -1, 1, 1), QColor(120, 220, 120, 120));
    }
    FSelection.Paint(Painter, *FDoc, Page, toView, palette().color(QPalette::Highlight));
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

// --- Find and marks ---------------------------------------------------------------------

void TPageView::ClearFind()
{
    FFind->Clear();
}

void TPageView::Find(const QString& Text, bool Backwards)
{
    FFind->Find(Text, Backwards, FCurrentPage);
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
