#include <QAccessible>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ShellTestSupport.h"
#include "browser/BrowserTab.h"
#include "docviewer/ReaderPool.h"
#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/WebBrowserControl.h"

using namespace tavo;
using tavo::test::StartedShell;

namespace {

class FakeBrowser : public platform::TWebBrowserControl {
public:
    explicit FakeBrowser(QWidget* parent) : View(new QWidget(parent)) {}
    QWidget* Widget() override { return View; }
    void Navigate(const QString& a) override { Navigated.push_back(a); }
    void Stop() override { ++Stops; }
    void Refresh() override {}
    void GoSearch() override {}
    QWidget* View;
    std::vector<QString> Navigated;
    int Stops = 0;
};

// Registers a browser factory for the test's lifetime.
class BrowserFactoryScope {
public:
    explicit BrowserFactoryScope(platform::WebBrowserFactory f)
        : Previous(platform::RegisterWebBrowser(std::move(f)))
    {
    }
    ~BrowserFactoryScope() { platform::RegisterWebBrowser(Previous); }
    platform::WebBrowserFactory Previous;
};

struct View {
    bool Banner, Buttons, Address;
};

View Visible(shell::TF_Main* w)
{
    return {w->findChild<QWidget*>("P_Main")->isVisible(), w->Bar(0)->isVisible(),
            w->Bar(1)->isVisible()};
}

}  // namespace

TEST(MainWindow, StartsOnProgramsWithTheBannerAndNoToolbars)
{
    BrowserFactoryScope none(nullptr);
    StartedShell shell;
    auto* tabs = shell.Main()->findChild<QTabWidget*>("PageControl1");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);
    View v = Visible(shell.Main());
    EXPECT_TRUE(v.Banner);
    EXPECT_FALSE(v.Buttons);
    EXPECT_FALSE(v.Address);
    EXPECT_EQ(shell.Main()->Bar(0)->windowTitle(), "Przyciski internetowe");
    EXPECT_EQ(shell.Main()->Bar(1)->windowTitle(), "Adres");
    EXPECT_EQ(shell.Main()->findChild<QWidget*>("P_Main")->height(), 84);
    EXPECT_EQ(shell.Main()->findChild<QProgressBar*>("ProgressBar")->maximum(), 100);
    EXPECT_EQ(shell.Main()->findChild<QProgressBar*>("ProgressBar")->width(), 225);
    for (const char* name : {"TS_Programs", "TS_HTML", "P_HTML1", "Panel1", "AdressLabel", "TS_Doc",
                             "BarManager", "Sbtn_InstallHD", "SBtn_HD", "L_FirmWWW", "L_FirmEMail",
                             "L_TervikWWW", "L_TervikEMail", "L_CopyRight", "Image1"})
        EXPECT_NE(shell.Main()->findChild<QObject*>(name), nullptr) << name;
}

TEST(MainWindow, DiscPathsAreBuiltFromTheExecutablesFolder)
{
    StartedShell shell(false);
    std::string disc = platform::ExecutableFolder().string() + "/";
    EXPECT_EQ(shell.Main()->DiscFolder(), disc);
    EXPECT_EQ(shell.Main()->DocumentationFolder(), disc + "Setup\\PdfViewer\\Documentation\\");
    EXPECT_EQ(docviewer::ReaderSetupPath, disc + "Setup\\Acrobat\\SetupAcrobat.exe");
}

TEST(MainWindow, WithoutABrowserTheTabShowsTheMessageAndNeverTriesAgain)
{
    int attempts = 0;
    BrowserFactoryScope failing([&](QWidget*) -> std::unique_ptr<platform::TWebBrowserControl> {
        ++attempts;
        throw platform::EOleSysError("Class not registered");
    });
    tavo::test::RecordedMessages boxes;
    StartedShell shell;
    shell.SelectTab(1);
    View v = Visible(shell.Main());
    EXPECT_FALSE(v.Banner);
    EXPECT_FALSE(v.Buttons);
    EXPECT_FALSE(v.Address);
    auto* message = shell.Main()->findChild<QLabel*>("P_HTML1Caption");
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(),
              "Internet viewer Internet Explorer has not been installed in this system.");
    EXPECT_EQ(message->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(shell.Main()->BrowserTab()->BrowserPending());
    EXPECT_FALSE(shell.Main()->BrowserTab()->BrowserReady());
    shell.SelectTab(0);
    EXPECT_TRUE(Visible(shell.Main()).Banner);
    shell.SelectTab(1);
    EXPECT_EQ(attempts, 1);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST(MainWindow, ToolbarsShowOnlyOnTheInternetTabWithABrowser)
{
    FakeBrowser* created = nullptr;
    BrowserFactoryScope working([&](QWidget* parent) {
        auto b = std::make_unique<FakeBrowser>(parent);
        created = b.get();
        return b;
    });
    StartedShell shell;
    shell.SelectTab(1);
    View v = Visible(shell.Main());
    EXPECT_FALSE(v.Banner);
    EXPECT_TRUE(v.Buttons);
    EXPECT_TRUE(v.Address);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->View->isVisible());  // covers the message
    EXPECT_FALSE(shell.Main()->findChild<QLabel*>("P_HTML1Caption")->isVisible());
    shell.SelectTab(2);
    v = Visible(shell.Main());
    EXPECT_FALSE(v.Banner);
    EXPECT_FALSE(v.Buttons);
    EXPECT_FALSE(v.Address);
    shell.SelectTab(0);
    v = Visible(shell.Main());
    EXPECT_TRUE(v.Banner);
    EXPECT_FALSE(v.Buttons);
    EXPECT_FALSE(v.Address);
}

TEST(MainWindow, ControlsAreReachableByKeyboardAndNamedForScreenReaders)
{
    StartedShell shell;
    auto name = [](QObject* o) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
        return a ? a->text(QAccessible::Name) : QString();
    };
    auto* install = shell.Main()->findChild<QToolButton*>("Sbtn_InstallHD");
    auto* start = shell.Main()->findChild<QToolButton*>("SBtn_HD");
    EXPECT_EQ(name(install), "Install the program Tavo C.H. 3.2");
    EXPECT_EQ(name(start), "Start the program Tavo C.H. 3.2");
    EXPECT_EQ(name(shell.Main()->findChild<QObject*>("L_TervikWWW")), "www.tervik.example.com");
    EXPECT_FALSE(name(shell.Main()->findChild<QObject*>("Image1")).isEmpty());
    auto* tabs = shell.Main()->findChild<QTabWidget*>("PageControl1");
    EXPECT_EQ(tabs->tabText(0), "Programs");
    EXPECT_EQ(tabs->tabText(1), "Internet");
    EXPECT_EQ(tabs->tabText(2), "Manual");
    for (const char* n : {"Sbtn_InstallHD", "SBtn_HD", "L_FirmWWW", "L_FirmEMail", "L_TervikWWW",
                          "L_TervikEMail", "L_CopyRight", "Image1"}) {
        auto* w = shell.Main()->findChild<QWidget*>(n);
        EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << n;
    }
    EXPECT_TRUE(tabs->tabBar()->focusPolicy() & Qt::TabFocus);
}
