#include "DocumentReaders.h"

#include <algorithm>
#include <chrono>

#include "platform/PdfTextSource.h"

namespace tavo::docviewer {

namespace {
// Stop is a flag set from anywhere without a word to anyone, so waits look at it this often.
constexpr std::chrono::milliseconds kStopPoll{20};
}  // namespace

TDocumentReaders::TDocumentReaders(const platform::IPdfTextSource& Source,
                                   std::vector<TReadJob> Jobs, int Threads,
                                   const std::atomic<bool>& Stop)
    : FSource(Source), FJobs(std::move(Jobs)), FStop(Stop), FSlots(FJobs.size())
{
    const int count = std::max(1, std::min(Threads, static_cast<int>(FJobs.size())));
    FThreads.reserve(count);
    for (int i = 0; i < count; ++i)
        FThreads.emplace_back([this] { Read(); });
}

TDocumentReaders::~TDocumentReaders()
{
    FClosing = true;
    FChanged.notify_all();
    for (std::thread& thread : FThreads)
        thread.join();
}

void TDocumentReaders::Read()
{
    for (;;) {
        const int job = FNext++;
        if (job >= static_cast<int>(FJobs.size()) || Stopped())
            return;
        TSlot& slot = FSlots[job];
        QString error;
        const int32_t count = FSource.ReadPages(
            FJobs[job].File,
            [&](int32_t Page, const QString& Text) {
                if (Stopped())
                    return false;
                std::unique_lock lock(FLock);
                slot.Pending.Pages.emplace_back(Page, Text);
                slot.Bytes += Text.size() * 2;
                if (job == FWriting)
                    FChanged.notify_all();
                // Far ahead of the writer: wait for it rather than fill the memory.
                while (job != FWriting && slot.Bytes > kReadAheadBytes && !Stopped())
                    FChanged.wait_for(lock, kStopPoll);
                return !Stopped();
            },
            &error);
        QHash<QString, int32_t> destinations;
        if (count >= 0 && !FJobs[job].Destinations.isEmpty() && !Stopped())
            destinations = FSource.DestinationPages(FJobs[job].File, FJobs[job].Destinations);
        {
            const std::lock_guard lock(FLock);
            slot.Pending.Finished = true;
            slot.Pending.Count = count;
            slot.Pending.Error = error;
            slot.Pending.Destinations = std::move(destinations);
        }
        FChanged.notify_all();
    }
}

std::optional<TReadBatch> TDocumentReaders::Take(int Job)
{
    std::unique_lock lock(FLock);
    if (FWriting != Job) {
        FWriting = Job;
        FChanged.notify_all();  // its thread may be waiting for the writer
    }
    TSlot& slot = FSlots.at(Job);
    while (slot.Pending.Pages.empty() && !slot.Pending.Finished && !FStop)
        FChanged.wait_for(lock, kStopPoll);
    if (FStop)
        return std::nullopt;
    TReadBatch batch = std::move(slot.Pending);
    slot.Pending = TReadBatch();
    slot.Bytes = 0;
    return batch;
}

}  // namespace tavo::docviewer
