// The kept profile and the preparation ahead of the first visit, on the real engine.
#include <QDir>
#include <QDirIterator>
#include <QPluginLoader>
#include <QProcess>

#include "BrowserFeatureFixture.h"
#include "TestEnvironment.h"

using namespace tavo;
using namespace tavo::test;

namespace {

QString DataFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + "/tavo/web";
}
QString CacheFolder()
{
    return qEnvironmentVariable("XDG_CACHE_HOME") + "/tavo/web";
}

// One whole life of the shell in a process of its own, visiting Address.
QString VisitInOwnProcess(const QString& Address)
{
    QProcess shell;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TAVO_PLUGIN_PATH", BROWSER_PLUGIN_DIR);
    // The home page's host name goes to the scripted site too.
    const QString port = QUrl(Address).port() > 0 ? QString::number(QUrl(Address).port()) : "80";
    env.insert("QTWEBENGINE_CHROMIUM_FLAGS",
               "--host-resolver-rules=\"MAP * 127.0.0.1:" + port + ",EXCLUDE 127.0.0.1\"");
    shell.setProcessEnvironment(env);
    shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    shell.start(SHELL_VISIT, {Address});
    // The scripted site answers from its own process; the test need not spin.
    if (!shell.waitForFinished(90000)) {
        shell.kill();
        shell.waitForFinished();
        return "timed out";
    }
    return QString::fromUtf8(shell.readAllStandardOutput());
}

}  // namespace

TEST(KeptProfile, ALoginCookieSurvivesARestartAndLivesInTheUsersFolders)
{
    ScriptedSite& site = ScriptedSite::Instance();
    ASSERT_TRUE(site.Running());
    const QString login = site.Url("/login");
    QString first = VisitInOwnProcess(login);
    EXPECT_TRUE(first.contains("loaded Login")) << qPrintable(first);
    EXPECT_TRUE(first.contains("ended 0")) << qPrintable(first);
    EXPECT_TRUE(site.Seen().contains("seen /login -"));

    QString second = VisitInOwnProcess(login);
    EXPECT_TRUE(second.contains("ended 0")) << qPrintable(second);
    EXPECT_TRUE(site.Seen().contains("seen /login session=kept"))
        << qPrintable(site.Seen().join('\n'));

    // Cookies and local storage in the data folder, the HTTP cache in the cache folder;
    // nothing in Qt's default place for an engine's profile.
    EXPECT_TRUE(QFileInfo::exists(DataFolder() + "/Cookies")) << qPrintable(DataFolder());
    EXPECT_FALSE(QDir(CacheFolder()).isEmpty()) << qPrintable(CacheFolder());
    QStringList strays;
    for (QDirIterator it(QString::fromStdString(TestFolder().string()),
                         QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        if (path.endsWith("/QtWebEngine"))
            strays << path;
    }
    EXPECT_TRUE(strays.isEmpty()) << qPrintable(strays.join(' '));
}

TEST(KeptProfile, NothingIsWrittenBesideTheProgram)
{
    ScriptedSite& site = ScriptedSite::Instance();
    ASSERT_TRUE(site.Running());
    const QString bin = QFileInfo(SHELL_VISIT).absolutePath();
    QStringList before =
        QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    VisitInOwnProcess(site.Url("/"));
    QStringList after = QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_EQ(after, before);
}

TEST(EnginePreparation, ReadiesTheComponentAndItsProfileOnceTheWindowIsIdle)
{
    TestSite::Instance();
    qputenv("TAVO_PLUGIN_PATH", BROWSER_PLUGIN_DIR);
    platform::TComponentRegistry::Instance().Rescan();
    BrowserFactoryScope factory{&browser::CreateEngineBrowser};
    StartedShell shell;
    browser::TBrowserTab* tab = shell.Main()->BrowserTab();
    ASSERT_TRUE(WaitFor([&] { return tab->Prepared(); }, 30000));
    // Prepared, not visited: the component is loaded and the profile's folders are made,
    // but there is no browser yet.
    EXPECT_EQ(tab->Browser(), nullptr);
    QPluginLoader plugin(
        platform::TComponentRegistry::Instance().PluginFile(platform::kWebBrowserClassId));
    EXPECT_TRUE(plugin.isLoaded());
    EXPECT_TRUE(QFileInfo(DataFolder()).isDir());
    // The visit then makes the browser as ever.
    shell.SelectTab(1);
    ASSERT_TRUE(tab->BrowserReady());
    EXPECT_TRUE(WaitFor([&] { return tab->HistoryIndex() == 0; }, 30000));
}

TEST(EnginePreparation, AVisitDuringThePreparationIsServedAndEndsIt)
{
    TestSite::Instance();
    qputenv("TAVO_PLUGIN_PATH", BROWSER_PLUGIN_DIR);
    platform::TComponentRegistry::Instance().Rescan();
    BrowserFactoryScope factory{&browser::CreateEngineBrowser};
    StartedShell shell;
    browser::TBrowserTab* tab = shell.Main()->BrowserTab();
    // As soon as the window shows, before the event loop has been idle.
    shell.SelectTab(1);
    ASSERT_TRUE(tab->BrowserReady());
    EXPECT_TRUE(WaitFor([&] { return tab->Prepared(); }, 30000));
    EXPECT_TRUE(WaitFor([&] { return tab->HistoryIndex() == 0; }, 30000));
}

TEST(EnginePreparation, NothingIsPreparedForAnotherControl)
{
    BrowserFactoryScope factory{
        [](QWidget*) -> std::unique_ptr<platform::TWebBrowserControl> { return nullptr; }};
    EXPECT_FALSE(browser::PrepareEngineStep(0));
    EXPECT_FALSE(browser::PrepareEngineStep(1));
}
