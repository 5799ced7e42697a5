#include "WebEngineBrowser.h"

#include <QChildEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QWebEngineFindTextResult>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWheelEvent>
#include <utility>

#include "WebEnginePage.h"
#include "WebEngineProfile.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::webengine {

namespace {

QString StatusText(int32_t Id, const QString& Address)
{
    return platform::FromAnsi(platform::Format(platform::LoadStr(Id), {platform::ToAnsi(Address)}));
}

// The engine completes an address the shell gave ("www.example.org" is asked for as
// "http://www.example.org/").
bool SameAddress(const QUrl& A, const QUrl& B)
{
    auto completed = [](const QUrl& Url) {
        QUrl url = Url.adjusted(QUrl::StripTrailingSlash);
        if (url.path().isEmpty())
            url.setPath(QStringLiteral("/"));
        return url;
    };
    return completed(A) == completed(B);
}

// Completes what the user typed into a web address; empty when it cannot be one. An
// address that names its scheme is taken as it is: completing "http://exa mple.com" would
// make "http://http//exa mple.com" of it.
QUrl WebAddress(const QString& Text)
{
    static const QRegularExpression schemeFirst(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    QUrl url = schemeFirst.match(Text).hasMatch() ? QUrl(Text, QUrl::StrictMode)
                                                  : QUrl::fromUserInput(Text);
    return url.isValid() ? url : QUrl();
}

}  // namespace

TWebEngineBrowser::TWebEngineBrowser(QWidget* Parent) : FView(new QWebEngineView(Parent))
{
    FView->setObjectName(QStringLiteral("Browser"));
    FView->setAccessibleName(tr("Web page"));
    QWebEngineProfile* profile = AcquireProfile();
    FProfileHeld = true;
    FPage = new TBrowserPage(profile, this, FView);
    FView->setPage(FPage);
    QObject::connect(FPage, &QWebEnginePage::loadStarted, FView, [this] { LoadStarted(); });
    QObject::connect(FPage, &QWebEnginePage::loadProgress, FView,
                     [this](int p) { LoadProgress(p); });
    QObject::connect(FPage, &QWebEnginePage::loadFinished, FView,
                     [this](bool ok) { LoadFinished(ok); });
    QObject::connect(FPage, &QWebEnginePage::linkHovered, FView,
                     [this](const QString& url) { LinkHovered(url); });
    QObject::connect(FPage, &QWebEnginePage::titleChanged, FView, [this] {
        if (OnTitleChange)
            OnTitleChange();
    });
    QObject::connect(FPage, &QWebEnginePage::printRequested, FView, [this] { Print(); });
    QObject::connect(FView, &QWebEngineView::printFinished, FView,
                     [this](bool ok) { PrintFinished(ok); });
    QObject::connect(FPage, &QWebEnginePage::pdfPrintingFinished, FView,
                     [this](const QString&, bool ok) { PrintFinished(ok); });
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, FView,
                     [this](QWebEngineDownloadRequest* d) { DownloadRequested(d); });
    // Ctrl with the wheel zooms in steps the shell shows; the wheel reaches the widget the
    // engine draws into, a child made when the page first shows.
    FView->installEventFilter(this);
    for (QObject* child : FView->children())
        if (child->isWidgetType())
            child->installEventFilter(this);
}

TWebEngineBrowser::~TWebEngineBrowser()
{
    // The page calls back into this object: it goes first, without a word to anybody.
    for (auto& d : FDownloads)
        if (d.Request)
            d.Request->disconnect(this);
    if (FView) {
        FPage->disconnect();
        // The view sends its filters events while it is half destroyed; this filter would
        // take it for the view it no longer is.
        FView->removeEventFilter(this);
        for (QObject* child : FView->findChildren<QObject*>())
            child->removeEventFilter(this);
        delete FView.data();  // and the page with it
    }
    if (FProfileHeld)
        ReleaseProfile();
}

QWidget* TWebEngineBrowser::Widget()
{
    return FView;
}

void TWebEngineBrowser::Navigate(const QString& Address)
{
    QString text = Address.trimmed();
    if (text.isEmpty())
        return;
    QUrl url = WebAddress(text);
    if (url.isEmpty()) {
        // Announced as any address is, so that it enters the history and the address box;
        // the page itself is ours and is not announced.
        FGiven.clear();
        if (OnBeforeNavigate2)
            OnBeforeNavigate2(text);
        ShowErrorPage(text, StatusText(SPageFailed, text), QString(), QString());
        return;
    }
    FGiven = text;
    FGivenUrl = url;
    FPage->load(url);
}

void TWebEngineBrowser::ShowErrorPage(const QString& Address, const QString& Title,
                                      const QString& Text, const QString& Status)
{
    FErrorAddress = Address;
    FErrorStatus = Status.isEmpty() ? Title : Status;
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                  "</title></head><body style=\"font-family: sans-serif\">"
                                  "<h1 style=\"font-size: 1.2em\">%1</h1>%2</body></html>")
                       .arg(Title.toHtmlEscaped(),
                            Text.isEmpty() ? QString()
                                           : QStringLiteral("<p>%1</p>").arg(Text.toHtmlEscaped()));
    FErrorPage = QUrl(QStringLiteral("data:text/html;charset=UTF-8,") +
                      QString::fromLatin1(html.toUtf8().toPercentEncoding()));
    FPage->load(FErrorPage);
}

void TWebEngineBrowser::Stop()
{
    FPage->triggerAction(QWebEnginePage::Stop);
}

void TWebEngineBrowser::Refresh()
{
    FPage->triggerAction(QWebEnginePage::Reload);
}

void TWebEngineBrowser::GoSearch()
{
    Navigate(platform::FromAnsi(platform::LoadStr(SSearchPage)));
}

void TWebEngineBrowser::NavigationRequested(const QUrl& Url, bool MainFrame)
{
    QString address = Url.toString();
    if (MainFrame) {
        FShowingError = !FErrorPage.isEmpty() && Url == FErrorPage;
        if (FShowingError) {
            FLoading = FErrorAddress;
            return;
        }
        FPage->ClearCertificateProblem();
        FPage->SetMainFrameUrl(Url);
        FOutsideNotice.clear();
        // The shell's own navigation is announced as the shell gave it: the address box
        // then shows what the user typed, not the engine's completed form.
        if (!FGiven.isEmpty() && SameAddress(Url, FGivenUrl))
            address = FGiven;
        FGiven.clear();
        FLoading = Url.toDisplayString();
    }
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(address);
}

void TWebEngineBrowser::NewWindow(const QUrl& Url)
{
    if (OnNewWindow)
        OnNewWindow(Url.toString());
    else
        FPage->load(Url);
}

void TWebEngineBrowser::OutsideNotice(const QString& Text)
{
    // The engine reports the refused navigation as a failed load of the page shown; the
    // page is still there, and the notice is what the user needs to read.
    FOutsideNotice = Text;
    Notice(Text);
}

void TWebEngineBrowser::Notice(const QString& Text)
{
    if (OnNotice)
        OnNotice(Text);
    else
        ShowStatus(Text);
}

void TWebEngineBrowser::LoadStarted()
{
    if (!FOutsideNotice.isEmpty())
        return;
    QString address = FLoading.isEmpty() ? FPage->requestedUrl().toDisplayString() : FLoading;
    FLoadState = StatusText(SOpeningPage, address);
    ShowStatus(FLoadState);
}

void TWebEngineBrowser::LoadProgress(int Progress)
{
    if (OnProgressChange)
        OnProgressChange(Progress, 100);
}

void TWebEngineBrowser::LoadFinished(bool Ok)
{
    if (!FOutsideNotice.isEmpty() && !Ok) {
        ShowStatus(std::exchange(FOutsideNotice, QString()));
        if (OnProgressChange)
            OnProgressChange(-1, 0);
        if (OnDocumentComplete)
            OnDocumentComplete();
        return;
    }
    FOutsideNotice.clear();
    QString address = FLoading.isEmpty() ? FPage->requestedUrl().toDisplayString() : FLoading;
    const QString certificate = FShowingError ? QString() : FPage->CertificateProblem();
    if (!certificate.isEmpty()) {
        // Refused: our page names the problem in place of anything from that site.
        FPage->ClearCertificateProblem();
        FLoadState = certificate;
        ShowStatus(FLoadState);
        ShowErrorPage(address, StatusText(SCertificateTitle, QUrl(address).host()),
                      certificate + u' ' +
                          platform::FromAnsi(platform::LoadStr(SCertificateNothing)),
                      certificate);
        return;
    }
    if (FShowingError)
        FLoadState = FErrorStatus;
    else
        FLoadState = Ok ? platform::FromAnsi(platform::LoadStr(SPageDone))
                        : StatusText(SPageFailed, address);
    ShowStatus(FLoadState);
    if (OnProgressChange)
        OnProgressChange(-1, 0);
    if (OnDocumentComplete)
        OnDocumentComplete();
}

void TWebEngineBrowser::LinkHovered(const QString& Url)
{
    // Leaving a link brings back what the page is doing.
    ShowStatus(Url.isEmpty() ? FLoadState : Url);
}

void TWebEngineBrowser::ShowStatus(const QString& Text)
{
    if (OnStatusTextChange)
        OnStatusTextChange(Text);
}

void TWebEngineBrowser::FindText(const QString& Text, bool Backward)
{
    FFindText = Text;
    auto report = [this, guard = QPointer<QWebEngineView>(FView),
                   Text](const QWebEngineFindTextResult& r) {
        if (guard && Text == FFindText && OnFindResult)
            OnFindResult(r.numberOfMatches(), r.activeMatch());
    };
    FPage->findText(Text,
                    Backward ? QWebEnginePage::FindFlags(QWebEnginePage::FindBackward)
                             : QWebEnginePage::FindFlags(),
                    report);
    if (Text.isEmpty() && OnFindResult)
        OnFindResult(0, 0);
}

double TWebEngineBrowser::ZoomFactor() const
{
    return FPage->zoomFactor();
}

void TWebEngineBrowser::SetZoomFactor(double Factor)
{
    FPage->setZoomFactor(qBound(0.25, Factor, 5.0));
}

void TWebEngineBrowser::ExitFullScreen()
{
    FPage->ExitFullScreen();
}

bool TWebEngineBrowser::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::ChildAdded && Watched == static_cast<QObject*>(FView)) {
        QObject* child = static_cast<QChildEvent*>(Event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    }
    if (Event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(Event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            int delta = wheel->angleDelta().y();
            if (delta != 0) {
                SetZoomFactor(platform::ZoomStep(ZoomFactor(), delta > 0 ? 1 : -1));
                if (OnZoomChange)
                    OnZoomChange(ZoomFactor());
            }
            return true;
        }
    }
    return QObject::eventFilter(Watched, Event);
}

}  // namespace tavo::webengine
