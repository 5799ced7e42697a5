#include "WebEngineBrowser.h"

#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "EngineStrings.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"

namespace tavo::webengine {

namespace {

class TNotifyingPage final : public QWebEnginePage {
public:
    TNotifyingPage(TWebEngineBrowser* Control, QObject* Parent)
        : QWebEnginePage(Parent), FControl(Control)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& Url, NavigationType Type, bool MainFrame) override
    {
        // A reload is no navigation to the platform's control either: it leaves the history
        // and the address box as they are.
        if (Type != NavigationTypeReload)
            FControl->NavigationRequested(Url, MainFrame);
        return true;  // the shell never cancels a navigation
    }

private:
    TWebEngineBrowser* FControl;
};

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
    FView->setAccessibleName(QStringLiteral("Web page"));
    auto* page = new TNotifyingPage(this, FView);
    FView->setPage(page);
    QObject::connect(page, &QWebEnginePage::loadStarted, FView, [this] { LoadStarted(); });
    QObject::connect(page, &QWebEnginePage::loadProgress, FView,
                     [this](int p) { LoadProgress(p); });
    QObject::connect(page, &QWebEnginePage::loadFinished, FView,
                     [this](bool ok) { LoadFinished(ok); });
    QObject::connect(page, &QWebEnginePage::linkHovered, FView,
                     [this](const QString& url) { LinkHovered(url); });
    QObject::connect(page, &QWebEnginePage::titleChanged, FView, [this] {
        if (OnTitleChange)
            OnTitleChange();
    });
}

TWebEngineBrowser::~TWebEngineBrowser()
{
    // The page calls back into this object: it goes first, without a word to anybody.
    if (FView) {
        FView->page()->disconnect();
        delete FView.data();
    }
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
        ShowBadAddress(text);
        return;
    }
    FGiven = text;
    FGivenUrl = url;
    FView->load(url);
}

void TWebEngineBrowser::ShowBadAddress(const QString& Address)
{
    // Announced as any address is, so that it enters the history and the address box; the
    // page itself is ours and is not announced.
    FGiven.clear();
    FBadAddress = Address;
    QString message = StatusText(SPageFailed, Address).toHtmlEscaped();
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                  "</title></head><body style=\"font-family: sans-serif\">"
                                  "<h1 style=\"font-size: 1.2em\">%1</h1></body></html>")
                       .arg(message);
    FErrorPage = QUrl(QStringLiteral("data:text/html;charset=UTF-8,") +
                      QString::fromLatin1(html.toUtf8().toPercentEncoding()));
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(Address);
    FView->load(FErrorPage);
}

void TWebEngineBrowser::Stop()
{
    FView->triggerPageAction(QWebEnginePage::Stop);
}

void TWebEngineBrowser::Refresh()
{
    FView->triggerPageAction(QWebEnginePage::Reload);
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
            FLoading = FBadAddress;
            return;
        }
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

void TWebEngineBrowser::LoadStarted()
{
    QString address =
        FLoading.isEmpty() ? FView->page()->requestedUrl().toDisplayString() : FLoading;
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
    QString address =
        FLoading.isEmpty() ? FView->page()->requestedUrl().toDisplayString() : FLoading;
    FLoadState = Ok && !FShowingError ? platform::FromAnsi(platform::LoadStr(SPageDone))
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

}  // namespace tavo::webengine
