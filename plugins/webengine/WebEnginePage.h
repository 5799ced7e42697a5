#pragma once
// The control's page: what the engine asks of the embedding program. Navigations are
// announced to the control; addresses the engine does not show go to the desktop's
// handler; new windows open in the same view through the shell; certificate errors,
// permission requests and full screen are decided here, as no dialog of the engine's own
// may decide them.
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineCertificateError;
class QWebEngineFullScreenRequest;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class QWebEngineView;

namespace tavo::webengine {

class TWebEngineBrowser;
class TFullScreenWindow;

class TBrowserPage final : public QWebEnginePage {
    Q_OBJECT
public:
    TBrowserPage(QWebEngineProfile* Profile, TWebEngineBrowser* Control, QWebEngineView* View);
    ~TBrowserPage() override;

    // The main frame's certificate problem found while loading the current address, for
    // the error page; empty when there was none.
    QString CertificateProblem() const { return FCertificateProblem; }
    void ClearCertificateProblem() { FCertificateProblem.clear(); }
    // The address the main frame is loading (set by the control from navigation requests).
    void SetMainFrameUrl(const QUrl& Url) { FMainFrameUrl = Url; }

    void ExitFullScreen();
    bool IsFullScreen() const { return FFullScreen; }

    // Schemes the engine shows itself; every other one is the desktop's.
    static bool IsWebScheme(const QString& Scheme);

protected:
    bool acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool MainFrame) override;

private:
    void NewWindowRequested(QWebEngineNewWindowRequest& Request);
    void CertificateError(const QWebEngineCertificateError& Error);
    void PermissionRequested(const QUrl& Origin, Feature What);
    void FullScreenRequested(QWebEngineFullScreenRequest Request);
    void OpenOutside(const QUrl& Url);

    TWebEngineBrowser* FControl;
    QPointer<QWebEngineView> FView;
    QUrl FMainFrameUrl;
    QString FCertificateProblem;
    QPointer<TFullScreenWindow> FFullScreenWindow;
    bool FFullScreen = false;
};

}  // namespace tavo::webengine
