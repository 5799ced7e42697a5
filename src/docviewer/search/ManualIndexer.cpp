#include "ManualIndexer.h"

#include <QDir>
#include <QThread>
#include <exception>

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
                            const TDocumentDestinations& Destinations)
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
    for (int i = 0; i < Files.size(); ++i) {
        const QString& file = Files.at(i);
        if (Callbacks.Progress)
            Callbacks.Progress(i, static_cast<int>(Files.size()), file);
        if (Stop) {
            report.Interrupted = true;
            return report;
        }
        const TFileStamp stamp = Stamp(file);
        const std::optional<TIndexedDocument> known = Index.Document(file);
        if (!stamp.Exists) {
            if (known)
                Index.RemoveDocument(file);
            ++report.Missing;
            event(TIndexEvent::ieMissing, file, 0);
            continue;
        }
        if (known && known->Size == stamp.Size && known->Modified == stamp.Modified) {
            // A document that could not be read is not tried again until it changes.
            if (known->Error.isEmpty()) {
                // The catalogue may name destinations the index has not looked for yet.
                const QHash<QString, int32_t> found = Index.Destinations(file);
                QStringList wanted;
                for (const QString& name : Destinations.value(file))
                    if (!found.contains(name))
                        wanted << name;
                if (!wanted.isEmpty())
                    Index.StoreDestinations(file, Source.DestinationPages(file, wanted));
                ++report.Unchanged;
                report.Pages += known->Pages;
                event(TIndexEvent::ieUnchanged, file, known->Pages);
            } else {
                ++report.Unreadable;
                event(TIndexEvent::ieUnreadable, file, 0, known->Error);
            }
            continue;
        }
        Index.BeginDocument(file);
        std::exception_ptr failure;
        QString error;
        const int32_t count = Source.ReadPages(
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
        if (failure || Stop) {
            Index.RollbackDocument();
            if (failure)
                std::rethrow_exception(failure);
            report.Interrupted = true;
            return report;
        }
        if (count < 0) {
            Index.CommitDocument(stamp.Size, stamp.Modified, 0, error);
            ++report.Unreadable;
            event(TIndexEvent::ieUnreadable, file, 0, error);
            continue;
        }
        const QStringList names = Destinations.value(file);
        if (!names.isEmpty()) {
            const QHash<QString, int32_t> found = Source.DestinationPages(file, names);
            for (const QString& name : names)
                Index.AddDestination(name, found.value(name, 0));
        }
        const int32_t pages = std::min(count, TManualIndex::kMaxPages);
        Index.CommitDocument(stamp.Size, stamp.Modified, pages, QString());
        ++report.Indexed;
        report.Pages += pages;
        event(TIndexEvent::ieIndexed, file, pages);
    }
    if (Callbacks.Progress)
        Callbacks.Progress(static_cast<int>(Files.size()), static_cast<int>(Files.size()), {});
    return report;
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
                RefreshIndex(index, Files, *source, callbacks, FStop, Destinations);
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
