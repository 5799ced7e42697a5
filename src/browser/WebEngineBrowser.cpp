#include "WebEngineBrowser.h"

#include <QWebEnginePage>
#include <QWebEngineView>

#include "BrowserControl.h"
#include "BrowserStrings.h"
#include "platform/AnsiText.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/StringTable.h"

namespace tavo::browser {

namespace {

class TNotifyingPage final : public QWebEnginePage {
public:
    TNotifyingPage(TWebEngineBrowser* Control, QObject* Parent)
        : QWebEnginePage(Parent), FControl(Control)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& Url, NavigationType, bool MainFrame) override
    {
        FControl->NavigationRequested(Url, MainFrame);
        return true;  // the shell never cancels a navigation
    }

private:
    TWebEngineBrowser* FControl;
};

QString StatusText(int32_t Id, const QUrl& Url)
{
    return platform::FromAnsi(
        platform::Format(platform::LoadStr(Id), {platform::ToAnsi(Url.toDisplayString())}));
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
    QUrl url = QUrl::fromUserInput(Address.trimmed());
    if (url.isEmpty() || !url.isValid())
        return;
    FView->load(url);
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
    if (MainFrame)
        FLoading = Url;
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(Url.toString());
}

void TWebEngineBrowser::LoadStarted()
{
    QUrl url = FLoading.isEmpty() ? FView->page()->requestedUrl() : FLoading;
    FLoadState = StatusText(SOpeningPage, url);
    ShowStatus(FLoadState);
}

void TWebEngineBrowser::LoadProgress(int Progress)
{
    if (OnProgressChange)
        OnProgressChange(Progress, 100);
}

void TWebEngineBrowser::LoadFinished(bool Ok)
{
    FLoadState = Ok ? platform::FromAnsi(platform::LoadStr(SPageDone))
                    : StatusText(SPageFailed, FView->page()->requestedUrl());
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

bool EngineBuiltIn()
{
    return true;
}

std::unique_ptr<platform::TWebBrowserControl> CreateEngineBrowser(QWidget* Parent)
{
    std::string problem = EngineProblem(CurrentEngineSetup());
    if (!problem.empty())
        throw platform::EOleSysError(problem);
    return std::make_unique<TWebEngineBrowser>(Parent);
}

}  // namespace tavo::browser
