#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "platform/ShellExecute.h"
#include "shell/FAbout.h"

using namespace tavo;
using tavo::test::StartedShell;

namespace {

class RecordedShell {
public:
    RecordedShell()
    {
        Previous = platform::SetShellExecutor([this](const platform::ShellExecuteRequest& r) {
            Requests.push_back(r);
            return true;
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
