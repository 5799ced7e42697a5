// The control's downloads and printing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QWebEngineDownloadRequest>
#include <QWebEngineView>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "WebEngineBrowser.h"
#include "WebEnginePage.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::webengine {

namespace {

QString Text(int32_t Id, const QString& Arg = QString())
{
    return platform::FromAnsi(platform::Format(platform::LoadStr(Id), {platform::ToAnsi(Arg)}));
}

// The server's name for the file, without anything that would lead out of the folder.
QString SafeFileName(const QString& Suggested)
{
    QString name = QFileInfo(Suggested).fileName();
    name.replace(QRegularExpression(QStringLiteral("[\\x00-\\x1f/\\\\]")), QStringLiteral("_"));
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("download") : name;
}

// A name beside Path that no file has yet, for the bytes while they arrive.
QString PartPath(const QString& Path)
{
    QString candidate = Path + QStringLiteral(".part");
    for (int i = 1; QFileInfo::exists(candidate); ++i)
        candidate = Path + QStringLiteral(".%1.part").arg(i);
    return candidate;
}

// The engine's reason for a stream that ended short of its length; Qt 6.4 has no name for it.
constexpr auto ContentLengthMismatch = QWebEngineDownloadRequest::DownloadInterruptReason(38);

QString Reason(QWebEngineDownloadRequest* Download, const QString& Path)
{
    using R = QWebEngineDownloadRequest;
    if (Download->interruptReason() == ContentLengthMismatch)
        return Text(SConnectionDropped);
    switch (Download->interruptReason()) {
    case R::FileNoSpace:
        return Text(SDiskFull, QFileInfo(Path).absolutePath());
    case R::FileAccessDenied:
    case R::FileFailed:
    case R::FileNameTooLong:
    case R::FileTooLarge:
    case R::FileTransientError:
    case R::FileBlocked:
        return Text(SCannotWrite, Path);
    case R::NetworkDisconnected:
    case R::ServerFailed:
    case R::FileTooShort:
        return Text(SConnectionDropped);
    case R::NetworkFailed:
    case R::NetworkTimeout:
    case R::NetworkServerDown:
    case R::ServerUnreachable:
        return Text(SNetworkFailed);
    case R::ServerBadContent:
    case R::ServerUnauthorized:
    case R::ServerForbidden:
    case R::ServerCertProblem:
    case R::NetworkInvalidRequest:
        return Text(SServerRefused);
    default:
        return Download->interruptReasonString();
    }
}

}  // namespace

void TWebEngineBrowser::DownloadRequested(QWebEngineDownloadRequest* Download)
{
    // The profile serves every control of the process: each takes its own page's.
    if (Download->page() && Download->page() != FPage)
        return;
    if (Download->isSavePageDownload())
        return;
    const uint32_t id = Download->id();
    FUndecided.insert(id, Download);
    if (OnDownloadRequested) {
        TDownload d;
        d.Id = id;
        d.FileName =
            SafeFileName(Download->suggestedFileName().isEmpty() ? Download->downloadFileName()
                                                                 : Download->suggestedFileName());
        d.Address = Download->url().toString();
        d.TotalBytes = Download->totalBytes();
        OnDownloadRequested(d);
    }
    // Decided now or never: the engine drops a download nobody accepted when this returns.
    if (FUndecided.contains(id))
        CancelDownload(id);
}

void TWebEngineBrowser::AcceptDownload(uint32_t Id, const QString& Path)
{
    QPointer<QWebEngineDownloadRequest> d = FUndecided.take(Id);
    if (!d)
        return;
    TTarget target{d, QFileInfo(Path).absoluteFilePath(),
                   PartPath(QFileInfo(Path).absoluteFilePath())};
    d->setDownloadDirectory(QFileInfo(target.PartPath).absolutePath());
    d->setDownloadFileName(QFileInfo(target.PartPath).fileName());
    FDownloads.insert(Id, target);
    connect(d, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, d, Id] {
        if (d && OnDownloadProgress)
            OnDownloadProgress(Id, d->receivedBytes(), d->totalBytes());
    });
    connect(d, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, d] {
        if (d && d->isFinished())
            DownloadStateChanged(d);
    });
    // A dropped connection leaves the engine's download interrupted but resumable, not
    // finished: here it ends, with its reason.
    connect(d, &QWebEngineDownloadRequest::stateChanged, this, [this, d](auto state) {
        if (d && state == QWebEngineDownloadRequest::DownloadInterrupted) {
            DownloadStateChanged(d);
            d->cancel();
        }
    });
    // A stream that ends in order but short of its length is retried by the engine for
    // ever while the download says it is in progress: the first interruption ends it.
    connect(d, &QWebEngineDownloadRequest::interruptReasonChanged, this, [this, d] {
        if (d && !d->isFinished() && d->interruptReason() != QWebEngineDownloadRequest::NoReason &&
            d->interruptReason() != QWebEngineDownloadRequest::UserCanceled) {
            DownloadStateChanged(d);
            d->cancel();
        }
    });
    d->accept();
}

void TWebEngineBrowser::CancelDownload(uint32_t Id)
{
    if (QPointer<QWebEngineDownloadRequest> d = FUndecided.take(Id)) {
        d->cancel();
        return;
    }
    auto it = FDownloads.find(Id);
    if (it != FDownloads.end() && it->Request && !it->Request->isFinished())
        it->Request->cancel();  // isFinishedChanged follows
}

void TWebEngineBrowser::DownloadStateChanged(QWebEngineDownloadRequest* Download)
{
    const uint32_t id = Download->id();
    if (!FDownloads.contains(id))
        return;
    const TTarget target = FDownloads.take(id);
    Download->disconnect(this);
    TDownloadEnd end = deCompleted;
    QString reason;
    if (Download->state() == QWebEngineDownloadRequest::DownloadCompleted) {
        // The whole file is in: now it takes the chosen name, replacing what the user
        // agreed to replace, in one step.
        if (std::rename(QFile::encodeName(target.PartPath).constData(),
                        QFile::encodeName(target.Path).constData()) != 0) {
            end = deFailed;
            reason = Text(SCannotWrite, target.Path) + QStringLiteral(" (") +
                     QString::fromLocal8Bit(std::strerror(errno)) + u')';
            QFile::remove(target.PartPath);
        }
    } else {
        end = Download->state() == QWebEngineDownloadRequest::DownloadCancelled &&
                      Download->interruptReason() == QWebEngineDownloadRequest::UserCanceled
                  ? deCancelled
                  : deFailed;
        if (end == deFailed)
            reason = Reason(Download, target.Path);
        if (end == deFailed && reason.isEmpty())
            reason = Download->interruptReasonString();
        // Nothing of an unfinished file stays behind.
        QFile::remove(target.PartPath);
    }
    if (OnDownloadFinished)
        OnDownloadFinished(id, end, reason);
}

void TWebEngineBrowser::Print()
{
    if (FPrinter || !FView)
        return;  // one job at a time
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    bool chosen = false;
    if (ChoosePrinter) {
        chosen = ChoosePrinter(*printer);
    } else {
        QPrintDialog dialog(printer.get(), FView->window());
        dialog.setObjectName(QStringLiteral("PrintDialog"));
        chosen = dialog.exec() == QDialog::Accepted;
    }
    if (!chosen || !FView)
        return;
    FPrinter = std::move(printer);
    if (FPrinter->outputFormat() == QPrinter::PdfFormat && !FPrinter->outputFileName().isEmpty()) {
        // A PDF file straight from the engine keeps the page's text and links; printing
        // through the printer would paint every page as a picture.
        FPage->printToPdf(FPrinter->outputFileName(), FPrinter->pageLayout(),
                          FPrinter->pageRanges());
        return;
    }
    FView->print(FPrinter.get());
}

void TWebEngineBrowser::PrintFinished(bool Ok)
{
    FPrinter.reset();
    Notice(Text(Ok ? SPrinted : SPrintFailed));
    if (OnPrintFinished)
        OnPrintFinished(Ok);
}

}  // namespace tavo::webengine
