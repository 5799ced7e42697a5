#pragma once
// Reading the text of several documents at once, for the one thread that writes the index.
// Each reading thread reads whole documents, one at a time, through the text source (every
// call opens a Poppler document of its own, so nothing of Poppler is shared). The writer
// takes the documents in the order they were given, page batches as they come, while the
// other threads read ahead; what they read ahead waits in memory, within a bound.
#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace tavo::platform {
class IPdfTextSource;
}

namespace tavo::docviewer {

struct TReadJob {
    QString File;
    QStringList Destinations;  // named destinations whose pages are wanted
};

// What the writer takes of a document: the pages read since it last took, and once the
// document is finished, its outcome.
struct TReadBatch {
    std::vector<std::pair<int32_t, QString>> Pages;
    bool Finished = false;
    int32_t Count = 0;  // as ReadPages returned it: -1 when the document cannot be read
    QString Error;
    QHash<QString, int32_t> Destinations;
};

class TDocumentReaders {
public:
    // Starts Threads threads reading Jobs in order. Stop (the caller's) ends the reading at
    // the next page; so does destroying this object, which waits for the threads.
    TDocumentReaders(const platform::IPdfTextSource& Source, std::vector<TReadJob> Jobs,
                     int Threads, const std::atomic<bool>& Stop);
    ~TDocumentReaders();
    TDocumentReaders(const TDocumentReaders&) = delete;
    TDocumentReaders& operator=(const TDocumentReaders&) = delete;

    // Waits for pages of job Job (or its end) and takes them; nullopt once Stop is set.
    // Jobs are taken in order: once Job is taken finished, earlier ones are not asked for.
    std::optional<TReadBatch> Take(int Job);

    // Text a document read ahead may hold in memory before its thread waits for the writer.
    static constexpr int64_t kReadAheadBytes = 64 << 20;

private:
    struct TSlot {
        TReadBatch Pending;
        int64_t Bytes = 0;
    };
    void Read();
    bool Stopped() const { return FStop || FClosing; }

    const platform::IPdfTextSource& FSource;
    const std::vector<TReadJob> FJobs;
    const std::atomic<bool>& FStop;
    std::atomic<bool> FClosing{false};
    std::atomic<int> FNext{0};
    std::mutex FLock;
    std::condition_variable FChanged;
    std::deque<TSlot> FSlots;
    int FWriting = 0;  // the job the writer is taking
    std::vector<std::thread> FThreads;
};

}  // namespace tavo::docviewer
