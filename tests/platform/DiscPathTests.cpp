#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/CurrentFolder.h"
#include "platform/DiscPath.h"
#include "platform/Errors.h"
#include "platform/Folders.h"

using namespace tavo::platform;
namespace fs = std::filesystem;
using tavo::test::TestFolder;
using tavo::test::WriteFile;

TEST(DiscPath, WindowsPathsResolveWithoutRegardToCase)
{
    fs::path disc = TestFolder() / "disc";
    WriteFile(disc / "Setup" / "HD" / "SetupHD.EXE", "x");
    EXPECT_EQ(ResolveDiscPath(disc, "setup\\HD\\setuphd.exe"),
              disc / "Setup" / "HD" / "SetupHD.EXE");
    EXPECT_EQ(ResolveDiscPath(disc.string() + "/", "setup/hd/SETUPHD.exe"),
              disc / "Setup" / "HD" / "SetupHD.EXE");
    WriteFile(disc / "Setup" / "Księga.pdf", "x");
    EXPECT_EQ(ResolveDiscPath(disc, "SETUP\\KSIĘGA.PDF"), disc / "Setup" / "Księga.pdf");
}

TEST(DiscPath, ExactNameWinsAndMissingPartsStayAsWritten)
{
    fs::path disc = TestFolder() / "disc";
    WriteFile(disc / "setup" / "a.txt", "lower");
    WriteFile(disc / "Setup" / "a.txt", "upper");
    WriteFile(disc / "SETUP" / "b.txt", "x");
    EXPECT_EQ(ResolveDiscPath(disc, "Setup\\a.txt"), disc / "Setup" / "a.txt");
    EXPECT_EQ(ResolveDiscPath(disc, "setup\\a.txt"), disc / "setup" / "a.txt");
    // Two spellings, none exact: the first in byte order, every time.
    EXPECT_EQ(ResolveDiscPath(disc, "sEtUp"), disc / "SETUP");
    EXPECT_EQ(ResolveDiscPath(disc, "Setup\\missing\\HD.exe"),
              disc / "Setup" / "missing" / "HD.exe");
    EXPECT_EQ(ResolveDiscPath(disc, "\\\\Setup\\\\a.txt"), disc / "Setup" / "a.txt");
}

// One rule for "is this name inside that folder": letter case and separators as the disc
// writes them do not matter, a folder must end where a name's component ends.
TEST(DiscPath, FolderPrefixIgnoresCaseAndSeparatorKind)
{
    EXPECT_EQ(FolderPrefix("/Disc/setup/a.pdf", "/disc\\SETUP\\"), 12u);
    EXPECT_EQ(FolderPrefix("/disc/setup", "/disc/setup/"), std::nullopt) << "shorter";
    EXPECT_EQ(FolderPrefix("/disc/setupx/a.pdf", "/disc/setup/"), std::nullopt);
    EXPECT_EQ(FolderPrefix("/Łódź/a.pdf", "/łÓDŹ/"), 9u) << "Central European letters";
    EXPECT_EQ(FolderPrefix("/a.pdf", ""), std::nullopt) << "no folder holds nothing";
}

TEST(CurrentFolder, EntersAFolderOrRaisesAnInputOutputError)
{
    fs::path saved = fs::current_path();
    fs::path data = TestFolder() / "Prog" / "Data";
    fs::create_directories(data);
    SetCurrentFolder((TestFolder() / "prog").string() + "\\data");
    EXPECT_EQ(fs::current_path(), data);
    try {
        SetCurrentFolder((TestFolder() / "   ").string() + "\\data");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        // Named as it was looked for here: no Windows separator left in the message.
        EXPECT_EQ(std::string(e.what()), "Cannot enter the folder " +
                                             (TestFolder() / "   " / "data").string() +
                                             ": No such file or directory");
        EXPECT_NE(e.ErrorCode(), 0);
    }
    EXPECT_EQ(fs::current_path(), data);
    fs::current_path(saved);
}

TEST(DiscFolder, IsTheProgramsFolderOnADiscAndTheSharedImageWhenInstalled)
{
    // A disc (or the build's sample disc): Setup beside the program, in any letter case.
    const fs::path disc = TestFolder() / "cdrom";
    fs::create_directories(disc / "SETUP");
    EXPECT_EQ(DiscFolderOf(disc), disc);
    // An installation: bin/ beside lib/tavo/disc.
    const fs::path prefix = TestFolder() / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "lib" / "tavo" / "disc" / "Setup");
    EXPECT_EQ(DiscFolderOf(prefix / "bin"), prefix / "lib" / "tavo" / "disc");
    // A bin/ that holds a disc of its own stays the disc; one without either stays too.
    fs::create_directories(prefix / "bin" / "setup");
    EXPECT_EQ(DiscFolderOf(prefix / "bin"), prefix / "bin");
    const fs::path bare = TestFolder() / "opt" / "bin";
    fs::create_directories(bare);
    EXPECT_EQ(DiscFolderOf(bare), bare);
}
