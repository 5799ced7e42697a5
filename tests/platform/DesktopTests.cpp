#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "platform/ProgramStart.h"
#include "platform/ShellExecute.h"

using namespace tavo::platform;
namespace fs = std::filesystem;
using tavo::test::ReadFile;
using tavo::test::TestFolder;
using tavo::test::WaitFor;

namespace {

// Installs a copy of the recording program under Folder as Name.
fs::path InstallRecorder(const fs::path& Folder, const std::string& Name)
{
    fs::create_directories(Folder);
    fs::copy_file(RECORD_CWD_PATH, Folder / Name, fs::copy_options::overwrite_existing);
    return Folder / Name;
}

}  // namespace

TEST(ProgramStart, StartsTheProgramInTheCurrentFolderWithoutWaiting)
{
    fs::path prog = InstallRecorder(TestFolder() / "Prog", "HD.exe");
    fs::path data = TestFolder() / "Prog" / "data";
    fs::create_directories(data);
    fs::path saved = fs::current_path();
    fs::current_path(data);
    // Windows spelling: '\' separators, other letter case.
    EXPECT_TRUE(StartProgram((TestFolder() / "prog").string() + "\\hd.EXE"));
    fs::current_path(saved);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(prog.parent_path() / "started.txt"); }));
    EXPECT_EQ(ReadFile(prog.parent_path() / "started.txt"), data.string() + "\n");
}

TEST(ProgramStart, APathIsNeverReadByAShell)
{
    // Every character a shell would act on is just part of the folder's name here.
    fs::path folder = TestFolder() / "a b;touch pwned;\"q\"'s $(x)";
    fs::path prog = InstallRecorder(folder, "run me.exe");
    fs::path saved = fs::current_path();
    fs::current_path(TestFolder());
    EXPECT_TRUE(StartProgram(prog.string()));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(folder / "started.txt"); }));
    fs::current_path(saved);
    EXPECT_FALSE(fs::exists(TestFolder() / "pwned"));
    EXPECT_FALSE(StartProgram((TestFolder() / "missing.exe").string()));
}

// Receives what the desktop would open, through the real QDesktopServices path.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void open(const QUrl& url) { Urls.push_back(url); }
};

TEST(ShellExecute, WebAndMailAddressesReachTheDesktop)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    EXPECT_TRUE(ShellExecute(nullptr, "", "www.tervik.example.com"));
    EXPECT_TRUE(ShellExecute(nullptr, "open", "mailto:info@tervik.example.com?subject= &body="));
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("mailto");
    ASSERT_EQ(catcher.Urls.size(), 2);
    EXPECT_EQ(catcher.Urls[0].toString(), "http://www.tervik.example.com");
    EXPECT_EQ(catcher.Urls[1].scheme(), "mailto");
    EXPECT_EQ(catcher.Urls[1].path(), "info@tervik.example.com");
    EXPECT_EQ(catcher.Urls[1].query(QUrl::FullyDecoded), "subject= &body=");
}

TEST(ShellExecute, TheSeamSeesTheExactRequest)
{
    std::vector<ShellExecuteRequest> seen;
    auto previous = SetShellExecutor([&](const ShellExecuteRequest& r) {
        seen.push_back(r);
        return true;
    });
    ShellExecute(nullptr, "open", "mailto:a@b.example?subject= &body=");
    SetShellExecutor(previous);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Verb, "open");
    EXPECT_EQ(seen[0].Target, "mailto:a@b.example?subject= &body=");
}

#include "DesktopTests.moc"
