#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"

using namespace tavo::platform;
using tavo::test::TestFolder;
using tavo::test::WriteFile;

TEST(ProfileFile, SectionsAndKeysIgnoreLetterCaseAndSpaces)
{
    std::string ini =
        "; installer output\r\n[Other]\r\nPROGPATH=wrong\r\n"
        "[ startup ]\r\n  progpath =  /opt/Tavo CH  \r\nEMPTY=\r\n[STARTUP]\r\nLATE=1\r\n";
    EXPECT_EQ(ReadProfileValue(ini, "STARTUP", "PROGPATH"), "/opt/Tavo CH");
    EXPECT_EQ(ReadProfileValue(ini, "Startup", "empty"), "");
    EXPECT_EQ(ReadProfileValue(ini, "STARTUP", "MISSING"), std::nullopt);
    EXPECT_EQ(ReadProfileValue(ini, "NOSECTION", "PROGPATH"), std::nullopt);
    EXPECT_EQ(ReadProfileValue(ini, "STARTUP", "LATE"), std::nullopt);  // first section only
}

TEST(ProfileFile, QuotesProtectSpaces)
{
    EXPECT_EQ(ReadProfileValue("[S]\nK=\"   \"\n", "S", "K"), "   ");
    EXPECT_EQ(ReadProfileValue("[S]\nK='a b'\n", "S", "K"), "a b");
    EXPECT_EQ(ReadProfileValue("[S]\nK=\"a b'\n", "S", "K"), "\"a b'");
    EXPECT_EQ(ReadProfileValue("[S]\nK=   \n", "S", "K"), "");
}

TEST(ProfileFile, ReadsFromTheWindowsFolderIntoABoundedBuffer)
{
    WriteFile(WindowsFolder() / "TAVHD3_2.ini", "[STARTUP]\nPROGPATH=/home/u/TavoCH32\n");
    char buffer[1024];
    EXPECT_EQ(GetPrivateProfileString("STARTUP", "PROGPATH", "", buffer, 1024, "TAVHD3_2.ini"),
              16u);
    EXPECT_STREQ(buffer, "/home/u/TavoCH32");
    // Windows-style spelling of the file name finds it too.
    EXPECT_EQ(GetPrivateProfileString("STARTUP", "PROGPATH", "", buffer, 1024, "tavhd3_2.INI"),
              16u);

    char small[6];
    EXPECT_EQ(
        GetPrivateProfileString("STARTUP", "PROGPATH", "", small, sizeof small, "TAVHD3_2.ini"),
        5u);
    EXPECT_STREQ(small, "/home");
    EXPECT_EQ(GetPrivateProfileString("STARTUP", "NONE", "dflt", buffer, 1024, "TAVHD3_2.ini"), 4u);
    EXPECT_STREQ(buffer, "dflt");
    EXPECT_EQ(GetPrivateProfileString("STARTUP", "PROGPATH", "", buffer, 1024, "missing.ini"), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetPrivateProfileString("STARTUP", "PROGPATH", "", buffer, 0, "TAVHD3_2.ini"), 0u);
}
