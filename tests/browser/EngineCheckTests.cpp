// Whether the web engine can start: asked before the first page exists, because the
// engine itself ends the process instead of failing.
#include <QLabel>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "BrowserTestSupport.h"
#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "browser/BrowserControl.h"
#include "platform/Errors.h"

using namespace tavo;
using browser::EngineProblem;
using browser::TEngineSetup;

namespace {

// Sets an environment variable for its lifetime.
class EnvScope {
public:
    EnvScope(const char* Name, const char* Value) : FName(Name)
    {
        if (const char* old = std::getenv(Name))
            FOld = old, FHad = true;
        if (Value)
            ::setenv(Name, Value, 1);
        else
            ::unsetenv(Name);
    }
    ~EnvScope()
    {
        if (FHad)
            ::setenv(FName, FOld.c_str(), 1);
        else
            ::unsetenv(FName);
    }

private:
    const char* FName;
    std::string FOld;
    bool FHad = false;
};

QString Program(const std::string& Name, bool Executable)
{
    auto path = test::WriteFile(test::TestFolder() / Name, "#!/bin/sh\n");
    ::chmod(path.c_str(), Executable ? 0755 : 0644);
    return QString::fromStdString(path.string());
}

}  // namespace

TEST(EngineCheck, TheHelperMustExistAndRun)
{
    TEngineSetup setup;
    setup.HelperPath = Program("QtWebEngineProcess", true);
    EXPECT_EQ(EngineProblem(setup), "");

    setup.HelperPath = Program("NotRunnable", false);
    EXPECT_NE(EngineProblem(setup).find("NotRunnable"), std::string::npos);

    setup.HelperPath = QString::fromStdString((test::TestFolder() / "missing").string());
    EXPECT_EQ(EngineProblem(setup), "The web browser's helper program " +
                                        setup.HelperPath.toStdString() +
                                        " is missing or cannot be run.");

    setup.HelperPath = QString::fromStdString(test::TestFolder().string());  // a folder
    EXPECT_NE(EngineProblem(setup), "");
    setup.HelperPath.clear();
    EXPECT_NE(EngineProblem(setup), "");
}

TEST(EngineCheck, RootNeedsTheSandboxSwitchedOff)
{
    TEngineSetup setup;
    setup.HelperPath = Program("QtWebEngineProcess", true);
    setup.Root = true;
    EXPECT_NE(EngineProblem(setup).find("QTWEBENGINE_DISABLE_SANDBOX"), std::string::npos);
    setup.SandboxOff = true;
    EXPECT_EQ(EngineProblem(setup), "");
    setup.Root = false;
    setup.SandboxOff = false;
    EXPECT_EQ(EngineProblem(setup), "");
}

TEST(EngineCheck, TheProcessSetupComesFromItsEnvironment)
{
    {
        EnvScope helper("QTWEBENGINEPROCESS_PATH", "/nowhere/QtWebEngineProcess");
        EnvScope sandbox("QTWEBENGINE_DISABLE_SANDBOX", nullptr);
        EnvScope flags("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
        TEngineSetup setup = browser::CurrentEngineSetup();
        // The engine looks nowhere else when the variable is set.
        EXPECT_EQ(setup.HelperPath, "/nowhere/QtWebEngineProcess");
        EXPECT_TRUE(setup.SandboxOff);
        EXPECT_EQ(setup.Root, ::geteuid() == 0);
    }
    {
        EnvScope helper("QTWEBENGINEPROCESS_PATH", nullptr);
        EnvScope sandbox("QTWEBENGINE_DISABLE_SANDBOX", nullptr);
        EnvScope flags("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandboxes");
        TEngineSetup setup = browser::CurrentEngineSetup();
        EXPECT_FALSE(setup.SandboxOff);
        EXPECT_TRUE(setup.HelperPath.endsWith("/QtWebEngineProcess"));
    }
    {
        EnvScope sandbox("QTWEBENGINE_DISABLE_SANDBOX", "");  // set, even empty, counts
        EXPECT_TRUE(browser::CurrentEngineSetup().SandboxOff);
    }
}

TEST(EngineCheck, AMissingHelperLeavesTheTabUnavailableWithoutAWord)
{
    EnvScope helper("QTWEBENGINEPROCESS_PATH", "/nowhere/QtWebEngineProcess");
    EXPECT_THROW(browser::CreateEngineBrowser(nullptr), platform::EOleSysError);

    test::BrowserFactoryScope real(&browser::CreateEngineBrowser);
    test::RecordedMessages boxes;
    test::ShellOnInternet shell;  // the engine would have ended the process here
    EXPECT_FALSE(shell.Tab()->BrowserReady());
    EXPECT_FALSE(shell.Tab()->BrowserPending());
    EXPECT_EQ(shell.Tab()->Browser(), nullptr);
    EXPECT_TRUE(shell.Find<QLabel>("P_HTML1Caption")->isVisible());
    EXPECT_FALSE(shell.Main()->Bar(0)->isVisible());
    EXPECT_FALSE(shell.Main()->Bar(1)->isVisible());
    EXPECT_TRUE(boxes.Shown.empty());

    // The keys of a browser that is not there do nothing either.
    shell.Press(Qt::Key_F5);
    shell.Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(boxes.Shown.empty());
}
