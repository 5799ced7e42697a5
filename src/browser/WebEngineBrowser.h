#pragma once
// The platform's browser control on the web engine. Before-navigate is raised for every
// frame from the page's navigation requests (frames announce nothing else); progress is
// the engine's load progress out of 100, and the end of a download is reported as
// progress -1 of 0, as the platform's control reports it, just before document complete.
#include <QPointer>
#include <QString>
#include <QUrl>

#include "platform/WebBrowserControl.h"

class QWebEngineView;

namespace tavo::browser {

class TWebEngineBrowser final : public platform::TWebBrowserControl {
public:
    explicit TWebEngineBrowser(QWidget* Parent);
    ~TWebEngineBrowser() override;
    TWebEngineBrowser(const TWebEngineBrowser&) = delete;
    TWebEngineBrowser& operator=(const TWebEngineBrowser&) = delete;

    QWidget* Widget() override;
    // A bare host name or a path without a scheme is completed; a blank address goes
    // nowhere.
    void Navigate(const QString& Address) override;
    void Stop() override;
    void Refresh() override;
    // Opens the search page (a numbered string: this platform has no default one).
    void GoSearch() override;

    // Called by the page for every navigation request, main frame or not.
    void NavigationRequested(const QUrl& Url, bool MainFrame);

private:
    void LoadStarted();
    void LoadProgress(int Progress);
    void LoadFinished(bool Ok);
    void LinkHovered(const QString& Url);
    void ShowStatus(const QString& Text);

    QPointer<QWebEngineView> FView;
    QUrl FLoading;       // the main frame's last requested address
    QString FLoadState;  // the status when no link is under the mouse
};

}  // namespace tavo::browser
