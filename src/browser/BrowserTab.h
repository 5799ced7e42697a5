#pragma once
// The "Internet" tab's browser: created once, on the first visit to the tab. A failed
// creation is final: the tab keeps its placeholder message and no toolbars.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WebBrowserControl.h"

class QLabel;
class QProgressBar;
class QToolBar;
class QWidget;

namespace tavo::browser {

class TBrowserTab : public QObject {
    Q_OBJECT
public:
    // The main window's components the tab works on.
    struct Parts {
        QWidget* P_HTML1 = nullptr;       // the browser is created in it and covers it
        QLabel* AdressLabel = nullptr;    // status text
        QProgressBar* ProgressBar = nullptr;
        QToolBar* ButtonsBar = nullptr;   // toolbar 0
        QToolBar* AddressBar = nullptr;   // toolbar 1
    };

    TBrowserTab(QWidget* MainWindow, const Parts& Components);
    ~TBrowserTab() override;

    bool BrowserPending() const { return FBrowserPending; }
    bool BrowserReady() const { return FBrowserReady; }
    platform::TWebBrowserControl* Browser() const { return FBrowser.get(); }

    // Tries once; later calls do nothing.
    void CreateBrowser();
    // From the main window's destruction: stop, drop the history, release the control.
    void Release();

private:
    QWidget* FMainWindow;
    Parts FParts;
    std::unique_ptr<platform::TWebBrowserControl> FBrowser;
    bool FBrowserReady = false;
    bool FBrowserPending = true;
    int32_t FHistoryIndex = -1;
    std::unique_ptr<std::vector<std::string>> FHistory;
    bool FAddressEditsHandled = true;
    std::string FAddress;
};

}  // namespace tavo::browser
