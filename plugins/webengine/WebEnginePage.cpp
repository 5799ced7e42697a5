#include "WebEnginePage.h"

#include <QAction>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "WebEngineBrowser.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::webengine {

namespace {

QString Text(int32_t Id, const QStringList& Args = {})
{
    platform::FormatArgs args;
    for (const QString& a : Args)
        args.emplace_back(platform::ToAnsi(a));
    return platform::FromAnsi(platform::Format(platform::LoadStr(Id), args));
}

QString FeatureName(QWebEnginePage::Feature What)
{
    switch (What) {
    case QWebEnginePage::MediaVideoCapture:
        return Text(SFeatureCamera);
    case QWebEnginePage::MediaAudioCapture:
        return Text(SFeatureMicrophone);
    case QWebEnginePage::MediaAudioVideoCapture:
        return Text(SFeatureCameraAndMicrophone);
    case QWebEnginePage::Geolocation:
        return Text(SFeatureLocation);
    case QWebEnginePage::Notifications:
        return Text(SFeatureNotifications);
    case QWebEnginePage::DesktopVideoCapture:
        return Text(SFeatureScreen);
    case QWebEnginePage::DesktopAudioVideoCapture:
        return Text(SFeatureScreenAndSound);
    case QWebEnginePage::MouseLock:
        return Text(SFeatureMousePointer);
    }
    return QString::number(What);
}

QString HostOf(const QUrl& Url)
{
    return Url.host().isEmpty() ? Url.toDisplayString() : Url.host();
}

bool SameDocument(const QUrl& A, const QUrl& B)
{
    return A.adjusted(QUrl::RemoveFragment | QUrl::StripTrailingSlash) ==
           B.adjusted(QUrl::RemoveFragment | QUrl::StripTrailingSlash);
}

// True when the desktop names a program for the scheme. Only asked on a desktop: a
// program that registered its own handler (QDesktopServices::setUrlHandler) is asked
// by openUrl itself.
bool DesktopHasHandler(const QString& Scheme)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return true;
    QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;  // and xdg-open, which opens them, is missing too
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/") + Scheme});
    if (!query.waitForFinished(3000))
        return true;  // cannot tell: let the desktop try
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

// The page shown in full screen: the whole screen, with a note on leaving it that fades.
class TFullScreenWindow final : public QWidget {
public:
    TFullScreenWindow(QWebEnginePage* Page) : FView(new QWebEngineView(this))
    {
        setObjectName(QStringLiteral("FullScreenWindow"));
        setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(FView);
        FView->setPage(Page);
        auto* note = new QLabel(Text(SFullScreenEscape), this);
        note->setObjectName(QStringLiteral("FullScreenNote"));
        note->setStyleSheet(QStringLiteral("background: rgba(0,0,0,170); color: white; "
                                           "padding: 10px; border-radius: 6px;"));
        note->adjustSize();
        note->move(20, 20);
        note->raise();
        QTimer::singleShot(4000, note, &QWidget::hide);
        auto* leave = new QAction(this);
        leave->setObjectName(QStringLiteral("LeaveFullScreenAction"));
        leave->setShortcut(Qt::Key_Escape);
        QObject::connect(leave, &QAction::triggered, this,
                         [Page] { Page->triggerAction(QWebEnginePage::ExitFullScreen); });
        addAction(leave);
        showFullScreen();
        FView->setFocus();
    }

private:
    QWebEngineView* FView;
};

TBrowserPage::TBrowserPage(QWebEngineProfile* Profile, TWebEngineBrowser* Control,
                           QWebEngineView* View)
    : QWebEnginePage(Profile, View), FControl(Control), FView(View)
{
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& r) { NewWindowRequested(r); });
    connect(this, &QWebEnginePage::certificateError, this,
            [this](const QWebEngineCertificateError& e) { CertificateError(e); });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature what) { PermissionRequested(origin, what); });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [this](QWebEngineFullScreenRequest r) { FullScreenRequested(std::move(r)); });
}

TBrowserPage::~TBrowserPage()
{
    delete FFullScreenWindow.data();
}

bool TBrowserPage::IsWebScheme(const QString& Scheme)
{
    static const QStringList web{"http",   "https",    "file",       "data",
                                 "about",  "blob",     "qrc",        "view-source",
                                 "chrome", "devtools", "javascript", "filesystem"};
    return web.contains(Scheme.toLower());
}

bool TBrowserPage::acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool MainFrame)
{
    if (!IsWebScheme(Url.scheme())) {
        // Not the view's to show, and no navigation of it either: history and address box
        // stay as they are.
        if (MainFrame)
            OpenOutside(Url);
        return false;
    }
    // A reload is no navigation to the platform's control either: it leaves the history
    // and the address box as they are.
    if (Type != NavigationTypeReload)
        FControl->NavigationRequested(Url, MainFrame);
    return true;  // the shell never cancels a navigation
}

void TBrowserPage::OpenOutside(const QUrl& Url)
{
    const QString address = Url.toDisplayString();
    if (DesktopHasHandler(Url.scheme()) && QDesktopServices::openUrl(Url))
        FControl->OutsideNotice(Text(SOpeningOutside, {address}));
    else
        FControl->OutsideNotice(Text(SNoHandler, {address}));
}

void TBrowserPage::NewWindowRequested(QWebEngineNewWindowRequest& Request)
{
    const QUrl url = Request.requestedUrl();
    if (!Request.isUserInitiated()) {
        FControl->Notice(Text(SPopupRefused, {HostOf(url.isEmpty() ? this->url() : url)}));
        return;  // not opened: the page's window.open gets nothing
    }
    // A window with no address yet (a script writes into it) has nothing to show here.
    if (url.isEmpty() || url.scheme() == QLatin1String("about"))
        return;
    if (!IsWebScheme(url.scheme())) {
        OpenOutside(url);
        return;
    }
    FControl->NewWindow(url);
}

void TBrowserPage::CertificateError(const QWebEngineCertificateError& Error)
{
    const_cast<QWebEngineCertificateError&>(Error).rejectCertificate();
    const QString host = HostOf(Error.url());
    QString problem;
    switch (Error.type()) {
    case QWebEngineCertificateError::CertificateDateInvalid:
        problem = Text(SCertificateDate, {host});
        break;
    case QWebEngineCertificateError::CertificateAuthorityInvalid:
        problem = Text(SCertificateAuthority, {host});
        break;
    case QWebEngineCertificateError::CertificateCommonNameInvalid:
        problem = Text(SCertificateHost, {host});
        break;
    default:
        problem = Text(SCertificateOther, {host, Error.description()});
        break;
    }
    if (FMainFrameUrl.isEmpty() || SameDocument(Error.url(), FMainFrameUrl))
        FCertificateProblem = problem;
    else
        FControl->Notice(Text(SCertificatePart, {host, problem}));
}

void TBrowserPage::PermissionRequested(const QUrl& Origin, Feature What)
{
    // This shell grants no page a device, the location or the desktop's notifications.
    setFeaturePermission(Origin, What, PermissionDeniedByUser);
    FControl->Notice(Text(SPermissionRefused, {HostOf(Origin), FeatureName(What)}));
}

void TBrowserPage::FullScreenRequested(QWebEngineFullScreenRequest Request)
{
    Request.accept();
    if (Request.toggleOn() == FFullScreen)
        return;
    FFullScreen = Request.toggleOn();
    if (FFullScreen) {
        FFullScreenWindow = new TFullScreenWindow(this);
    } else {
        // Back into the shell's view before the full-screen one goes.
        if (FView)
            FView->setPage(this);
        if (FFullScreenWindow)
            FFullScreenWindow->deleteLater();
        FFullScreenWindow.clear();
    }
}

void TBrowserPage::ExitFullScreen()
{
    if (FFullScreen)
        triggerAction(QWebEnginePage::ExitFullScreen);
}

}  // namespace tavo::webengine
