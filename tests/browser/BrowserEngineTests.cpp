// The "Internet" tab on the real web engine, with pages served on 127.0.0.1.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "TestSite.h"
#include "browser/BrowserControl.h"
#include "platform/ComponentRegistry.h"

using namespace tavo;
using tavo::test::TestSite;
using tavo::test::WaitFor;

namespace {

constexpr int LoadTimeout = 30000;
// The home page as the shell gives it; the engine asks for "http://www.distribution.example.org/".
const QString Home = QStringLiteral("www.distribution.example.org");

class EngineTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        Site = &TestSite::Instance();  // before the engine starts: it maps the host names
        // The engine comes as the shell's does: the component from the disc's plugins.
        qputenv("TAVO_PLUGIN_PATH", BROWSER_PLUGIN_DIR);
        platform::TComponentRegistry::Instance().Rescan();
        Shell = std::make_unique<test::ShellOnInternet>();
        ASSERT_TRUE(Shell->Tab()->BrowserReady());
        View = qobject_cast<QWebEngineView*>(Shell->Tab()->Browser()->Widget());
        ASSERT_NE(View, nullptr);
        Finished = std::make_unique<QSignalSpy>(View, &QWebEngineView::loadFinished);
        ASSERT_TRUE(Settle(0));
        EXPECT_EQ(Shell->Tab()->History(), QStringList{Home});
        EXPECT_EQ(Text(), Home);
    }

    // Waits for the current entry to be Index and the page to have finished loading.
    bool Settle(int32_t Index)
    {
        bool ok =
            WaitFor([&] { return Shell->Tab()->HistoryIndex() == Index && Finished->count() > 0; },
                    LoadTimeout);
        Finished->clear();
        return ok;
    }
    QString Url(const char* Path) const { return Site->Url(QString::fromLatin1(Path)); }
    QString Text() const { return Shell->Find<QComboBox>("dxAddressCombo")->currentText(); }
    QVariant Evaluate(const QString& Script)
    {
        QVariant result;
        bool done = false;
        View->page()->runJavaScript(Script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        WaitFor([&] { return done; }, LoadTimeout);
        return result;
    }
    // The keys the "/keys" page was given.
    QStringList PageKeys() { return Evaluate(QStringLiteral("window.keys")).toStringList(); }
    QWidget* Surface() const { return View->focusProxy() ? View->focusProxy() : View; }
    void Type(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
    {
        // The engine gives the page the focus on its own time; a key that comes first
        // never reaches the document.
        Surface()->setFocus();
        ASSERT_TRUE(WaitFor([&] { return Evaluate("document.hasFocus()").toBool(); }, LoadTimeout));
        QTest::keyClick(Surface(), Key, Modifiers);
    }
    QString PageText()
    {
        QString text;
        bool done = false;
        View->page()->toPlainText([&](const QString& t) {
            text = t;
            done = true;
        });
        WaitFor([&] { return done; }, LoadTimeout);
        return text;
    }

    TestSite* Site = nullptr;
    test::BrowserFactoryScope Factory{&browser::CreateEngineBrowser};
    std::unique_ptr<test::ShellOnInternet> Shell;
    QWebEngineView* View = nullptr;
    std::unique_ptr<QSignalSpy> Finished;
};

TEST_F(EngineTab, HistoryFollowsTheEnginesNavigations)
{
    const QString B = Url("/b"), C = Url("/c"), D = Url("/d");
    Shell->EnterAddress(B);
    ASSERT_TRUE(Settle(1));
    Shell->EnterAddress(C);
    ASSERT_TRUE(Settle(2));
    EXPECT_EQ(Shell->MenuEntries("BackPopupMenu"), (QStringList{B, Home}));
    EXPECT_TRUE(Shell->MenuEntries("ForwardPopupMenu").isEmpty());
    EXPECT_TRUE(Shell->Find<QToolButton>("dxBackBtn")->isEnabled());
    EXPECT_FALSE(Shell->Find<QToolButton>("dxForwardBtn")->isEnabled());

    Shell->Click("dxBackBtn");
    ASSERT_TRUE(Settle(1));
    EXPECT_EQ(View->title(), "B");
    EXPECT_EQ(Shell->MenuEntries("ForwardPopupMenu"), QStringList{C});
    EXPECT_EQ(Shell->MenuEntries("BackPopupMenu"), QStringList{Home});

    // A link clicked in the page.
    View->page()->runJavaScript(QStringLiteral("document.getElementById('d').click()"));
    ASSERT_TRUE(Settle(3));
    EXPECT_EQ(Shell->Tab()->History(), (QStringList{Home, B, C, D}));
    EXPECT_EQ(Shell->MenuEntries("BackPopupMenu"), (QStringList{C, B, Home}));
    EXPECT_FALSE(Shell->Find<QToolButton>("dxForwardBtn")->isEnabled());
    EXPECT_EQ(Text(), D);

    Shell->ChooseFromMenu("BackPopupMenu", C);
    ASSERT_TRUE(Settle(2));
    EXPECT_EQ(View->title(), "C");

    // The same address in other letter case is the same entry, and the box shows it as
    // typed, not as the engine asks for it ("http://.../B").
    QString otherCase = B;
    otherCase.replace(QStringLiteral("/b"), QStringLiteral("/B"));
    const QString typed = QStringLiteral("HTTP") + otherCase.mid(4);
    Shell->EnterAddress(typed);
    ASSERT_TRUE(Settle(1));
    EXPECT_EQ(Shell->Tab()->History().size(), 4);
    EXPECT_EQ(Text(), typed);

    // A frameset: the engine announces its frames, and the last of them is current.
    Shell->EnterAddress(Url("/frames"));
    ASSERT_TRUE(WaitFor([&] { return Shell->Tab()->History().size() == 7; }, LoadTimeout));
    ASSERT_TRUE(Settle(6));
    QStringList history = Shell->Tab()->History();
    EXPECT_EQ(history[4], Url("/frames"));
    EXPECT_EQ((QStringList{history[5], history[6]}).size(), 2);
    EXPECT_TRUE(history.mid(5).contains(Url("/f1")));
    EXPECT_TRUE(history.mid(5).contains(Url("/f2")));
    EXPECT_EQ(Text(), history[6]);
    EXPECT_FALSE(Shell->Find<QToolButton>("dxForwardBtn")->isEnabled());
}

TEST_F(EngineTab, ProgressAndStatusFollowTheEngine)
{
    auto* bar = Shell->Find<QProgressBar>("ProgressBar");
    auto* status = Shell->Find<QLabel>("AdressLabel");
    // The end of the download was reported as -1 of 0, then the document completed.
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(status->text(), "Done");

    // What the engine's control reports, in order, on its way to the tab.
    platform::TWebBrowserControl* control = Shell->Tab()->Browser();
    std::vector<std::pair<int, int>> seen;
    auto progress = control->OnProgressChange;
    control->OnProgressChange = [&](int32_t p, int32_t max) {
        seen.emplace_back(p, max);
        progress(p, max);
    };
    auto complete = control->OnDocumentComplete;
    control->OnDocumentComplete = [&] {
        seen.emplace_back(0, -100);  // marks the document's completion
        complete();
    };
    Shell->EnterAddress(Url("/c"));
    ASSERT_TRUE(Settle(1));
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front().second, 100);
    EXPECT_EQ(seen[seen.size() - 2], std::make_pair(-1, 0));
    EXPECT_EQ(seen.back(), std::make_pair(0, -100));
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(status->text(), "Done");
}

TEST_F(EngineTab, StatusShowsTheLinkUnderTheMouse)
{
    auto* status = Shell->Find<QLabel>("AdressLabel");
    QVariant box;
    bool done = false;
    View->page()->runJavaScript(
        QStringLiteral("(function(){var r=document.getElementById('b').getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2];})()"),
        [&](const QVariant& v) {
            box = v;
            done = true;
        });
    ASSERT_TRUE(WaitFor([&] { return done; }, LoadTimeout));
    QVariantList xy = box.toList();
    ASSERT_EQ(xy.size(), 2);
    QPoint link(xy[0].toInt(), xy[1].toInt());
    QWidget* surface = View->focusProxy() ? View->focusProxy() : View;
    QTest::mouseMove(surface, link);
    EXPECT_TRUE(WaitFor([&] { return status->text() == "http://" + Home + "/b"; }, LoadTimeout))
        << status->text().toStdString();
    // Leaving the link brings back what the page is doing.
    QTest::mouseMove(surface, QPoint(surface->width() - 5, surface->height() - 5));
    EXPECT_TRUE(WaitFor([&] { return status->text() == "Done"; }, LoadTimeout))
        << status->text().toStdString();
}

TEST_F(EngineTab, RefreshReloadsAndStopEndsALoadingPage)
{
    int before = Site->Hits("/");
    Shell->Click("dxRefreshBtn");
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(Site->Hits("/"), before + 1);
    // The key works while the page has the focus, too.
    Type(Qt::Key_F5);
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(Site->Hits("/"), before + 2);

    Shell->EnterAddress(Url("/slow"));
    ASSERT_TRUE(WaitFor([&] { return Site->Hits("/slow") > 0; }, LoadTimeout));
    EXPECT_EQ(Finished->count(), 0);
    Shell->Click("dxStopBtn");
    ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout));
    EXPECT_EQ(Shell->Find<QProgressBar>("ProgressBar")->value(), 0);
}

TEST_F(EngineTab, AnUnreachablePageShowsTheEnginesErrorPageAndTheShellGoesOn)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    QString address = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    Shell->EnterAddress(address);
    ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout));
    EXPECT_FALSE(Finished->first().first().toBool());
    EXPECT_EQ(Shell->Tab()->History().last(), address);  // failures count too
    EXPECT_EQ(Shell->Find<QProgressBar>("ProgressBar")->value(), 0);
    EXPECT_TRUE(Shell->Find<QLabel>("AdressLabel")->text().startsWith("Cannot open page"));
    EXPECT_FALSE(PageText().trimmed().isEmpty());  // the engine's own error page

    Finished->clear();
    Shell->Click("dxHomeBtn");
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(View->title(), "Home");
}

TEST_F(EngineTab, AnAddressThatIsNoWebAddressIsAFailedPageToo)
{
    // Entered, listed and noted like any address that fails to load, with a page that names
    // it; one that names its scheme is not completed into "http://http//...".
    int32_t position = 0;
    for (const QString& address : {QStringLiteral("foo bar"), QStringLiteral("a b c"),
                                   QStringLiteral("http://exa mple.com")}) {
        Shell->EnterAddress(address);
        ASSERT_TRUE(Settle(++position)) << address.toStdString();
        EXPECT_EQ(Shell->Tab()->History().last(), address);
        EXPECT_EQ(Text(), address);
        EXPECT_EQ(Shell->Find<QComboBox>("dxAddressCombo")->itemText(0), address);
        EXPECT_EQ(Shell->Find<QLabel>("AdressLabel")->text(), "Cannot open page " + address);
        EXPECT_EQ(Shell->Find<QProgressBar>("ProgressBar")->value(), 0);
        EXPECT_TRUE(PageText().contains(address)) << PageText().toStdString();
        EXPECT_FALSE(PageText().contains("http://http"));
    }
    EXPECT_EQ(Shell->Tab()->History().size(), 4);

    // Back to it shows the page again; reloading that page adds nothing.
    Shell->Click("dxBackBtn");
    ASSERT_TRUE(Settle(2));
    EXPECT_TRUE(PageText().contains("a b c"));
    Shell->Click("dxRefreshBtn");
    ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout));
    EXPECT_EQ(Shell->Tab()->History().size(), 4);
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 2);
    EXPECT_EQ(Text(), "a b c");
}

TEST_F(EngineTab, EscapeIsThePagesUnlessAPageIsLoading)
{
    Shell->EnterAddress(Url("/keys"));
    ASSERT_TRUE(Settle(1));
    Type(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return PageKeys().contains("Escape"); }, LoadTimeout));
    EXPECT_TRUE(Evaluate("document.getElementById('dialog').hidden").toBool());

    // A page that is still loading is stopped, and the key goes no further.
    Shell->EnterAddress(Url("/slow"));
    ASSERT_TRUE(WaitFor([&] { return Site->Hits("/slow") > 0; }, LoadTimeout));
    EXPECT_EQ(Finished->count(), 0);
    Type(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout));
    EXPECT_EQ(PageKeys(), QStringList{"Escape"});
}

TEST_F(EngineTab, BackAndForwardKeysInAPageTextFieldAreThePages)
{
    Shell->EnterAddress(Url("/keys"));
    ASSERT_TRUE(Settle(1));
    QSignalSpy started(View, &QWebEngineView::loadStarted);
    Evaluate("document.getElementById('field').focus()");
    Type(Qt::Key_Left, Qt::AltModifier);
    Type(Qt::Key_X);  // keys arrive in order: once x is in, Alt+Left has been dealt with
    ASSERT_TRUE(WaitFor([&] { return PageKeys().contains("x"); }, LoadTimeout));
    EXPECT_TRUE(PageKeys().contains("Alt+ArrowLeft"));
    EXPECT_EQ(Evaluate("document.getElementById('field').value").toString(), "x");
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 1);

    // Outside a text field the page lets the key pass, and it goes back.
    Evaluate("document.activeElement.blur()");
    Type(Qt::Key_Left, Qt::AltModifier);
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(View->title(), "Home");
}

TEST_F(EngineTab, SearchOpensTheSearchPage)
{
    Shell->Click("dxSearchBtn");
    ASSERT_TRUE(WaitFor([&] { return Shell->Tab()->History().size() == 2; }, LoadTimeout));
    EXPECT_EQ(Shell->Tab()->History().last(), "https://duckduckgo.com/");
}

TEST_F(EngineTab, ClosingWhileAPageLoadsEndsCleanly)
{
    Shell->EnterAddress(Url("/slow"));
    ASSERT_TRUE(WaitFor([&] { return Site->Hits("/slow") > 0; }, LoadTimeout));
    QPointer<QWebEngineView> view = View;
    Shell->Shell.reset();
    EXPECT_TRUE(view.isNull());
    // Whatever the engine still has to say finds nobody listening.
    WaitFor([] { return false; }, 300);
}

TEST(EngineComponent, MissingLeavesTheRedMessageAndTheProgramRunning)
{
    const auto empty = test::TestFolder() / "no-plugins";
    std::filesystem::create_directories(empty);
    qputenv("TAVO_PLUGIN_PATH", QByteArray::fromStdString(empty.string()));
    platform::TComponentRegistry::Instance().Rescan();
    test::BrowserFactoryScope factory{&browser::CreateEngineBrowser};
    test::RecordedMessages boxes;
    test::ShellOnInternet shell;
    EXPECT_FALSE(shell.Tab()->BrowserReady());
    EXPECT_EQ(shell.Tab()->Browser(), nullptr);
    EXPECT_TRUE(shell.Find<QLabel>("P_HTML1Caption")->isVisible());
    EXPECT_FALSE(shell.Main()->Bar(0)->isVisible());
    EXPECT_FALSE(shell.Main()->Bar(1)->isVisible());
    EXPECT_TRUE(boxes.Shown.empty());
    // Still running: the other tabs work.
    shell.Main()->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(0);
    EXPECT_TRUE(shell.Main()->findChild<QWidget*>("P_Main")->isVisible());
    qunsetenv("TAVO_PLUGIN_PATH");
    platform::TComponentRegistry::Instance().Rescan();
}

}  // namespace
