#pragma once
// The main window: the distributor's banner, the browser toolbars and the three tabs.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "ContactLinks.h"

class QLabel;
class QProgressBar;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace tavo::browser {
class TBrowserTab;
}
namespace tavo::catalogue {
class TDocCatalogue;
}
namespace tavo::objects {
class TObjectCollection;
}
namespace tavo::docviewer {
class TF_DocPDFViewer;
}

namespace tavo::shell {

class TLinkLabel;

class TF_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TF_Main(QWidget* Parent = nullptr);
    ~TF_Main() override;

    enum Tab { TabPrograms = 0, TabInternet = 1, TabManual = 2 };

    // Event handlers, under their design names.
    void FormShow();
    void FormClose();
    void FormDestroy();
    void PageControl1Change();
    void UpdateTabView();
    void CreateBrowser();
    void ShowManual();
    void Sbtn_InstallHDClick();
    void Btn_HDClick();
    void L_FirmWWWClick();
    void L_FirmEMailClick();
    void L_TervikWWWClick();
    void L_TervikEMailClick();
    void L_CopyRightClick();

    // Makes the tab current, as a click on it would.
    void ShowTab(Tab Which);
    // Opens a web address in the Internet tab, for a desktop without a web browser; false
    // when the tab has no browser either.
    bool ShowWebAddress(const QString& Address);

    const std::string& DiscFolder() const { return FDiscFolder; }
    // The folder of the catalogue and its documents, as the disc writes it; another one is
    // read from the next first visit to "Manual" on.
    const std::string& DocumentationFolder() const { return FDocumentationFolder; }
    void SetDocumentationFolder(const std::string& Folder) { FDocumentationFolder = Folder; }
    // The Internet tab's browser, toolbars and commands, built on first call.
    browser::TBrowserTab* BrowserTab() const;
    // The documentation catalogue and viewer: none until the first successful visit to
    // the "Manual" tab.
    const objects::TObjectCollection* Catalogue() const;
    docviewer::TF_DocPDFViewer* Viewer() const;
    QToolBar* Bar(int Index) const { return Index == 0 ? FButtonsBar : FAddressBar; }

    // The command buffer's capacity: longer command lines are refused, never cut.
    static constexpr size_t CommandLineSize = 1024;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate();
    void BuildBanner(QWidget* Parent);
    void BuildToolbars();
    QWidget* BuildProgramsTab();
    QWidget* BuildInternetTab();
    QWidget* BuildManualTab();
    // Copies Command into FCommandLine; false (after telling the user) when it does not fit.
    bool SetCommandLine(const std::string& Command);

    // Components.
    QWidget* P_Main = nullptr;
    TLinkLabel* L_FirmWWW = nullptr;
    TLinkLabel* L_FirmEMail = nullptr;
    QObject* BarManager = nullptr;
    QToolBar* FButtonsBar = nullptr;  // "Przyciski internetowe"
    QToolBar* FAddressBar = nullptr;  // "Adres"
    QTabWidget* PageControl1 = nullptr;
    QWidget* TS_Programs = nullptr;
    QWidget* TS_HTML = nullptr;
    QWidget* TS_Doc = nullptr;
    QToolButton* Sbtn_InstallHD = nullptr;
    QToolButton* SBtn_HD = nullptr;
    MakerLinks FMaker{};
    QWidget* P_HTML1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* AdressLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;

    // Fields.
    std::string FDiscFolder;
    mutable browser::TBrowserTab* FBrowserTab = nullptr;
    std::array<char, CommandLineSize> FCommandLine{};
    // The folder of the catalogue and its documents, as the disc writes it.
    std::string FDocumentationFolder;
    std::unique_ptr<catalogue::TDocCatalogue> FCatalogue;
    QPointer<docviewer::TF_DocPDFViewer> FViewer;
    bool FShown = false;
    bool FDestroyed = false;
};

// The main window, while it exists.
extern TF_Main* F_Main;

}  // namespace tavo::shell
