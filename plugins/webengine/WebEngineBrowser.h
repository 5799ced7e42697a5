#pragma once
// The platform's browser control on the web engine. Before-navigate is raised for every
// frame from the page's navigation requests (frames announce nothing else); progress is
// the engine's load progress out of 100, and the end of a download is reported as
// progress -1 of 0, as the platform's control reports it, just before document complete.
// The shell's own navigation is announced with the address as the shell gave it, and an
// address that is no web address is announced all the same and shows an error page.
// Besides, it answers the browser commands: downloads, new windows, find, zoom, print.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <memory>

#include "platform/WebBrowserControl.h"

class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineView;

namespace tavo::webengine {

class TBrowserPage;

class TWebEngineBrowser final : public QObject,
                                public platform::TWebBrowserControl,
                                public platform::TWebBrowserCommands {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::TWebBrowserControl tavo::platform::TWebBrowserCommands)

public:
    explicit TWebEngineBrowser(QWidget* Parent);
    ~TWebEngineBrowser() override;
    TWebEngineBrowser(const TWebEngineBrowser&) = delete;
    TWebEngineBrowser& operator=(const TWebEngineBrowser&) = delete;

    QWidget* Widget() override;
    // A bare host name or a path without a scheme is completed; a blank address goes
    // nowhere; one that cannot be made into a web address shows an error page naming it.
    void Navigate(const QString& Address) override;
    void Stop() override;
    void Refresh() override;
    // Opens the search page (a numbered string: this platform has no default one).
    void GoSearch() override;

    void AcceptDownload(uint32_t Id, const QString& Path) override;
    void CancelDownload(uint32_t Id) override;
    void FindText(const QString& Text, bool Backward) override;
    double ZoomFactor() const override;
    void SetZoomFactor(double Factor) override;
    void Print() override;
    void ExitFullScreen() override;

    // From the page: every navigation request but a reload, main frame or not; a new
    // window's address; a notice for the status line.
    void NavigationRequested(const QUrl& Url, bool MainFrame);
    void NewWindow(const QUrl& Url);
    void Notice(const QString& Text);
    // A notice about a main-frame address handed to another program.
    void OutsideNotice(const QString& Text);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void LoadStarted();
    void LoadProgress(int Progress);
    void LoadFinished(bool Ok);
    void LinkHovered(const QString& Url);
    void ShowStatus(const QString& Text);
    // Title heads the page; Status is the status line's text while it shows (the title
    // when empty).
    void ShowErrorPage(const QString& Address, const QString& Title, const QString& Text,
                       const QString& Status);
    void DownloadRequested(QWebEngineDownloadRequest* Download);
    void DownloadStateChanged(QWebEngineDownloadRequest* Download);
    void PrintFinished(bool Ok);

    QPointer<QWebEngineView> FView;
    TBrowserPage* FPage = nullptr;  // owned by the view; stays ours in full screen
    bool FProfileHeld = false;
    QString FLoading;    // the main frame's last requested address, as the status names it
    QString FLoadState;  // the status when no link is under the mouse
    // The shell's navigation that the main frame has not asked for yet, and its address as
    // the shell gave it.
    QUrl FGivenUrl;
    QString FGiven;
    // The error page shown (for an address that is no web address, or a certificate the
    // shell refused), and the address it stands for.
    QUrl FErrorPage;
    QString FErrorAddress;
    QString FErrorStatus;
    QString FOutsideNotice;      // until the refused navigation has been reported
    bool FShowingError = false;  // the main frame shows that page
    // Accepted downloads: where each goes once complete (its bytes arrive beside it).
    struct TTarget {
        QPointer<QWebEngineDownloadRequest> Request;
        QString Path;
        QString PartPath;
    };
    QHash<uint32_t, TTarget> FDownloads;
    QHash<uint32_t, QPointer<QWebEngineDownloadRequest>> FUndecided;
    std::unique_ptr<QPrinter> FPrinter;  // the job under way
    QString FFindText;
};

}  // namespace tavo::webengine
