#include "BrowserDownloads.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "BrowserDialogs.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"

namespace tavo::browser {

namespace {

std::string Ansi(const QString& Text)
{
    return platform::ToAnsi(Text);
}

QString Text(int32_t Id, const platform::FormatArgs& Args)
{
    return platform::FromAnsi(platform::Format(platform::LoadStr(Id), Args));
}

QString Size(int64_t Bytes)
{
    return QLocale().formattedDataSize(Bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// Why Folder cannot take a new file, or empty when it can: a file is made and removed,
// which is what the download will do (permissions alone say nothing to root or to
// read-only file systems).
QString FolderProblem(const QString& Folder)
{
    if (!QFileInfo(Folder).isDir())
        return TBrowserDownloads::tr("The folder does not exist");
    QTemporaryFile probe(Folder + QStringLiteral("/.tavo-download-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    return QString();
}

}  // namespace

TBrowserDownloads::TBrowserDownloads(QWidget* Window, QLabel* Status, QProgressBar* Progress,
                                     QObject* Parent)
    : QObject(Parent), FWindow(Window), FStatus(Status), FProgress(Progress)
{
    setObjectName(QStringLiteral("BrowserDownloads"));
    // Beside the progress bar, shown while something downloads.
    FCancelButton = new QToolButton(Progress->parentWidget());
    FCancelButton->setObjectName(QStringLiteral("CancelDownloadButton"));
    FCancelButton->setText(tr("Cancel download"));
    FCancelButton->setAccessibleName(tr("Cancel download"));
    FCancelButton->setToolTip(tr("Cancel download"));
    FCancelButton->setAutoRaise(true);
    FCancelButton->setFocusPolicy(Qt::TabFocus);
    FCancelButton->hide();
    if (auto* row = qobject_cast<QHBoxLayout*>(Progress->parentWidget()->layout()))
        row->insertWidget(row->indexOf(Progress) + 1, FCancelButton);
    connect(FCancelButton, &QToolButton::clicked, this, tools::Guarded([this] { CancelAll(); }));
}

void TBrowserDownloads::Attach(platform::TWebBrowserCommands* Commands)
{
    FCommands = Commands;
    if (!FCommands)
        return;
    FCommands->OnDownloadRequested =
        tools::Guarded([this](const platform::TWebBrowserCommands::TDownload& d) { Requested(d); });
    FCommands->OnDownloadProgress = tools::Guarded(
        [this](uint32_t id, int64_t received, int64_t total) { Progress(id, received, total); });
    FCommands->OnDownloadFinished =
        tools::Guarded([this](uint32_t id, platform::TWebBrowserCommands::TDownloadEnd end,
                              const QString& reason) { Finished(id, end, reason); });
}

void TBrowserDownloads::Detach()
{
    if (FCommands) {
        FCommands->OnDownloadRequested = nullptr;
        FCommands->OnDownloadProgress = nullptr;
        FCommands->OnDownloadFinished = nullptr;
    }
    FCommands = nullptr;
    FRunning.clear();
    UpdateCancelButton();
}

void TBrowserDownloads::CancelAll()
{
    if (!FCommands)
        return;
    for (uint32_t id : FRunning.keys())
        FCommands->CancelDownload(id);
}

QString TBrowserDownloads::ProgressText(const QString& Name, int64_t Received, int64_t Total,
                                        double BytesPerSecond)
{
    const std::string rate = Ansi(Size(static_cast<int64_t>(BytesPerSecond)));
    if (Total > 0) {
        const int64_t percent = Received * 100 / Total;
        return Text(SDownloadProgress,
                    {Ansi(Name), Ansi(Size(Received)), Ansi(Size(Total)), percent, rate});
    }
    return Text(SDownloadProgressUnknown, {Ansi(Name), Ansi(Size(Received)), rate});
}

QString TBrowserDownloads::ChoosePath(const QString& FileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QString proposed = QDir(folder).filePath(FileName);
    for (;;) {
        QString path = AskSaveAs(FWindow, proposed);
        if (path.isEmpty())
            return QString();
        path = QFileInfo(path).absoluteFilePath();
        const QString dir = QFileInfo(path).absolutePath();
        if (QString problem = FolderProblem(dir); !problem.isEmpty()) {
            tools::MessageText(tools::CaptionErrorId, platform::LoadStr(SFolderNotWritable),
                               tools::MB_OK | tools::MB_ICONERROR,
                               {Ansi(QDir::toNativeSeparators(path)),
                                Ansi(QDir::toNativeSeparators(dir)), Ansi(problem)});
            return QString();
        }
        if (!QFileInfo::exists(path))
            return path;
        if (tools::MessageText(tools::CaptionConfirmId, platform::LoadStr(SDownloadExists),
                               tools::MB_YESNO | tools::MB_ICONQUESTION | tools::MB_DEFBUTTON2,
                               {Ansi(QDir::toNativeSeparators(path))}) == tools::IDYES)
            return path;
        proposed = path;  // another name, then
    }
}

void TBrowserDownloads::Requested(const platform::TWebBrowserCommands::TDownload& Download)
{
    QString path = ChoosePath(Download.FileName);
    if (path.isEmpty()) {
        FCommands->CancelDownload(Download.Id);
        return;
    }
    TRunning running{path, QFileInfo(path).fileName(), {}};
    running.Clock.start();
    FRunning.insert(Download.Id, running);
    UpdateCancelButton();
    FCommands->AcceptDownload(Download.Id, path);
    Progress(Download.Id, 0, Download.TotalBytes);
}

void TBrowserDownloads::Progress(uint32_t Id, int64_t Received, int64_t Total)
{
    auto it = FRunning.find(Id);
    if (it == FRunning.end())
        return;
    const double seconds = std::max<qint64>(it->Clock.elapsed(), 1) / 1000.0;
    FStatus->setText(ProgressText(it->Name, Received, Total, Received / seconds));
    if (Total > 0) {
        FProgress->setMaximum(100);
        FProgress->setValue(static_cast<int>(Received * 100 / Total));
    } else {
        FProgress->setMaximum(0);  // drawn empty: the size is not known
        FProgress->setValue(0);
    }
}

void TBrowserDownloads::Finished(uint32_t Id, platform::TWebBrowserCommands::TDownloadEnd End,
                                 const QString& Reason)
{
    auto it = FRunning.find(Id);
    if (it == FRunning.end())
        return;
    const TRunning done = *it;
    FRunning.erase(it);
    UpdateCancelButton();
    FProgress->setMaximum(100);
    FProgress->setValue(0);
    const std::string shown = Ansi(QDir::toNativeSeparators(done.Path));
    switch (End) {
    case platform::TWebBrowserCommands::deCompleted: {
        FStatus->setText(Text(SDownloadSaved, {shown}));
        int answer = tools::MessageText(tools::CaptionProgramId, platform::LoadStr(SDownloadDone),
                                        tools::MB_YESNOCANCEL | tools::MB_ICONINFORMATION, {shown});
        if (answer == tools::IDYES)
            QDesktopServices::openUrl(QUrl::fromLocalFile(done.Path));
        else if (answer == tools::IDNO)
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(done.Path).absolutePath()));
        break;
    }
    case platform::TWebBrowserCommands::deCancelled:
        FStatus->setText(Text(SDownloadCancelled, {Ansi(done.Name)}));
        break;
    case platform::TWebBrowserCommands::deFailed:
        FStatus->setText(Text(SDownloadFailed, {shown, Ansi(Reason)}));
        tools::MessageText(tools::CaptionErrorId, platform::LoadStr(SDownloadFailed),
                           tools::MB_OK | tools::MB_ICONERROR, {shown, Ansi(Reason)});
        break;
    }
}

void TBrowserDownloads::UpdateCancelButton()
{
    FCancelButton->setVisible(!FRunning.isEmpty());
}

}  // namespace tavo::browser
