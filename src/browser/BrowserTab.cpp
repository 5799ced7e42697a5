#include "BrowserTab.h"

#include <QLayout>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QWidget>

namespace tavo::browser {

TBrowserTab::TBrowserTab(QWidget* MainWindow, const Parts& Components)
    : QObject(MainWindow), FMainWindow(MainWindow), FParts(Components),
      FHistory(std::make_unique<std::vector<std::string>>())
{
    setObjectName(QStringLiteral("BrowserTab"));
}

TBrowserTab::~TBrowserTab() = default;

void TBrowserTab::CreateBrowser()
{
    if (!FBrowserPending || FBrowser)
        return;
    try {
        FBrowser = platform::CreateWebBrowser(FParts.P_HTML1);
        QWidget* view = FBrowser->Widget();
        // The control fills the panel and covers its message.
        if (auto* stack = qobject_cast<QStackedLayout*>(FParts.P_HTML1->layout())) {
            stack->addWidget(view);
            stack->setCurrentWidget(view);
        } else {
            if (!FParts.P_HTML1->layout())
                new QVBoxLayout(FParts.P_HTML1);
            FParts.P_HTML1->layout()->setContentsMargins(0, 0, 0, 0);
            FParts.P_HTML1->layout()->addWidget(view);
        }
        view->show();
        FBrowserReady = true;
        FBrowserPending = false;
    } catch (...) {
        // A machine without the control: the placeholder stays, nobody is bothered.
        FBrowser.reset();
        FBrowserReady = false;
        FBrowserPending = false;
    }
}

void TBrowserTab::Release()
{
    if (!FBrowser)
        return;
    FBrowser->Stop();
    FHistory.reset();
    FBrowser.reset();
    FBrowserReady = false;
}

}  // namespace tavo::browser
