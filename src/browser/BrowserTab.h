#pragma once
// The "Internet" tab: the embedded browser, its two toolbars, the status line and the
// shell's own navigation history. The browser is created once, on the first visit to the
// tab; a failed creation is final: the tab keeps its placeholder message and no toolbars.
// Every navigation of the shell goes through FAddress and NavigateToAddress; the
// browser's before-navigate notification (for every frame) then updates the history.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/WebBrowserControl.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class QWidget;

namespace tavo::browser {

class TBrowserDownloads;
class TBrowserPageTools;

class TBrowserTab : public QObject {
    Q_OBJECT
public:
    // The main window's components the tab works on.
    struct Parts {
        QWidget* P_HTML1 = nullptr;     // the browser is created in it and covers it
        QLabel* AdressLabel = nullptr;  // status text
        QProgressBar* ProgressBar = nullptr;
        QToolBar* ButtonsBar = nullptr;  // toolbar 0, filled here
        QToolBar* AddressBar = nullptr;  // toolbar 1, filled here
        QString HomePage;                // the distributor's web address
    };

    TBrowserTab(QWidget* MainWindow, const Parts& Components);
    ~TBrowserTab() override;

    bool BrowserPending() const { return FBrowserPending; }
    bool BrowserReady() const { return FBrowserReady; }
    platform::TWebBrowserControl* Browser() const { return FBrowser.get(); }
    const QString& HomePage() const { return FParts.HomePage; }
    const QString& Address() const { return FAddress; }
    int32_t HistoryIndex() const { return FHistoryIndex; }
    QStringList History() const { return FHistory ? *FHistory : QStringList(); }

    // Tries once; later calls do nothing.
    void CreateBrowser();
    // Once the main window has been painted and the program is idle, readies what the
    // first visit would otherwise wait for (the OpenGL share context, the component and its
    // engine), a step at a time so that the window answers in between. A visit during the
    // preparation finds done what is done and does the rest itself.
    void PrepareWhenIdle();
    bool Prepared() const { return FPrepared; }
    TBrowserDownloads* Downloads() const { return FDownloads; }
    TBrowserPageTools* PageTools() const { return FPageTools; }
    // From the main window's destruction: stop, drop the history, release the control.
    void Release();
    // Asks the browser for FAddress; nothing while there is no browser.
    void NavigateToAddress();

    // Command handlers.
    void dxBackBtnClick();
    void dxForwardBtnClick();
    void dxStopBtnClick();
    void dxRefreshBtnClick();
    void dxHomeBtnClick();
    void dxSearchBtnClick();
    void dxBarButtonMallonClick();
    void dxBarButtonKalmenoClick();
    // Entry is the chosen link of either history menu (none: nothing happens).
    void dxBarHistoryClick(QAction* Entry);
    void dxAddressComboChange();
    void dxAddressComboKeyDown(int Key);

    // Browser notifications.
    void BrowserBeforeNavigate(const QString& Address);
    void BrowserStatusTextChange(const QString& Text);
    void BrowserProgressChange(int32_t Progress, int32_t ProgressMax);
    void BrowserDocumentComplete();
    void BrowserTitleChange();
    // A link or script that asked for a new window: opened here, as any navigation.
    void BrowserNewWindow(const QString& Address);
    // Something refused or handed elsewhere, for the status line.
    void BrowserNotice(const QString& Text);

Q_SIGNALS:
    // The idle preparation has ended (whatever it found).
    void PreparationDone();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildButtonsBar();
    void BuildAddressBar();
    void ConnectBrowser();
    // The program's own change of the box's text, which the box reports as a change.
    void SetAddressText(const QString& Text);
    // Inserts at the top of the box's list without touching the text being edited.
    void InsertAddress(const QString& Text);
    void RebuildMenus(int32_t Position);
    bool PaintIdleProgress();
    // A key typed in the page, or one the page left unhandled; true when it was a command.
    bool PageKey(QKeyEvent* Key);
    QAction* CommandForKey(const QKeyEvent* Key) const;
    void PrepareStep(int Step);

    QWidget* FMainWindow;
    Parts FParts;
    std::unique_ptr<platform::TWebBrowserControl> FBrowser;
    bool FBrowserReady = false;
    bool FBrowserPending = true;
    int32_t FHistoryIndex = -1;
    std::unique_ptr<QStringList> FHistory;
    bool FAddressEditsHandled = true;
    QString FAddress;
    bool FLeavingAddress = false;  // the address box is losing the focus
    bool FLoading = false;         // between the first progress report and document complete
    bool FPrepared = false;
    bool FPreparing = false;
    platform::TWebBrowserCommands* FCommands = nullptr;  // the control's, when it has them
    TBrowserDownloads* FDownloads = nullptr;
    TBrowserPageTools* FPageTools = nullptr;

    // Commands: each action carries its text, icon, keys and enabled state, and the
    // toolbar shows it as the button of the design's name (dxBackBtn ...).
    QAction* FBackAction = nullptr;
    QAction* FForwardAction = nullptr;
    QAction* FStopAction = nullptr;
    QAction* FRefreshAction = nullptr;
    QAction* FHomeAction = nullptr;
    QAction* FSearchAction = nullptr;
    QAction* FMallonAction = nullptr;
    QAction* FKalmenoAction = nullptr;
    QAction* FAddressAction = nullptr;  // Ctrl+L: into the address box

    // Toolbar items besides the commands' buttons.
    QLabel* dxAdressText = nullptr;
    QComboBox* dxAddressCombo = nullptr;
    // The box's editor, kept for the event filter: while the box is destroyed its editor
    // still has events, and the half-destroyed box may not be asked for it.
    QObject* FAddressEdit = nullptr;
    QLabel* dxBarStatic1 = nullptr;
    QMenu* BackPopupMenu = nullptr;
    QMenu* ForwardPopupMenu = nullptr;  // both menus' entries are "History" links
};

}  // namespace tavo::browser
