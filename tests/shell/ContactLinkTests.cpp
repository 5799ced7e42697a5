#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ShellTestSupport.h"
#include "browser/BrowserTab.h"
#include "platform/ShellExecute.h"
#include "platform/WebBrowserControl.h"
#include "shell/FAbout.h"

using namespace tavo;
using tavo::test::StartedShell;

namespace {

// Stands for the desktop: records what it is asked to open; Handled false is a desktop
// with no browser and no mail program.
class RecordedShell {
public:
    explicit RecordedShell(bool Handled = true)
    {
        Previous =
            platform::SetShellExecutor([this, Handled](const platform::ShellExecuteRequest& r) {
                Requests.push_back(r);
                return Handled;
            });
    }
    ~RecordedShell() { platform::SetShellExecutor(Previous); }
    std::vector<platform::ShellExecuteRequest> Requests;
    platform::ShellExecutor Previous;
};

void ClickLink(QWidget* window, const char* name)
{
    auto* w = window->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton);
}

void ExpectLinks(QWidget* window)
{
    RecordedShell shell;
    for (const char* name :
         {"L_TervikWWW", "Image1", "L_TervikEMail", "L_CopyRight", "L_FirmWWW", "L_FirmEMail"})
        ClickLink(window, name);
    ASSERT_EQ(shell.Requests.size(), 6u);
    auto& r = shell.Requests;
    EXPECT_EQ(r[0].Target, "www.tervik.example.com");
    EXPECT_EQ(r[0].Verb, "");
    EXPECT_EQ(r[0].Owner, nullptr);
    EXPECT_EQ(r[1].Target, r[0].Target);  // the logo acts as the web link
    EXPECT_EQ(r[2].Target, "mailto:info@tervik.example.com?subject= &body=");
    EXPECT_EQ(r[2].Verb, "open");
    EXPECT_EQ(r[2].Owner, window);
    EXPECT_EQ(r[3].Target, "www.tervik.example.com/tavo/authors.html");
    EXPECT_EQ(r[4].Target, "www.distribution.example.org");
    EXPECT_EQ(r[4].Owner, nullptr);
    EXPECT_EQ(r[5].Target, "mailto:office@distribution.example.org?subject= &body=");
    EXPECT_EQ(r[5].Verb, "open");
    EXPECT_EQ(r[5].Owner, window);
}

}  // namespace

TEST(ContactLinks, MainWindowLinksOpenTheirExactTargets)
{
    StartedShell shell;
    ExpectLinks(shell.Main());
}

TEST(ContactLinks, SplashLinksOpenTheSameTargets)
{
    StartedShell shell(false);
    ExpectLinks(shell::F_About);
}

TEST(ContactLinks, TheCaptionIsTheTargetAndKeysActivateLinks)
{
    StartedShell shell;
    RecordedShell recorded;
    auto* web = shell.Main()->findChild<QLabel*>("L_FirmWWW");
    web->setText("www.other.example.net");
    web->setFocus();
    QTest::keyClick(web, Qt::Key_Return);
    auto* mail = shell.Main()->findChild<QLabel*>("L_FirmEMail");
    mail->setText("a b@example.net");  // nothing is escaped
    QTest::keyClick(mail, Qt::Key_Space);
    ASSERT_EQ(recorded.Requests.size(), 2u);
    EXPECT_EQ(recorded.Requests[0].Target, "www.other.example.net");
    EXPECT_EQ(recorded.Requests[1].Target, "mailto:a b@example.net?subject= &body=");
}

namespace {

class RecordingBrowser : public platform::TWebBrowserControl {
public:
    explicit RecordingBrowser(QWidget* Parent) : View(new QWidget(Parent)) {}
    QWidget* Widget() override { return View; }
    void Navigate(const QString& Address) override { Navigated.push_back(Address); }
    void Stop() override {}
    void Refresh() override {}
    void GoSearch() override {}
    QWidget* View;
    std::vector<QString> Navigated;
};

class BrowserFactoryScope {
public:
    explicit BrowserFactoryScope(platform::WebBrowserFactory Factory)
        : Previous(platform::RegisterWebBrowser(std::move(Factory)))
    {
    }
    ~BrowserFactoryScope() { platform::RegisterWebBrowser(Previous); }
    platform::WebBrowserFactory Previous;
};

// The address boxes open now, closed as the test finds them.
std::vector<QMessageBox*> AddressBoxes()
{
    std::vector<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w);
            box && box->objectName() == "AddressBox" && box->isVisible())
            boxes.push_back(box);
    return boxes;
}

// The label of Box that shows Text, or none.
QLabel* LabelShowing(QMessageBox* Box, const QString& Text)
{
    for (QLabel* label : Box->findChildren<QLabel*>())
        if (label->text() == Text)
            return label;
    return nullptr;
}

}  // namespace

TEST(ContactLinks, WithoutADesktopBrowserWebLinksOpenInTheInternetTab)
{
    RecordingBrowser* browser = nullptr;
    BrowserFactoryScope factory([&](QWidget* Parent) {
        auto created = std::make_unique<RecordingBrowser>(Parent);
        browser = created.get();
        return created;
    });
    StartedShell shell;
    RecordedShell desktop(false);
    auto* tabs = shell.Main()->findChild<QTabWidget*>("PageControl1");
    ASSERT_EQ(tabs->currentIndex(), shell::TF_Main::TabPrograms);

    ClickLink(shell.Main(), "L_TervikWWW");
    ASSERT_EQ(desktop.Requests.size(), 1u) << "the desktop is asked first";
    EXPECT_EQ(tabs->currentIndex(), shell::TF_Main::TabInternet);
    ASSERT_NE(browser, nullptr);
    // The tab's own home page first (its creation), then the link's address.
    ASSERT_FALSE(browser->Navigated.empty());
    EXPECT_EQ(browser->Navigated.back(), "www.tervik.example.com");

    // Back on the Programs tab, the distributor's page and the authors' page go there too.
    for (const auto& [link, address] :
         {std::pair{"L_FirmWWW", "www.distribution.example.org"},
          std::pair{"L_CopyRight", "www.tervik.example.com/tavo/authors.html"}}) {
        shell.SelectTab(shell::TF_Main::TabPrograms);
        const size_t before = browser->Navigated.size();
        ClickLink(shell.Main(), link);
        EXPECT_EQ(tabs->currentIndex(), shell::TF_Main::TabInternet) << link;
        ASSERT_EQ(browser->Navigated.size(), before + 1) << link;
        EXPECT_EQ(browser->Navigated.back(), address) << link;
    }
    EXPECT_TRUE(AddressBoxes().empty());
}

TEST(ContactLinks, WithoutAMailProgramTheAddressIsShownToCopy)
{
    StartedShell shell;
    RecordedShell desktop(false);
    ClickLink(shell.Main(), "L_TervikEMail");
    ASSERT_EQ(desktop.Requests.size(), 1u);
    EXPECT_EQ(desktop.Requests[0].Target, "mailto:info@tervik.example.com?subject= &body=");
    std::vector<QMessageBox*> boxes = AddressBoxes();
    ASSERT_EQ(boxes.size(), 1u) << "shown without blocking the window";
    QLabel* address = LabelShowing(boxes[0], "info@tervik.example.com");
    ASSERT_NE(address, nullptr);
    EXPECT_TRUE(address->textInteractionFlags().testFlags(Qt::TextSelectableByMouse |
                                                          Qt::TextSelectableByKeyboard));
    EXPECT_TRUE(boxes[0]->text().contains("No mail program"));
    EXPECT_EQ(boxes[0]->accessibleDescription(), "info@tervik.example.com");
    boxes[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The distributor's address from the splash, the same way.
    StartedShell splash(false);
    ClickLink(shell::F_About, "L_FirmEMail");
    boxes = AddressBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(LabelShowing(boxes[0], "office@distribution.example.org"), nullptr);
    boxes[0]->close();
}

TEST(ContactLinks, WithNeitherDesktopBrowserNorInternetTabTheAddressIsShown)
{
    BrowserFactoryScope none(nullptr);
    StartedShell shell;
    RecordedShell desktop(false);
    ClickLink(shell.Main(), "L_FirmWWW");
    std::vector<QMessageBox*> boxes = AddressBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(LabelShowing(boxes[0], "www.distribution.example.org"), nullptr);
    boxes[0]->close();
}
