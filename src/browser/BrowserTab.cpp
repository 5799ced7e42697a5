#include "BrowserTab.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QStackedLayout>
#include <QStyleOptionProgressBar>
#include <QStylePainter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "BrowserControl.h"
#include "BrowserDownloads.h"
#include "BrowserPageTools.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"

namespace tavo::browser {

TBrowserTab::TBrowserTab(QWidget* MainWindow, const Parts& Components)
    : QObject(MainWindow), FMainWindow(MainWindow), FParts(Components),
      FHistory(std::make_unique<QStringList>())
{
    setObjectName(QStringLiteral("BrowserTab"));
    // Status texts are addresses and page texts: never markup, and never so long that
    // they widen the window.
    FParts.AdressLabel->setTextFormat(Qt::PlainText);
    FParts.AdressLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FParts.ProgressBar->installEventFilter(this);
    // Keys typed in the page pass the panel on their way, and so do those it leaves unhandled.
    FParts.P_HTML1->installEventFilter(this);
    // Screen readers read the status line's text; what it is, is its description.
    FParts.AdressLabel->setAccessibleName(QString());
    FParts.AdressLabel->setAccessibleDescription(tr("Status"));
    BuildButtonsBar();
    BuildAddressBar();
    QWidget* statusRow = FParts.ProgressBar->parentWidget();
    FDownloads = new TBrowserDownloads(MainWindow, FParts.AdressLabel, FParts.ProgressBar, this);
    if (QWidget* tabPage = FParts.P_HTML1->parentWidget(); tabPage && statusRow)
        FPageTools =
            new TBrowserPageTools(tabPage, FParts.P_HTML1, statusRow, FParts.ProgressBar, this);
}

TBrowserTab::~TBrowserTab()
{
    Release();
}

void TBrowserTab::CreateBrowser()
{
    if (!FBrowserPending || FBrowser)
        return;
    try {
        FBrowser = platform::CreateWebBrowser(FParts.P_HTML1);
        ConnectBrowser();
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
        InsertAddress(platform::FromAnsi(platform::LoadStr(IdMakerWeb)));
        InsertAddress(FParts.HomePage);
        FBrowserReady = true;
        FBrowserPending = false;
        FAddress = FParts.HomePage;
        NavigateToAddress();
    } catch (const std::exception& e) {
        // A machine without the control: the placeholder stays, nobody is bothered by a
        // box; the reason goes to the log for whoever looks after the machine.
        qWarning("The web browser is not available: %s", e.what());
        FBrowser.reset();
        FBrowserReady = false;
        FBrowserPending = false;
    }
}

void TBrowserTab::ConnectBrowser()
{
    FBrowser->OnDocumentComplete = tools::Guarded([this] { BrowserDocumentComplete(); });
    FBrowser->OnProgressChange = tools::Guarded(
        [this](int32_t progress, int32_t max) { BrowserProgressChange(progress, max); });
    FBrowser->OnBeforeNavigate2 =
        tools::Guarded([this](const QString& address) { BrowserBeforeNavigate(address); });
    FBrowser->OnStatusTextChange =
        tools::Guarded([this](const QString& text) { BrowserStatusTextChange(text); });
    FBrowser->OnTitleChange = tools::Guarded([this] { BrowserTitleChange(); });
    FCommands = platform::BrowserCommands(FBrowser.get());
    if (!FCommands)
        return;
    FCommands->OnNewWindow =
        tools::Guarded([this](const QString& address) { BrowserNewWindow(address); });
    FCommands->OnNotice = tools::Guarded([this](const QString& text) { BrowserNotice(text); });
    FDownloads->Attach(FCommands);
    if (FPageTools)
        FPageTools->Attach(FCommands, FBrowser->Widget());
}

void TBrowserTab::Release()
{
    if (!FBrowser)
        return;
    FBrowser->Stop();
    // Whatever the control still reports on its way out finds nobody listening.
    FBrowser->OnBeforeNavigate2 = nullptr;
    FBrowser->OnStatusTextChange = nullptr;
    FBrowser->OnProgressChange = nullptr;
    FBrowser->OnDocumentComplete = nullptr;
    FBrowser->OnTitleChange = nullptr;
    if (FCommands) {
        FDownloads->Detach();
        if (FPageTools)
            FPageTools->Detach();
        FCommands->OnNewWindow = nullptr;
        FCommands->OnNotice = nullptr;
        FCommands = nullptr;
    }
    FHistory.reset();
    FBrowser.reset();
    FBrowserReady = false;
}

void TBrowserTab::NavigateToAddress()
{
    if (FBrowserReady)
        FBrowser->Navigate(FAddress);
}

void TBrowserTab::dxStopBtnClick()
{
    if (FHistoryIndex != -1 && FBrowser)
        FBrowser->Stop();
}

void TBrowserTab::dxRefreshBtnClick()
{
    if (FHistoryIndex != -1 && FBrowser)
        FBrowser->Refresh();
}

void TBrowserTab::dxHomeBtnClick()
{
    FAddress = FParts.HomePage;
    NavigateToAddress();
}

void TBrowserTab::dxSearchBtnClick()
{
    if (FBrowser)
        FBrowser->GoSearch();
}

void TBrowserTab::dxBarButtonMallonClick()
{
    FAddress = FParts.HomePage;
    NavigateToAddress();
}

void TBrowserTab::dxBarButtonKalmenoClick()
{
    FAddress = platform::FromAnsi(platform::LoadStr(IdMakerWeb));
    NavigateToAddress();
}

void TBrowserTab::dxAddressComboChange()
{
    if (!FAddressEditsHandled)
        return;
    FAddress = dxAddressCombo->currentText();
    NavigateToAddress();
}

void TBrowserTab::dxAddressComboKeyDown(int Key)
{
    constexpr int VK_RETURN = 13;
    if (Key != VK_RETURN || tools::IsBlank(platform::ToAnsi(FAddress)))
        return;
    InsertAddress(FAddress);
    NavigateToAddress();
}

void TBrowserTab::SetAddressText(const QString& Text)
{
    dxAddressCombo->setEditText(Text);
    dxAddressComboChange();
}

void TBrowserTab::InsertAddress(const QString& Text)
{
    // An empty box makes its first item current and shows it: keep what is shown.
    QString shown = dxAddressCombo->currentText();
    dxAddressCombo->insertItem(0, Text);
    if (dxAddressCombo->currentText() != shown)
        dxAddressCombo->setEditText(shown);
}

void TBrowserTab::BrowserStatusTextChange(const QString& Text)
{
    FParts.AdressLabel->setText(Text);
}

void TBrowserTab::BrowserProgressChange(int32_t Progress, int32_t ProgressMax)
{
    // The end of a download is reported as -1 of 0.
    FLoading = ProgressMax > 0;
    FParts.ProgressBar->setMaximum(ProgressMax);
    FParts.ProgressBar->setValue(Progress);
}

void TBrowserTab::BrowserDocumentComplete()
{
    FLoading = false;
    FParts.ProgressBar->setValue(0);
    if (FPageTools)
        FPageTools->RefreshZoom();
}

void TBrowserTab::BrowserTitleChange()
{
    // The shell shows no page titles.
}

void TBrowserTab::BrowserNewWindow(const QString& Address)
{
    FAddress = Address;
    NavigateToAddress();
}

void TBrowserTab::BrowserNotice(const QString& Text)
{
    FParts.AdressLabel->setText(Text);
}

void TBrowserTab::PrepareWhenIdle()
{
    if (FPreparing || FPrepared)
        return;
    FPreparing = true;
    QWindow* window = FMainWindow->windowHandle();
    if (window && window->isExposed()) {
        QTimer::singleShot(0, this, [this] { PrepareStep(0); });
        return;
    }
    // The window is painted while its first expose is handled; the steps come after.
    if (window)
        window->installEventFilter(this);
    else
        QTimer::singleShot(0, this, [this] { PrepareStep(0); });
}

void TBrowserTab::PrepareStep(int Step)
{
    // Each step on its own pass of the event loop: a click in between is handled first,
    // and a visit finds the browser made and ends the preparation.
    if (!FBrowser && FBrowserPending && PrepareEngineStep(Step)) {
        QTimer::singleShot(0, this, [this, Step] { PrepareStep(Step + 1); });
        return;
    }
    FPreparing = false;
    FPrepared = true;
    Q_EMIT PreparationDone();
}

bool TBrowserTab::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FParts.ProgressBar && Event->type() == QEvent::Paint)
        return PaintIdleProgress();
    if (Event->type() == QEvent::Expose && Watched == FMainWindow->windowHandle() &&
        FMainWindow->windowHandle()->isExposed()) {
        Watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { PrepareStep(0); });
        return false;
    }
    if (Watched == FParts.P_HTML1 &&
        (Event->type() == QEvent::ShortcutOverride || Event->type() == QEvent::KeyPress))
        return PageKey(static_cast<QKeyEvent*>(Event));
    // The key reaches the box or its editor, depending on which has the focus.
    if ((Watched == dxAddressCombo || Watched == FAddressEdit) &&
        Event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // As the toolbar delivers it: the text is applied first, then the key.
            tools::Guarded([this] {
                dxAddressComboChange();
                dxAddressComboKeyDown(13);
            })();
            return true;
        }
    }
    // Leaving the box applies nothing; the box itself would take a text that matches its
    // list for a choice from it.
    if ((Watched == dxAddressCombo || Watched == FAddressEdit) &&
        Event->type() == QEvent::FocusOut && !FLeavingAddress) {
        FLeavingAddress = true;
        Watched->event(Event);
        FLeavingAddress = false;
        return true;
    }
    return QObject::eventFilter(Watched, Event);
}

// A bar with an empty range (the end of a download is reported as maximum 0) would
// show the style's endless busy animation; it is drawn empty instead.
bool TBrowserTab::PaintIdleProgress()
{
    QProgressBar* bar = FParts.ProgressBar;
    if (bar->maximum() > bar->minimum())
        return false;
    QStylePainter painter(bar);
    QStyleOptionProgressBar option;
    option.initFrom(bar);
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = 0;
    option.maximum = 1;
    option.progress = 0;
    option.textAlignment = bar->alignment();
    option.textVisible = false;
    option.invertedAppearance = bar->invertedAppearance();
    option.bottomToTop = bar->textDirection() == QProgressBar::BottomToTop;
    painter.drawControl(QStyle::CE_ProgressBar, option);
    return true;
}

}  // namespace tavo::browser
