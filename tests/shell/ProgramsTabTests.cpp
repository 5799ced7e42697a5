#include <QTest>
#include <QToolButton>
#include <csignal>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ShellTestSupport.h"
#include "TestEnvironment.h"
#include "platform/Folders.h"
#include "platform/ProgramStart.h"

using namespace tavo;
namespace fs = std::filesystem;
using tavo::test::ReadFile;
using tavo::test::RecordedMessages;
using tavo::test::StartedShell;
using tavo::test::TestFolder;
using tavo::test::WaitFor;
using tavo::test::WriteFile;

namespace {

void WriteProfile(const std::string& ProgPath)
{
    WriteFile(platform::WindowsFolder() / "TAVHD3_2.ini",
              "[STARTUP]\r\nPROGPATH=" + ProgPath + "\r\n");
}

void Click(shell::TF_Main* w, const char* button)
{
    QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
}

// Records what would be started instead of starting it.
class RecordedStarts {
public:
    RecordedStarts()
    {
        Previous = platform::SetProgramStarter([this](const std::string& p) {
            Started.push_back(p);
            return true;
        });
    }
    ~RecordedStarts() { platform::SetProgramStarter(Previous); }
    std::vector<std::string> Started;
    platform::ProgramStarter Previous;
};

// Processes whose executable is Exe; they are stopped when the test ends.
std::vector<pid_t> ProcessesOf(const fs::path& Exe)
{
    std::vector<pid_t> pids;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::error_code ec;
        fs::path exe = fs::read_symlink(e.path() / "exe", ec);
        if (!ec && exe == Exe)
            pids.push_back(std::stoi(e.path().filename().string()));
    }
    return pids;
}

class ProgramsTab : public ::testing::Test {
protected:
    void TearDown() override { fs::current_path(FSaved); }
    fs::path FSaved = fs::current_path();
};

}  // namespace

TEST_F(ProgramsTab, NotInstalledAsksAndNoDoesNothing)
{
    StartedShell shell;
    RecordedMessages boxes(tools::IDNO);
    RecordedStarts starts;
    Click(shell.Main(), "SBtn_HD");
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Tavo C.H. - Confirmation");
    EXPECT_EQ(boxes.Shown[0].Text,
              "The program Tavo C.H. has not been installed on this computer. Do you want to "
              "install it ?");
    EXPECT_TRUE(starts.Started.empty());
    // Switched-off messages answer OK, which is not Yes: nothing is installed either.
    tools::MessagesEnabled = false;
    Click(shell.Main(), "SBtn_HD");
    EXPECT_TRUE(starts.Started.empty());
}

TEST_F(ProgramsTab, InstallThenStartWorksEndToEndWithTheDiscsInstaller)
{
    StartedShell shell;
    RecordedMessages boxes(tools::IDYES);
    Click(shell.Main(), "SBtn_HD");  // not installed yet: Yes runs the disc's installer
    ASSERT_EQ(boxes.Shown.size(), 1u);
    fs::path ini = platform::WindowsFolder() / "TAVHD3_2.ini";
    fs::path installed = TestFolder() / "installed";
    ASSERT_TRUE(WaitFor([&] { return fs::exists(ini); }, 10000));
    EXPECT_EQ(ReadFile(ini), "[STARTUP]\r\nPROGPATH=" + installed.string() + "\r\n");
    EXPECT_TRUE(fs::is_regular_file(installed / "HD.exe"));

    Click(shell.Main(), "SBtn_HD");  // now it starts, in its data folder
    EXPECT_EQ(boxes.Shown.size(), 1u);
    std::vector<pid_t> pids;
    ASSERT_TRUE(
        WaitFor([&] { return !(pids = ProcessesOf(installed / "HD.exe")).empty(); }, 10000));
    std::error_code ec;
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(pids[0]) + "/cwd", ec),
              installed / "data");
    for (pid_t p : pids)
        ::kill(p, SIGTERM);
    EXPECT_TRUE(shell.Main()->isVisible());
}

TEST_F(ProgramsTab, StartsTheInstalledProgramInItsDataFolder)
{
    fs::path prog = TestFolder() / "Tavo CH";
    fs::create_directories(prog / "data");
    fs::copy_file(RECORD_CWD_PATH, prog / "HD.exe");
    WriteProfile(prog.string());
    StartedShell shell;
    RecordedMessages boxes;
    Click(shell.Main(), "SBtn_HD");
    ASSERT_TRUE(WaitFor([&] { return fs::exists(prog / "started.txt"); }));
    EXPECT_EQ(ReadFile(prog / "started.txt"), (prog / "data").string() + "\n");
    EXPECT_TRUE(boxes.Shown.empty());
    EXPECT_TRUE(shell.Main()->isVisible());
}

TEST_F(ProgramsTab, AMissingDataFolderIsAnErrorAndNothingStarts)
{
    fs::path prog = TestFolder() / "NoData";
    fs::create_directories(prog);
    WriteProfile(prog.string());
    StartedShell shell;
    RecordedMessages boxes;
    RecordedStarts starts;
    Click(shell.Main(), "SBtn_HD");
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Tavo C.H. - Error");
    // The folder as it was looked for on this system, one kind of separator throughout.
    EXPECT_EQ(boxes.Shown[0].Text, "Cannot enter the folder " + (prog / "data").string() +
                                       ": No such file or directory");
    EXPECT_TRUE(starts.Started.empty());
    EXPECT_EQ(fs::current_path(), FSaved);
}

TEST_F(ProgramsTab, AProgramPathOfSpacesIsTriedNotOfferedForInstallation)
{
    WriteFile(platform::WindowsFolder() / "TAVHD3_2.ini", "[STARTUP]\nPROGPATH=\"   \"\n");
    StartedShell shell;
    RecordedMessages boxes(tools::IDYES);
    RecordedStarts starts;
    Click(shell.Main(), "SBtn_HD");
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Tavo C.H. - Error");
    EXPECT_NE(boxes.Shown[0].Text.find((fs::current_path() / "   " / "data").string()),
              std::string::npos)
        << boxes.Shown[0].Text;
    EXPECT_TRUE(starts.Started.empty());
}

TEST_F(ProgramsTab, CommandLinesLongerThanTheBufferAreRefused)
{
    // A folder that exists, with a data folder, whose path plus "\HD.exe" needs 1024+.
    fs::path deep = TestFolder();
    while (deep.string().size() < 1017)
        deep /= std::string(std::min<size_t>(200, 1019 - deep.string().size() - 1), 'd');
    fs::create_directories(deep / "data");
    ASSERT_LT(deep.string().size(), 1023u);
    ASSERT_GT(deep.string().size() + 7, 1023u);
    WriteProfile(deep.string());
    StartedShell shell;
    RecordedMessages boxes;
    RecordedStarts starts;
    Click(shell.Main(), "SBtn_HD");
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Tavo C.H. - Error");
    EXPECT_NE(boxes.Shown[0].Text.find("longer than 1023 characters"), std::string::npos);
    EXPECT_TRUE(starts.Started.empty());

    // A value that fills the whole buffer may have been cut: refused before anything.
    WriteProfile(std::string(1500, 'x'));
    Click(shell.Main(), "SBtn_HD");
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_NE(boxes.Shown[1].Text.find("longer than 1023 characters"), std::string::npos);
    EXPECT_TRUE(starts.Started.empty());
}

TEST_F(ProgramsTab, InstallRunsTheDiscsInstallerAndStaysOpen)
{
    StartedShell shell;
    RecordedStarts starts;
    Click(shell.Main(), "Sbtn_InstallHD");
    ASSERT_EQ(starts.Started.size(), 1u);
    EXPECT_EQ(starts.Started[0], shell.Main()->DiscFolder() + "setup\\HD\\setuphd.exe");
    EXPECT_TRUE(shell.Main()->isVisible());
}
