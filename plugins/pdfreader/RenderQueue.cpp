#include "RenderQueue.h"

#include <QMetaObject>
#include <poppler-qt6.h>

namespace tavo::pdfreader {

namespace {

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

void TRenderQueue::Prepare(const TPdfSourcePtr& Source)
{
    {
        std::lock_guard lock(FMutex);
        FPrepare = Source;
        ++FPrepareTicket;
    }
    FWake.notify_all();
}

void TRenderQueue::SetWanted(std::vector<TRenderJob> Jobs, uint64_t Serial)
{
    {
        std::lock_guard lock(FMutex);
        FJobs.clear();
        for (TRenderJob& job : Jobs) {
            if (!FDelivering.contains(job.Key))
                FJobs.push_back(std::move(job));
        }
        // A running render is stale when its document or its scale is no longer wanted.
        QSet<int32_t> widths;
        for (const TRenderJob& job : FJobs)
            widths.insert(job.Key.Width);
        for (auto& worker : FWorkers) {
            if (!worker->Busy)
                continue;
            const bool wanted = std::any_of(FJobs.begin(), FJobs.end(), [&](const TRenderJob& j) {
                return j.Key == worker->Running;
            });
            if (wanted) {
                std::erase_if(FJobs, [&](const TRenderJob& j) { return j.Key == worker->Running; });
                continue;
            }
            if (worker->RunningSerial != Serial ||
                (!widths.isEmpty() && !widths.contains(worker->Running.Width)))
                worker->Abort = true;
        }
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

bool TRenderQueue::IsPending(const TTileKey& Key) const
{
    std::lock_guard lock(FMutex);
    if (FDelivering.contains(Key))
        return true;
    for (const auto& worker : FWorkers) {
        if (worker->Busy && worker->Running == Key)
            return true;
    }
    return std::any_of(FJobs.begin(), FJobs.end(),
                       [&](const TRenderJob& job) { return job.Key == Key; });
}

int64_t TRenderQueue::DeliveringBytes() const
{
    std::lock_guard lock(FMutex);
    return FDeliveringBytes;
}

void TRenderQueue::Run(TWorker* Worker)
{
    TPdfSourcePtr source;
    std::unique_ptr<Poppler::Document> doc;
    uint64_t prepared = 0;
    std::unique_lock lock(FMutex);
    for (;;) {
        FWake.wait(lock, [&] {
            return FStop || !FJobs.empty() || (FPrepare && prepared != FPrepareTicket);
        });
        if (FStop)
            break;
        if (FJobs.empty()) {
            // Open the coming document ahead of its first job.
            prepared = FPrepareTicket;
            TPdfSourcePtr next = FPrepare;
            lock.unlock();
            if (next && (!source || source->Serial != next->Serial)) {
                doc.reset();
                source = next;
                doc = LoadPoppler(*source);
            }
            lock.lock();
            continue;
        }
        TRenderJob job = std::move(FJobs.front());
        FJobs.pop_front();
        Worker->Busy = true;
        Worker->Running = job.Key;
        Worker->RunningSerial = job.Key.Serial;
        Worker->Abort = false;
        lock.unlock();

        if (!source || source->Serial != job.Source->Serial) {
            doc.reset();
            source = job.Source;
            doc = LoadPoppler(*source);
        }
        QImage image;
        if (doc) {
            if (std::unique_ptr<Poppler::Page> page = doc->page(job.Key.Page)) {
                image = page->renderToImage(
                    job.XRes, job.YRes, job.Area.x(), job.Area.y(), job.Area.width(),
                    job.Area.height(), Poppler::Page::Rotate0, nullptr, nullptr, ShouldAbort,
                    QVariant::fromValue(reinterpret_cast<quintptr>(&Worker->Abort)));
            }
        }
        const bool aborted = Worker->Abort.load();
        if (!image.isNull()) {
            if (image.format() != QImage::Format_RGB32 &&
                image.format() != QImage::Format_ARGB32_Premultiplied)
                image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(job.DevicePixelRatio);
        }

        lock.lock();
        Worker->Busy = false;
        if (aborted || FStop)
            continue;
        FDelivering.insert(job.Key);
        FDeliveringBytes += image.sizeInBytes();
        QMetaObject::invokeMethod(
            this, [this, key = job.Key, image] { Deliver(key, image); }, Qt::QueuedConnection);
    }
}

void TRenderQueue::Deliver(const TTileKey& Key, const QImage& Image)
{
    {
        std::lock_guard lock(FMutex);
        FDelivering.remove(Key);
        FDeliveringBytes -= Image.sizeInBytes();
    }
    emit rendered(Key, Image);
}

}  // namespace tavo::pdfreader
