#include "ManualIndexer.h"

#include <QDir>
#include <QThread>
#include <algorithm>
#include <exception>
#include <optional>

#include "DocumentReaders.h"
#include "SearchStrings.h"
#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/PdfTextSource.h"

namespace tavo::docviewer {

namespace fs = std::filesystem;

namespace {

struct TFileStamp {
    bool Exists = false;
    int64_t Size = 0;
    int64_t Modified = 0;
};

TFileStamp Stamp(const QString& File)
{
    std::error_code ec;
    const fs::path path = File.toStdString();
    if (!fs::is_regular_file(path, ec))
        return {};
    const auto size = fs::file_size(path, ec);
    if (ec)
        return {};
    const auto time = fs::last_write_time(path, ec);
    if (ec)
        return {};
    return {
        true, static_cast<int64_t>(size),
        static_cast<int64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count())};
}

}  // namespace

TRefreshReport RefreshIndex(TManualIndex& Index, const QStringList& Files,
                            const platform::IPdfTextSource& Source,
                            const TRefreshCallbacks& Callbacks, const std::atomic<bool>& Stop,
                            const TDocumentDestinations& Destinations, int Readers)
{
    TRefreshReport report;
    auto event = [&](TIndexEvent::TKind Kind, const QString& File, int32_t Pages,
                     const QString& Error = {}) {
        const TIndexEvent happened{Kind, File, Pages, Error};
        if (Kind == TIndexEvent::ieUnreadable || Kind == TIndexEvent::ieMissing)
            report.Unsearchable.push_back(happened);
        if (Callbacks.Event)
            Callbacks.Event(happened);
    };
    report.Documents = static_cast<int>(Files.size());
    for (const TIndexedDocument& known : Index.Documents()) {
        if (!Files.contains(known.Path)) {
            Index.RemoveDocument(known.Path);
            ++report.Removed;
            event(TIndexEvent::ieRemoved, known.Path, known.Pages);
        }
    }

    // What each document needs, known before any is read so that several may be read at once.
    struct TPlan {
        TFileStamp Stamp;
        std::optional<TIndexedDocument> Known;
        int Job = -1;  // among the documents to read
    };
    std::vector<TPlan> plans;
    std::vector<TReadJob> jobs;
    plans.reserve(Files.size());
    for (const QString& file : Files) {
        TPlan plan{Stamp(file), Index.Document(file)};
        const bool unchanged = plan.Known && plan.Known->Size == plan.Stamp.Size &&
                               plan.Known->Modified == plan.Stamp.Modified;
        if (plan.Stamp.Exists && !unchanged) {
            plan.Job = static_cast<int>(jobs.size());
            jobs.push_back({file, Destinations.value(file)});
        }
        plans.push_back(std::move(plan));
    }
    // One reader reads in this thread, as the index is written; more read ahead on threads
    // of their own.
    std::unique_ptr<TDocumentReaders> readers;
    if (Readers > 1 && jobs.size() > 1)
        readers = std::make_unique<TDocumentReaders>(Source, jobs, Readers, Stop);

    for (int i = 0; i < Files.size(); ++i) {
        const QString& file = Files.at(i);
        const TPlan& plan = plans[i];
        if (Callbacks.Progress)
            Callbacks.Progress(i, static_cast<int>(Files.size()), file);
        if (Stop) {
            report.Interrupted = true;
            return report;
        }
        if (!plan.Stamp.Exists) {
            if (plan.Known)
                Index.RemoveDocument(file);
            ++report.Missing;
            event(TIndexEvent::ieMissing, file, 0);
            continue;
        }
        if (plan.Job < 0) {
            // A document that could not be read is not tried again until it changes.
            if (plan.Known->Error.isEmpty()) {
                // The catalogue may name destinations the index has not looked for yet.
                const QHash<QString, int32_t> found = Index.Destinations(file);
                QStringList wanted;
                for (const QString& name : Destinations.value(file))
                    if (!found.contains(name))
                        wanted << name;
                if (!wanted.isEmpty())
                    Index.StoreDestinations(file, Source.DestinationPages(file, wanted));
                ++report.Unchanged;
                report.Pages += plan.Known->Pages;
                event(TIndexEvent::ieUnchanged, file, plan.Known->Pages);
            } else {
                ++report.Unreadable;
                event(TIndexEvent::ieUnreadable, file, 0, plan.Known->Error);
            }
            continue;
        }
        Index.BeginDocument(file);
        int32_t count = -1;
        QString error;
        QHash<QString, int32_t> found;
        try {
            if (readers) {
                for (;;) {
                    std::optional<TReadBatch> batch = readers->Take(plan.Job);
                    if (!batch)
                        break;
                    for (const auto& [page, text] : batch->Pages)
                        Index.AddPage(page, text);
                    if (batch->Finished) {
                        count = batch->Count;
                        error = batch->Error;
                        found = std::move(batch->Destinations);
                        break;
                    }
                }
            } else {
                std::exception_ptr failure;
                count = Source.ReadPages(
                    file,
                    [&](int32_t Page, const QString& Text) {
                        if (Stop)
                            return false;
                        // Errors are carried past the component's code, not thrown through it.
                        try {
                            Index.AddPage(Page, Text);
                        } catch (...) {
                            failure = std::current_exception();
                            return false;
                        }
                        return true;
                    },
                    &error);
                if (failure)
                    std::rethrow_exception(failure);
                if (count >= 0 && !Stop && !jobs[plan.Job].Destinations.isEmpty())
                    found = Source.DestinationPages(file, jobs[plan.Job].Destinations);
            }
        } catch (...) {
            readers.reset();
            Index.RollbackDocument();
            throw;
        }
        if (Stop) {
            Index.RollbackDocument();
            report.Interrupted = true;
            return report;
        }
        if (count < 0) {
            Index.CommitDocument(plan.Stamp.Size, plan.Stamp.Modified, 0, error);
            ++report.Unreadable;
            event(TIndexEvent::ieUnreadable, file, 0, error);
            continue;
        }
        for (const QString& name : jobs[plan.Job].Destinations)
            Index.AddDestination(name, found.value(name, 0));
        const int32_t pages = std::min(count, TManualIndex::kMaxPages);
        Index.CommitDocument(plan.Stamp.Size, plan.Stamp.Modified, pages, QString());
        ++report.Indexed;
        report.Pages += pages;
        event(TIndexEvent::ieIndexed, file, pages);
    }
    if (Callbacks.Progress)
        Callbacks.Progress(static_cast<int>(Files.size()), static_cast<int>(Files.size()), {});
    return report;
}

int IndexReaders()
{
    return std::clamp(QThread::idealThreadCount(), 1, 4);
}

std::unique_ptr<QObject> CreateTextSource()
{
    platform::TComponentRegistry& registry = platform::TComponentRegistry::Instance();
    const QString classId = QString::fromLatin1(platform::kPdfTextSourceClassId);
    // The registry's own words ("Class not registered") tell a user nothing.
    if (!registry.IsRegistered(classId)) {
        QStringList folders;
        for (const QString& folder : platform::TComponentRegistry::PluginFolders())
            folders << QDir::toNativeSeparators(folder);
        throw EManualIndex(SearchText(SReaderMissing, {folders.join(QLatin1String(", "))}));
    }
    const QString file = QDir::toNativeSeparators(registry.PluginFile(classId));
    try {
        std::unique_ptr<QObject> source(registry.Create(classId, nullptr));
        if (qobject_cast<platform::IPdfTextSource*>(source.get()))
            return source;
    } catch (const platform::Exception&) {
    }
    throw EManualIndex(SearchText(SNoTextSource, {file}));
}

const platform::IPdfTextSource& TextSourceOf(const QObject& Component)
{
    return *qobject_cast<const platform::IPdfTextSource*>(&Component);
}

TManualIndexer::TManualIndexer(QObject* Parent) : QObject(Parent)
{
    qRegisterMetaType<TRefreshReport>();
}

TManualIndexer::~TManualIndexer()
{
    Stop();
}

void TManualIndexer::Start(const fs::path& File, const QStringList& Files,
                           const TDocumentDestinations& Destinations,
                           TManualIndex::TOpenCheck Check)
{
    if (Running())
        return;
    Stop();  // a finished thread not yet deleted
    try {
        if (!FSource)
            FSource = CreateTextSource();
    } catch (const EManualIndex& Error) {
        emit Failed(Error.Text());
        return;
    }
    FStop = false;
    const int run = ++FRun;
    const platform::IPdfTextSource* source = &TextSourceOf(*FSource);
    // Signals are raised on the window's thread, and only for the run still wanted: one
    // stopped may have news queued that must not be taken for the next one's.
    auto post = [this, run](std::function<void()> Signal) {
        QMetaObject::invokeMethod(
            this,
            [this, run, Signal = std::move(Signal)] {
                if (run == FRun)
                    Signal();
            },
            Qt::QueuedConnection);
    };
    FThread = QThread::create([this, File, Files, Destinations, Check, source, post] {
        try {
            TManualIndex index(File, Check);
            post([this] { emit Opened(); });
            TRefreshCallbacks callbacks;
            int done = 0, total = static_cast<int>(Files.size());
            callbacks.Progress = [&](int Done, int Total, const QString&) {
                done = Done;
                total = Total;
                post([this, Done, Total] { emit Progress(Done, Total); });
            };
            // A document finished counts before anyone searches what it added.
            callbacks.Event = [&](const TIndexEvent& Event) {
                if (Event.Kind != TIndexEvent::ieRemoved)
                    post([this, Done = done + 1, total] { emit Progress(Done, total); });
                if (Event.Kind != TIndexEvent::ieUnchanged)
                    post([this] { emit DocumentStored(); });
            };
            const TRefreshReport report =
                RefreshIndex(index, Files, *source, callbacks, FStop, Destinations, IndexReaders());
            post([this, report] { emit Finished(report); });
        } catch (const EManualIndex& Error) {
            post([this, Reason = Error.Text()] { emit Failed(Reason); });
        }
    });
    FThread->setObjectName(QStringLiteral("ManualIndexer"));
    connect(FThread, &QThread::finished, FThread, &QObject::deleteLater);
    FThread->start(QThread::LowPriority);
}

bool TManualIndexer::Running() const
{
    return FThread && !FThread->isFinished();
}

void TManualIndexer::Stop()
{
    if (!FThread)
        return;
    FStop = true;
    FThread->wait();
    delete FThread.data();
    ++FRun;
}

}  // namespace tavo::docviewer
