#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildReaper.h"
#include "TestEnvironment.h"
#include "tools/MessageBoxDialog.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    tavo::test::InstallTestEnvironment();
    // Programs the tests start through the shell are detached; they are ended with the test.
    tavo::test::BecomeSubreaper();
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        static std::string runtime = "/tmp/tavo-test-runtime-" + std::to_string(::getuid());
        ::mkdir(runtime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // As the shell does: the web engine reads this before the application exists.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    int rc = 0;
    {
        QApplication app(argc, argv);
        // As the utility module's start does in the programs: boxes are dialogs.
        tavo::tools::UseDesktopMessages();
        rc = RUN_ALL_TESTS();
    }
    tavo::test::EndChildren();
    return rc;
}
