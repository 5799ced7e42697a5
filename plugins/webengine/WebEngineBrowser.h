#pragma once
// The platform's browser control on the web engine. Before-navigate is raised for every
// frame from the page's navigation requests (frames announce nothing else); progress is
// the engine's load progress out of 100, and the end of a download is reported as
// progress -1 of 0, as the platform's control reports it, just before document complete.
// The shell's own navigation is announced with the address as the shell gave it, and an
// address that is no web address is announced all the same and shows an error page.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "platform/WebBrowserControl.h"

class QWebEngineView;

namespace tavo::webengine {

class TWebEngineBrowser final : public QObject, public platform::TWebBrowserControl {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::TWebBrowserControl)

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

    // Called by the page for every navigation request but a reload, main frame or not.
    void NavigationRequested(const QUrl& Url, bool MainFrame);

private:
    void LoadStarted();
    void LoadProgress(int Progress);
    void LoadFinished(bool Ok);
    void LinkHovered(const QString& Url);
    void ShowStatus(const QString& Text);
    void ShowBadAddress(const QString& Address);

    QPointer<QWebEngineView> FView;
    QString FLoading;    // the main frame's last requested address, as the status names it
    QString FLoadState;  // the status when no link is under the mouse
    // The shell's navigation that the main frame has not asked for yet, and its address as
    // the shell gave it.
    QUrl FGivenUrl;
    QString FGiven;
    // The error page for an address that is no web address, and that address.
    QUrl FErrorPage;
    QString FBadAddress;
    bool FShowingError = false;  // the main frame shows that page
};

}  // namespace tavo::webengine
