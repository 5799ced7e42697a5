#pragma once
// The continuous column of pages: scrolling, zoom, the images from the render workers (a
// page frame until they arrive), links and marked words; the text selection and find are
// parts of their own (TextSelection.h, PageFind.h).
#include <QAbstractScrollArea>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "PageCache.h"
#include "PageFind.h"
#include "PageLayout.h"
#include "PdfDocument.h"
#include "TextSelection.h"
#include "platform/PdfReaderControl.h"

namespace tavo::pdfreader {

class TRenderQueue;

class TPageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4.0;

    explicit TPageView(QWidget* Parent = nullptr);
    ~TPageView() override;

    // Render workers start opening the source (and rendering its first page as this view
    // will show it) while the window opens its own copy.
    void Prepare(const TPdfSourcePtr& Source);
    // The document is not owned; null shows nothing. A new document starts at its top.
    void SetDocument(TPdfDocument* Document);
    TPdfDocument* Document() const { return FDoc; }

    // Shows the page (0-based, clamped) with the place Top points below its top at the top.
    void GoTo(int Page, double Top = 0);
    int CurrentPage() const { return FCurrentPage; }  // 0-based, -1 without a document

    // Points below the current page's top at the top of the view.
    double CurrentTop() const;

    double Zoom() const { return FLayout.Zoom(); }
    using TZoomMode = platform::TPdfZoomMode;
    TZoomMode ZoomMode() const { return FMode; }
    // Fitting modes keep the page fitted as the view is resized; the current page stays.
    void SetZoomMode(TZoomMode Mode);
    bool FitWidth() const { return FMode == TZoomMode::zmFitWidth; }
    void SetFitWidth(bool Fit);
    // The whole current page, its top at the top of the view.
    void FitPage();
    // Zooms keeping the document point under Anchor (viewport pixels) in place; leaves
    // fit-width mode.
    void SetZoom(double Zoom, QPoint Anchor);
    void ZoomIn();
    void ZoomOut();

    bool HasSelection() const { return FSelection.Active(); }
    QString SelectedText() const;
    void ClearSelection();

    // Finds the next (or previous) occurrence after the current one, page by page in the
    // background; ends with findFinished.
    void Find(const QString& Text, bool Backwards);
    void ClearFind();
    QString FindText() const { return FFind->Text(); }

    void MarkWords(int Page, const QStringList& Words);
    int MarkCount() const { return static_cast<int>(FMarks.size()); }

    TPageCache& Cache() { return FCache; }
    const TPageCache& Cache() const { return FCache; }
    int64_t ImageBytes() const;  // in the cache and on their way to it
    // The page's whole image in device pixels, at the zoom and pixel ratio of now.
    QSize PageImageSize(int Page) const;
    // Every part of every page in view has its image (or could not be rendered).
    bool Settled() const;

signals:
    void currentPageChanged(int Page);  // 0-based
    void zoomChanged();
    void findFinished(bool Found);
    void selectionChanged();
    // The page was painted with every visible part of its image.
    void pageShown(int Page);
    // A link inside the document was followed from this place (0-based page, points).
    void placeLeft(int Page, double Top);
    // The mouse's back (-1) or forward (+1) button.
    void placeRequested(int Direction);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void scrollContentsBy(int Dx, int Dy) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    struct THit {
        int Page = -1;
        QPointF Point;  // points on the page
    };

    void UpdateScrollBars();
    // The zoom the fitting mode asks for at this view size; the zoom of now for zmCustom.
    double ModeZoom() const;
    void Relayout(std::optional<QPoint> Anchor);
    void ScrollTo(int X, int Y);
    void ResolveSizes(int Top, int Bottom);
    void ResolveSomeSizes();
    void UpdateCurrentPage();
    void SetCurrentPage(int Page);
    void PoolRenderedImages();
    void Refresh();
    void ScheduleRequests();
    void RequestImages();
    bool RenderInPlace(int Page);
    TPageImage ImageOf(int Page) const;
    int64_t WholePageBytes() const;
    void OnRendered(const TTileKey& Key, const QImage& Image);
    QRect ViewRect() const;  // the viewport in content pixels
    QRectF ToView(int Page, const QRectF& Points) const;
    THit HitTest(QPoint ViewportPos) const;
    const TPdfLink* LinkAt(const THit& Hit) const;
    std::optional<TTextPos> WordAt(const THit& Hit, bool Nearest) const;
    void SelectTo(QPoint ViewportPos);
    void Activate(const TPdfLink& Link);
    void ShowRect(int Page, const QRectF& Points);
    void AutoScroll();
    void PaintPage(QPainter& Painter, int Page, const QRect& Rect);

    TPdfDocument* FDoc = nullptr;
    uint64_t FSerial = 0;
    uint64_t FPrepared = 0;
    TPageLayout FLayout;
    TPageCache FCache;
    TRenderQueue* FQueue;
    QSet<TTileKey> FFailed;
    TZoomMode FMode = TZoomMode::zmFitWidth;
    int FCurrentPage = -1;
    // While a page asked for is being painted, the page number waits (its strip, the
    // contents' mark and the scroll bar paint after the page): the page it was before.
    std::optional<int> FHeldPage;
    bool FPinned = false;  // the current page was set, not scrolled to
    bool FProgrammatic = false;
    bool FScrollingUp = false;
    int FSizesResolved = 0;  // pages before this one have their sizes read
    QTimer FRequestTimer;
    QTimer FPoolTimer;
    std::vector<TTileKey> FToPool;  // rendered on this thread, not yet in the pool's memory
    QTimer FSizeTimer;
    QTimer FDeferredPaint;

    // Mouse
    QPoint FPressPos;
    bool FPressed = false;
    bool FDragging = false;
    std::optional<TPdfLink> FPressedLink;
    QTimer FAutoScroll;
    QPoint FLastMousePos;
    TTextSelection FSelection;

    TPageFind* FFind;

    // Marked words
    int FMarkPage = -1;
    QList<QRectF> FMarks;
};

}  // namespace tavo::pdfreader
