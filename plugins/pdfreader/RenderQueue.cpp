#include "RenderQueue.h"

#include <QMetaObject>
#if defined(__linux__)
#include <pthread.h>
#endif
#include <poppler-qt6.h>

#include "ImageMemory.h"
#include "PageLayout.h"

namespace tavo::pdfreader {

namespace {

// How long the view must rest before images ahead of it are rendered.
constexpr auto kAheadDelay = std::chrono::milliseconds(40);

bool ShouldAbort(const QVariant& Flag)
{
    return reinterpret_cast<const std::atomic<bool>*>(Flag.value<quintptr>())->load();
}

}  // namespace

TRenderQueue::TRenderQueue(int Workers, QObject* Parent) : QObject(Parent)
{
    for (int i = 0; i < std::max(1, Workers); ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->Thread = std::thread(&TRenderQueue::Run, this, worker.get());
        FWorkers.push_back(std::move(worker));
    }
}

TRenderQueue::~TRenderQueue()
{
    {
        std::lock_guard lock(FMutex);
        FStop = true;
        FJobs.clear();
        for (auto& worker : FWorkers)
            worker->Abort = true;
    }
    FWake.notify_all();
    for (auto& worker : FWorkers)
        worker->Thread.join();
}

void TRenderQueue::Prepare(const TPdfSourcePtr& Source, std::optional<TFirstPageHint> Hint)
{
    {
        std::lock_guard lock(FMutex);
        FJobs.clear();
        FPrepare = TPrepare{Source, Hint};
        for (auto& worker : FWorkers) {
            if (worker->Busy)
                worker->Abort = true;
        }
    }
    FWake.notify_all();
}

void TRenderQueue::SetWanted(std::vector<TRenderJob> Jobs, uint64_t Serial)
{
    {
        std::lock_guard lock(FMutex);
        FJobs.clear();
        FAheadFrom = std::chrono::steady_clock::now() + kAheadDelay;
        QSet<TTileKey> wanted;
        for (const TRenderJob& job : Jobs)
            wanted.insert(job.Key);
        for (auto& worker : FWorkers) {
            if (worker->Busy &&
                (worker->Running.Serial != Serial || !wanted.contains(worker->Running)))
                worker->Abort = true;
        }
        for (TRenderJob& job : Jobs) {
            if (!Claimed(job.Key))
                FJobs.push_back(std::move(job));
        }
        // Nothing to start: the workers sleep on (an abort needs no waking).
        if (FJobs.empty())
            return;
    }
    FWake.notify_all();
}

void TRenderQueue::Cancel()
{
    std::lock_guard lock(FMutex);
    FJobs.clear();
    FPrepare.reset();
    for (auto& worker : FWorkers) {
        if (worker->Busy)
            worker->Abort = true;
    }
}

int64_t TRenderQueue::DeliveringBytes() const
{
    std::lock_guard lock(FMutex);
    return FDeliveringBytes;
}

// Being rendered or on its way to the window. A render told to abort no longer counts:
// it ends without an image, so the image must be asked for again.
bool TRenderQueue::Claimed(const TTileKey& Key) const
{
    if (FDelivering.contains(Key))
        return true;
    return std::any_of(FWorkers.begin(), FWorkers.end(),
                       [&](const auto& w) { return w->Busy && !w->Abort && w->Running == Key; });
}

// The first job this worker may start: not one claimed already; one ahead only while
// nothing in view is being rendered; and one of a document that another idle worker holds
// (or is opening) is left to that worker, so that a document is not opened twice for it.
std::optional<TRenderJob> TRenderQueue::TakeJob(TWorker* Worker)
{
    const bool viewBusy =
        std::any_of(FWorkers.begin(), FWorkers.end(),
                    [](const auto& w) { return w->Busy && !w->Ahead; }) ||
        std::any_of(FDelivering.begin(), FDelivering.end(), [](bool Ahead) { return !Ahead; });
    for (auto job = FJobs.begin(); job != FJobs.end();) {
        if (Claimed(job->Key)) {
            job = FJobs.erase(job);
            continue;
        }
        if (job->Ahead && (viewBusy || std::chrono::steady_clock::now() < FAheadFrom))
            return std::nullopt;
        const uint64_t serial = job->Key.Serial;
        const bool another = Worker->Serial != serial &&
                             std::any_of(FWorkers.begin(), FWorkers.end(), [&](const auto& w) {
                                 return w.get() != Worker && w->Serial == serial && !w->Busy;
                             });
        if (!another) {
            TRenderJob taken = std::move(*job);
            FJobs.erase(job);
            return taken;
        }
        ++job;
    }
    return std::nullopt;
}

std::optional<TRenderJob> TRenderQueue::FirstPageJob(const TPdfSourcePtr& Source,
                                                     Poppler::Document& Doc,
                                                     const TFirstPageHint& Hint)
{
    std::unique_ptr<Poppler::Page> page = Doc.page(0);
    const int count = Doc.numPages();
    if (!page || count <= 0)
        return std::nullopt;
    // The same layout the view makes before it has read any page but the first.
    TPageLayout layout;
    layout.Reset(count, page->pageSizeF());
    layout.SetViewWidth(Hint.ViewWidth);
    layout.SetZoom(Hint.FitWidth ? layout.FitWidthZoom(Hint.ViewWidth) : Hint.Zoom);
    const QSize size = layout.DeviceSize(0, Hint.DevicePixelRatio);
    if (int64_t(size.width()) * size.height() * 4 > Hint.WholePageBytes)
        return std::nullopt;
    TRenderJob job;
    job.Key = {Source->Serial, 0, size.width(), 0};
    job.Source = Source;
    job.XRes = size.width() * 72.0 / layout.PagePoints(0).width();
    job.YRes = size.height() * 72.0 / layout.PagePoints(0).height();
    job.Area = QRect(QPoint(0, 0), size);
    job.DevicePixelRatio = Hint.DevicePixelRatio;
    return job;
}

QImage TRenderQueue::Render(TWorker* Worker, Poppler::Document* Doc, const TRenderJob& Job)
{
    QImage image;
    if (!Doc)
        return image;
    if (std::unique_ptr<Poppler::Page> page = Doc->page(Job.Key.Page)) {
        image = page->renderToImage(
            Job.XRes, Job.YRes, Job.Area.x(), Job.Area.y(), Job.Area.width(), Job.Area.height(),
            Poppler::Page::Rotate0, nullptr, nullptr, ShouldAbort,
            QVariant::fromValue(reinterpret_cast<quintptr>(&Worker->Abort)));
    }
    if (!image.isNull()) {
        image = InPooledMemory(OpaquePageImage(std::move(image)));
        image.setDevicePixelRatio(Job.DevicePixelRatio);
    }
    return image;
}

void TRenderQueue::Run(TWorker* Worker)
{
#if defined(__linux__)
    pthread_setname_np(pthread_self(), "pdf-render");  // tells the workers apart in a profiler
#endif
    TPdfSourcePtr source;
    std::unique_ptr<Poppler::Document> doc;
    std::unique_lock lock(FMutex);
    for (;;) {
        std::optional<TRenderJob> job;
        std::optional<TPrepare> prepare;
        const auto ready = [&] {
            if (FStop)
                return true;
            if (FPrepare) {
                prepare = std::move(FPrepare);
                FPrepare.reset();
                return true;
            }
            job = TakeJob(Worker);
            return job.has_value();
        };
        // Jobs ahead held back by the view's moving wake the worker when their time comes.
        while (!ready()) {
            if (std::any_of(FJobs.begin(), FJobs.end(),
                            [](const TRenderJob& j) { return j.Ahead; }))
                FWake.wait_until(lock, std::max(FAheadFrom, std::chrono::steady_clock::now() +
                                                                std::chrono::milliseconds(5)));
            else
                FWake.wait(lock);
        }
        if (FStop)
            break;

        if (prepare) {
            // Open the coming document, and render its first page as the view will want it.
            Worker->Serial = prepare->Source->Serial;
            lock.unlock();
            doc.reset();
            source = prepare->Source;
            doc = LoadPoppler(*source);
            if (doc && prepare->Hint)
                job = FirstPageJob(source, *doc, *prepare->Hint);
            lock.lock();
            if (job && Claimed(job->Key))
                job.reset();
            FWake.notify_all();  // jobs held back for this worker's document
            if (!job)
                continue;
        }

        Worker->Busy = true;
        Worker->Ahead = job->Ahead;
        Worker->Running = job->Key;
        Worker->Abort = false;
        const bool reopen = !source || source->Serial != job->Source->Serial;
        Worker->Serial = job->Source->Serial;
        lock.unlock();

        if (reopen) {
            doc.reset();
            source = job->Source;
            doc = LoadPoppler(*source);
        }
        QImage image = Render(Worker, doc.get(), *job);
        const bool aborted = Worker->Abort.load();

        lock.lock();
        Worker->Busy = false;
        FWake.notify_all();  // jobs ahead may start now
        if (aborted || FStop)
            continue;
        FDelivering.insert(job->Key, job->Ahead);
        FDeliveringBytes += image.sizeInBytes();
        QMetaObject::invokeMethod(
            this, [this, key = job->Key, image] { Deliver(key, image); }, Qt::QueuedConnection);
    }
}

void TRenderQueue::Deliver(const TTileKey& Key, const QImage& Image)
{
    {
        std::lock_guard lock(FMutex);
        FDeliveringBytes -= Image.sizeInBytes();
    }
    emit rendered(Key, Image);
    {
        // Only now, with the image painted, may the images ahead start.
        std::lock_guard lock(FMutex);
        FDelivering.remove(Key);
    }
    FWake.notify_all();
}

}  // namespace tavo::pdfreader
