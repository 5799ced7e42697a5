#pragma once
// Page images rendered on worker threads. Each worker opens its own Poppler document from
// the source (Poppler documents are not shared between threads) and keeps it while the
// jobs are for that source. The window says which images it wants, what shows first and
// then what lies ahead, and says it again whenever the view moves: jobs no longer wanted
// are dropped before they start, and renders no longer wanted are aborted while they run.
// Images ahead wait until what shows has been rendered and handed over, and until the view
// has rested a moment, so that they never compete with what the user waits for, nor with
// the window that is about to paint it.
#include <QHash>
#include <QImage>
#include <QObject>
#include <QRect>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "PageCache.h"
#include "PdfDocument.h"

namespace tavo::pdfreader {

struct TRenderJob {
    TTileKey Key;
    TPdfSourcePtr Source;
    double XRes = 72, YRes = 72;  // dots per inch
    QRect Area;                   // device pixels of the page image to render
    qreal DevicePixelRatio = 1;
    bool Ahead = false;  // not in view yet
};

// How the view will show the first page of a document it is about to open: a worker that
// opens the document renders that page at once, before the window has its own copy open.
struct TFirstPageHint {
    bool FitWidth = true;
    double Zoom = 1.0;
    int ViewWidth = 0;
    qreal DevicePixelRatio = 1;
    int64_t WholePageBytes = 0;  // larger pages are rendered in tiles: no hint then
};

class TRenderQueue : public QObject {
    Q_OBJECT

public:
    explicit TRenderQueue(int Workers = 2, QObject* Parent = nullptr);
    ~TRenderQueue() override;

    // A worker opens this source now, while the window opens its own copy.
    void Prepare(const TPdfSourcePtr& Source, std::optional<TFirstPageHint> Hint);
    // Replaces the waiting jobs. A running render no longer wanted (another opening than
    // Serial, another scale, a page scrolled away) is aborted; one still wanted finishes.
    void SetWanted(std::vector<TRenderJob> Jobs, uint64_t Serial);
    // Drops every job and aborts every render (the document was closed).
    void Cancel();
    // Bytes of images rendered and not yet handed to the window.
    int64_t DeliveringBytes() const;

signals:
    // On the window's thread, by a direct call. A null image: the page could not be rendered.
    void rendered(const tavo::pdfreader::TTileKey& Key, const QImage& Image);

private:
    struct TWorker {
        std::thread Thread;
        std::atomic<bool> Abort{false};
        uint64_t Serial = 0;  // of the document it holds or is opening
        bool Busy = false;    // rendering Running
        bool Ahead = false;
        TTileKey Running;
    };
    struct TPrepare {
        TPdfSourcePtr Source;
        std::optional<TFirstPageHint> Hint;
    };
    void Run(TWorker* Worker);
    std::optional<TRenderJob> TakeJob(TWorker* Worker);
    bool Claimed(const TTileKey& Key) const;
    static std::optional<TRenderJob>
    FirstPageJob(const TPdfSourcePtr& Source, Poppler::Document& Doc, const TFirstPageHint& Hint);
    QImage Render(TWorker* Worker, Poppler::Document* Doc, const TRenderJob& Job);
    void Deliver(const TTileKey& Key, const QImage& Image);

    mutable std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<TRenderJob> FJobs;
    std::optional<TPrepare> FPrepare;                  // not yet claimed by a worker
    std::chrono::steady_clock::time_point FAheadFrom;  // no image ahead starts before
    QHash<TTileKey, bool> FDelivering;  // images on their way, and whether they lie ahead
    int64_t FDeliveringBytes = 0;
    bool FStop = false;
    std::vector<std::unique_ptr<TWorker>> FWorkers;
};

}  // namespace tavo::pdfreader
