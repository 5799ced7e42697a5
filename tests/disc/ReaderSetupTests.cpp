// The disc's PDF reader installer: it shows what it installs and where, says whether that
// worked and why not, and takes the user back to the shell on its Manual tab however its
// window is closed. The program itself installs and starts what it is told to.
#include <QAccessible>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ReaderSetup.h"
#include "TestEnvironment.h"

using namespace tavo;
using readersetup::TReaderSetupWindow;
using readersetup::TSetupPaths;
namespace fs = std::filesystem;

namespace {

struct TStart {
    QString Program;
    QStringList Args;
};

class ReaderSetup : public ::testing::Test {
protected:
    void SetUp() override
    {
        FFolder = fs::absolute(test::TestFolder());
        FPaths.Component = QString::fromStdString(DISC_COMPONENT);
        FPaths.Folder = QString::fromStdString((FFolder / "data" / "tavo" / "plugins").string());
        FPaths.Shell = QStringLiteral("/disc/tavo-shell");
    }
    // A window whose program starts are recorded; Result is what starting answers.
    std::unique_ptr<TReaderSetupWindow> Window(bool Result = true)
    {
        return std::make_unique<TReaderSetupWindow>(
            FPaths, [this, Result](const QString& Program, const QStringList& Args) {
                Starts.push_back({Program, Args});
                return Result;
            });
    }
    static bool Finished(TReaderSetupWindow& W)
    {
        return test::WaitFor([&] { return !W.L_Result->text().endsWith(u'…'); });
    }
    fs::path Installed() const { return FPaths.Folder.toStdString() + "/libtavo-pdfreader.so"; }

    fs::path FFolder;
    TSetupPaths FPaths;
    std::vector<TStart> Starts;
};

TEST_F(ReaderSetup, ShowsWhatGoesWhereInstallsAndReturnsToTheManual)
{
    auto window = Window();
    window->show();
    // What and where, before anything else, for screen readers too.
    EXPECT_EQ(window->L_From->text(), FPaths.Component);
    EXPECT_EQ(window->L_To->text(), FPaths.Folder);
    EXPECT_FALSE(window->L_From->accessibleName().isEmpty());
    EXPECT_FALSE(window->L_To->accessibleName().isEmpty());
    ASSERT_TRUE(Finished(*window));
    EXPECT_TRUE(window->Installed());
    EXPECT_TRUE(window->L_Result->text().startsWith("The PDF reader has been installed in " +
                                                    FPaths.Folder))
        << window->L_Result->text().toStdString();
    std::error_code ec;
    EXPECT_EQ(fs::file_size(Installed(), ec), fs::file_size(DISC_COMPONENT));
    EXPECT_TRUE((fs::status(Installed()).permissions() & fs::perms::owner_exec) != fs::perms::none);
    EXPECT_FALSE(window->Btn_Retry->isVisible());
    EXPECT_TRUE(Starts.empty()) << "the shell waits until the user has read the result";

    // Enter: the default button takes the user back to the manual.
    ASSERT_TRUE(window->Btn_OpenManual->hasFocus());
    QTest::keyClick(window->Btn_OpenManual, Qt::Key_Return);
    ASSERT_EQ(Starts.size(), 1u);
    EXPECT_EQ(Starts[0].Program, "/disc/tavo-shell");
    EXPECT_EQ(Starts[0].Args, (QStringList{"--tab", "manual"}));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ReaderSetup, AFailureSaysWhyOffersToTryAgainAndStillReturns)
{
    FPaths.Component = QString::fromStdString((FFolder / "missing.so").string());
    auto window = Window();
    window->show();
    ASSERT_TRUE(Finished(*window));
    EXPECT_FALSE(window->Installed());
    EXPECT_TRUE(window->L_Result->text().startsWith("The PDF reader could not be installed: ") &&
                window->L_Result->text().contains(FPaths.Component))
        << window->L_Result->text().toStdString();
    EXPECT_TRUE(window->Btn_Retry->isVisible());
    EXPECT_FALSE(fs::exists(Installed()));

    // The component comes back (the disc was put in again): trying again installs it.
    fs::copy_file(DISC_COMPONENT, FFolder / "missing.so");
    QTest::mouseClick(window->Btn_Retry, Qt::LeftButton);
    EXPECT_TRUE(window->Installed());
    EXPECT_TRUE(fs::exists(Installed()));

    // Escape closes, and the shell comes back all the same.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    ASSERT_EQ(Starts.size(), 1u);
    EXPECT_EQ(Starts[0].Args, (QStringList{"--tab", "manual"}));
}

TEST_F(ReaderSetup, AFolderThatCannotBeMadeIsNamedAndAShellThatWillNotStartIsSaid)
{
    test::WriteFile(FFolder / "data", "a file where the folder should be");
    auto window = Window(false);
    window->show();
    ASSERT_TRUE(Finished(*window));
    EXPECT_FALSE(window->Installed());
    EXPECT_TRUE(window->L_Result->text().contains(FPaths.Folder))
        << window->L_Result->text().toStdString();
    window->Btn_OpenManual->click();
    EXPECT_TRUE(window->isVisible()) << "the user is told first";
    EXPECT_TRUE(window->L_Result->text().contains("could not be started again"));
    window->Btn_OpenManual->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Starts.size(), 1u);
}

TEST_F(ReaderSetup, TheShellIsFoundOnItsDiscOrBesideAnInstalledDiscImage)
{
    EXPECT_EQ(readersetup::FindShell(QStringLiteral(SAMPLE_DISC "/Setup/Acrobat")),
              QStringLiteral(SAMPLE_DISC "/tavo-shell"));
    // An installed program: .../lib/tavo/disc/Setup/Acrobat and .../bin/tavo-shell.
    const fs::path prefix = FFolder / "usr";
    fs::create_directories(prefix / "lib/tavo/disc/Setup/Acrobat");
    fs::create_directories(prefix / "bin");
    test::WriteFile(prefix / "bin/tavo-shell", "#!/bin/sh\n");
    fs::permissions(prefix / "bin/tavo-shell", fs::perms::owner_all);
    EXPECT_EQ(readersetup::FindShell(
                  QString::fromStdString((prefix / "lib/tavo/disc/Setup/Acrobat").string())),
              QString::fromStdString((prefix / "bin/tavo-shell").string()));
}

TEST_F(ReaderSetup, TheProgramStartsWhatItIsToldWithItsArguments)
{
    // The real starter: a script that writes down how it was started.
    const fs::path record = FFolder / "started.txt";
    const fs::path script = test::WriteFile(FFolder / "shell.sh",
                                            "#!/bin/sh\necho \"$@\" > '" + record.string() + "'\n");
    fs::permissions(script, fs::perms::owner_all);
    ASSERT_TRUE(readersetup::StartDetached(QString::fromStdString(script.string()),
                                           readersetup::ShellArguments()));
    ASSERT_TRUE(test::WaitFor([&] { return fs::exists(record) && fs::file_size(record) > 0; }));
    EXPECT_EQ(test::ReadFile(record), "--tab manual\n");
    EXPECT_FALSE(readersetup::StartDetached(QString(), {}));

    // The program without a window: installs into the user's folder and says where.
    QProcess setup;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", QString::fromStdString((FFolder / "xdg").string()));
    setup.setProcessEnvironment(env);
    setup.start(SETUP_ACROBAT, {"--silent"});
    ASSERT_TRUE(setup.waitForFinished(30000));
    // Beside the built program lies the component, as on the disc.
    EXPECT_EQ(setup.exitCode(), 0) << setup.readAllStandardError().toStdString();
    EXPECT_TRUE(fs::exists(FFolder / "xdg/tavo/plugins/libtavo-pdfreader.so"));
    setup.start(SETUP_ACROBAT, {"--no-such-option"});
    ASSERT_TRUE(setup.waitForFinished(30000));
    EXPECT_EQ(setup.exitCode(), 2);
}

}  // namespace
