// Files replaced whole or not at all.
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TestEnvironment.h"
#include "platform/AtomicFile.h"

using namespace tavo::platform;
using tavo::test::ReadFile;
using tavo::test::TestFolder;
using tavo::test::WriteFile;
namespace fs = std::filesystem;

namespace {

// Only the target in the folder: no temporary file left behind.
std::vector<std::string> Names(const fs::path& Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Makes the process's writes fail past Bytes, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t Bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &FSaved);
        FHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = FSaved;
        limit.rlim_cur = Bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FSaved);
        std::signal(SIGXFSZ, FHandler);
    }

private:
    rlimit FSaved{};
    void (*FHandler)(int) = nullptr;
};

TEST(AtomicFile, ReplacesTheWholeFileWithTheGivenPermissions)
{
    const fs::path folder = TestFolder() / "replace";
    const fs::path target = WriteFile(folder / "user.reg", "old contents");
    ASSERT_TRUE(WriteFileAtomically(target, "new", 0600));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"user.reg"});

    // Written by name through another writer, then committed.
    TAtomicFile file(folder / "made.bin");
    ASSERT_TRUE(file.Ok());
    WriteFile(file.TemporaryPath(), "by name");
    EXPECT_FALSE(fs::exists(folder / "made.bin"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(folder / "made.bin"), "by name");
}

TEST(AtomicFile, AShortWriteOrAnAbandonedFileLeavesTheOldOneUntouched)
{
    const fs::path folder = TestFolder() / "short";
    const fs::path target = WriteFile(folder / "TAVO_ENG.pdfv", "the old catalogue");
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(WriteFileAtomically(target, std::string(5000, 'x')));
    }
    EXPECT_EQ(ReadFile(target), "the old catalogue");
    {
        TAtomicFile abandoned(target);
        EXPECT_TRUE(abandoned.Write("half"));
    }
    EXPECT_EQ(ReadFile(target), "the old catalogue");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"TAVO_ENG.pdfv"});
    // Never a device or a folder replaced by a file; a link's file is replaced, not the link.
    EXPECT_FALSE(WriteFileAtomically("/dev/full", "x"));
    EXPECT_FALSE(WriteFileAtomically(folder, "x"));
    fs::create_symlink(target, folder / "link");
    ASSERT_TRUE(WriteFileAtomically(folder / "link", "through the link"));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_EQ(ReadFile(target), "through the link");
    fs::remove(folder / "link");
    // A folder that does not exist: nothing to write into.
    EXPECT_FALSE(TAtomicFile(folder / "none" / "x").Ok());
    EXPECT_FALSE(WriteFileAtomically(folder / "none" / "x", "x"));
}

}  // namespace
