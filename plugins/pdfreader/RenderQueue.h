#pragma once
// Page images rendered on worker threads. Each worker opens its own Poppler document from
// the source (Poppler documents are not shared between threads) and keeps it while the
// jobs are for that source. The window says which images it wants, most wanted first, and
// says it again whenever the view moves: jobs no longer wanted are dropped before they
// start, and renders of another document or scale are aborted while they run.
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSet>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
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
};

class TRenderQueue : public QObject {
    Q_OBJECT

public:
    explicit TRenderQueue(int Workers = 2, QObject* Parent = nullptr);
    ~TRenderQueue() override;

    // Workers open this source now, while the window opens its own copy.
    void Prepare(const TPdfSourcePtr& Source);
    // Replaces the waiting jobs. A running job of another opening or scale than Current is
    // aborted; one still wanted is left to finish.
    void SetWanted(std::vector<TRenderJob> Jobs, uint64_t Serial);
    // Drops every job and aborts every render (the document was closed).
    void Cancel();
    // Queued, running or rendered and on its way to the window.
    bool IsPending(const TTileKey& Key) const;
    // Bytes of images rendered and not yet handed to the window.
    int64_t DeliveringBytes() const;

signals:
    // On the window's thread, by a direct call. A null image: the page could not be rendered.
    void rendered(const tavo::pdfreader::TTileKey& Key, const QImage& Image);

private:
    struct TWorker {
        std::thread Thread;
        std::atomic<bool> Abort{false};
        TTileKey Running;
        bool Busy = false;
        uint64_t RunningSerial = 0;
    };
    void Run(TWorker* Worker);
    void Deliver(const TTileKey& Key, const QImage& Image);

    mutable std::mutex FMutex;
    std::condition_variable FWake;
    std::deque<TRenderJob> FJobs;
    TPdfSourcePtr FPrepare;
    uint64_t FPrepareTicket = 0;
    QSet<TTileKey> FDelivering;
    int64_t FDeliveringBytes = 0;
    bool FStop = false;
    std::vector<std::unique_ptr<TWorker>> FWorkers;
};

}  // namespace tavo::pdfreader
