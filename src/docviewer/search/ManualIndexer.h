#pragma once
// Bringing the index up to date with the documents of the manual: documents that are new
// or whose size or modification time changed are read again, unchanged ones are left as
// they are, documents no longer named are removed. Each document is written whole or not
// at all, so an interruption (closing the program) costs at most the document at hand.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "ManualIndex.h"

class QThread;

namespace tavo::platform {
class IPdfTextSource;
}

namespace tavo::docviewer {

struct TIndexEvent {
    enum TKind { ieIndexed, ieUnchanged, ieUnreadable, ieMissing, ieRemoved };
    TKind Kind = ieIndexed;
    QString File;
    int32_t Pages = 0;
    QString Error;
};

struct TRefreshReport {
    int Documents = 0;  // named by the manual
    int Indexed = 0;
    int Unchanged = 0;
    int Unreadable = 0;
    int Missing = 0;
    int Removed = 0;
    int64_t Pages = 0;  // in the index for the manual's documents
    bool Interrupted = false;
    // The documents that cannot be searched (unreadable or missing), with why, in order.
    std::vector<TIndexEvent> Unsearchable;
};

struct TRefreshCallbacks {
    // Before each document: Done of Total documents are finished.
    std::function<void(int Done, int Total, const QString& File)> Progress;
    // After each document, and for each one removed.
    std::function<void(const TIndexEvent& Event)> Event;
};

// The named destinations the catalogue's entries use, by document key.
using TDocumentDestinations = QHash<QString, QStringList>;

// Brings Index up to date with Files (the documents, TDocCatalogue::Document), and with where
// the Destinations named in them lie. Returns early, with Interrupted set, once Stop is set;
// what was finished before is kept. Documents are written, and Callbacks called, in the order
// of Files and on the calling thread; with Readers above 1, that many threads read the
// documents ahead of the writing.
TRefreshReport RefreshIndex(TManualIndex& Index, const QStringList& Files,
                            const platform::IPdfTextSource& Source,
                            const TRefreshCallbacks& Callbacks, const std::atomic<bool>& Stop,
                            const TDocumentDestinations& Destinations = {}, int Readers = 1);

// Threads worth reading documents on here: one a core, within reason.
int IndexReaders();

// The text source of the reader component, created through the component registry. Raises
// EManualIndex, saying why, when there is none.
std::unique_ptr<QObject> CreateTextSource();
const platform::IPdfTextSource& TextSourceOf(const QObject& Component);

// RefreshIndex on a thread of its own, for the viewer: the window never waits for Poppler
// or the database. Destroying it stops the work at the next page and waits for that.
class TManualIndexer : public QObject {
    Q_OBJECT
public:
    explicit TManualIndexer(QObject* Parent = nullptr);
    ~TManualIndexer() override;

    // Starts the work unless it is running; Failed reports what prevents it.
    void Start(const std::filesystem::path& File, const QStringList& Files,
               const TDocumentDestinations& Destinations = {},
               TManualIndex::TOpenCheck Check = TManualIndex::ocQuick);
    // Asks the work to stop and waits for it.
    void Stop();
    bool Running() const;

signals:
    // The index file is sound and open: readers may open it too.
    void Opened();
    void Progress(int Done, int Total);
    // A document's rows were written: searches may find more now.
    void DocumentStored();
    void Finished(const tavo::docviewer::TRefreshReport& Report);
    void Failed(const QString& Reason);

private:
    std::unique_ptr<QObject> FSource;
    QPointer<QThread> FThread;
    std::atomic<bool> FStop{false};
    int FRun = 0;  // the run whose signals are still wanted (window thread only)
};

}  // namespace tavo::docviewer

Q_DECLARE_METATYPE(tavo::docviewer::TRefreshReport)
