#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestEnvironment.h"
#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/Registry.h"

using namespace tavo::platform;
namespace fs = std::filesystem;
using tavo::test::ReadFile;
using tavo::test::TestFolder;
using tavo::test::WriteFile;

TEST(Registry, TextsAndIntegersAreKeptApartInTheFile)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer", true));
    reg.WriteInteger("PercentX", 40);
    reg.WriteString("OrientV", "1");
    reg.WriteString("Quote", "a \"b\" c:\\d");
    EXPECT_EQ(ReadFile(UserHivePath()),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer]\n"
              "\"PercentX\"=dword:00000028\n"
              "\"OrientV\"=\"1\"\n"
              "\"Quote\"=\"a \\\"b\\\" c:\\\\d\"\n");
    EXPECT_EQ(reg.GetDataType("PercentX"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.GetDataType("orientv"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadInteger("PERCENTX"), 40);
    EXPECT_EQ(reg.ReadString("Quote"), "a \"b\" c:\\d");
    EXPECT_THROW(reg.ReadInteger("OrientV"), ERegistryException);
    EXPECT_THROW(reg.ReadString("PercentX"), ERegistryException);
    // No temporary files or stale copies are left beside the hive.
    for (const auto& e : fs::directory_iterator(UserHivePath().parent_path()))
        EXPECT_TRUE(e.path().filename() == "user.reg" || e.path().filename() == "user.reg.lock")
            << e.path();
}

TEST(Registry, KeysAreFoundWithoutRegardToCaseAndParentsExist)
{
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software\\TerVik", false));
    ASSERT_TRUE(reg.OpenKey("Software\\TerVik\\App\\Section", true));
    reg.WriteInteger("Negative", -2);
    TRegistry other;
    EXPECT_TRUE(other.KeyExists("SOFTWARE\\tervik"));
    ASSERT_TRUE(other.OpenKey("software\\TERVIK\\app", false));
    EXPECT_EQ(other.GetKeyNames(), std::vector<std::string>{"Section"});
    ASSERT_TRUE(other.OpenKey("section", false));  // relative to the open key
    EXPECT_EQ(other.ReadInteger("negative"), -2);
    EXPECT_TRUE(other.DeleteValue("NEGATIVE"));
    EXPECT_FALSE(other.ValueExists("Negative"));
}

TEST(Registry, OtherValueTypesSurviveAndReadAsTheWrongType)
{
    WriteFile(UserHivePath(), "Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer]\r\n"
                              "\"PercentX\"=hex:28,00,\\\r\n  00,00\r\n"
                              "\"Multi\"=hex(7):61,00,00\r\n"
                              "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                              "@=\"default\"\r\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer", false));
    EXPECT_EQ(reg.GetDataType("PercentX"), TRegDataType::rdBinary);
    EXPECT_EQ(reg.ReadBinaryData("PercentX"), std::string("\x28\0\0\0", 4));
    try {
        reg.ReadInteger("PercentX");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'PercentX'");
    }
    EXPECT_EQ(reg.ReadString(""), "default");
    reg.WriteString("New", "v");  // a write keeps what it does not touch
    std::string text = ReadFile(UserHivePath());
    EXPECT_NE(text.find("\"Multi\"=hex(7):61,00,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"PercentX\"=hex:28,00,00,00\n"), std::string::npos) << text;
}

TEST(Registry, EveryReadSeesTheFileAsItIsNow)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\X", true));
    reg.WriteInteger("V", 1);
    WriteFile(UserHivePath(),
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\X]\n"
              "\"V\"=dword:00000002\n");
    EXPECT_EQ(reg.ReadInteger("V"), 2);
}

TEST(Registry, AnUnreadableHiveIsKeptAsideNeverOverwritten)
{
    WriteFile(UserHivePath(), "this is not a registry file\n\"V\"=dword:1\n");
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("Software"));
    ASSERT_TRUE(reg.OpenKey("Software\\X", true));
    reg.WriteInteger("V", 5);
    EXPECT_EQ(reg.ReadInteger("V"), 5);
    int aside = 0;
    for (const auto& e : fs::directory_iterator(UserHivePath().parent_path()))
        if (e.path().filename().string().rfind("user.reg.unreadable-", 0) == 0) {
            ++aside;
            EXPECT_EQ(ReadFile(e.path()), "this is not a registry file\n\"V\"=dword:1\n");
        }
    EXPECT_EQ(aside, 1);
}

TEST(Registry, MalformedLinesMakeTheHiveUnreadable)
{
    for (const char* bad :
         {"[HKEY_CURRENT_USER\\A]\n\"V\"=dword:1\n",              // no header
          "Windows Registry Editor Version 5.00\n\"V\"=\"x\"\n",  // no key
          "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n",
          "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"V\"=dword:123456789\n",
          "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"V\"=hex:1\n",
          "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"V=\"x\"\n"}) {
        EXPECT_FALSE(ParseHive(bad, "HKEY_CURRENT_USER").has_value()) << bad;
    }
    EXPECT_TRUE(ParseHive("", "HKEY_CURRENT_USER").has_value());
}

TEST(Registry, AMachineHiveThatCannotBeCreatedHasNoKeys)
{
    ::setenv("TAVO_MACHINE_HIVE", "/dev/null/tavo/machine.reg", 1);
    TRegistry reg(HKEY::LocalMachine);
    EXPECT_FALSE(reg.OpenKey("Software\\TerVik\\TAVO_SETUP_1_0", true));
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_THROW(reg.WriteInteger("V", 1), ERegistryException);
}

TEST(Registry, ConcurrentWritersLoseNothing)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Race", true));
    constexpr int kPerProcess = 40;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const char* who = child == 0 ? "child" : "parent";
    for (int i = 0; i < kPerProcess; ++i)
        reg.WriteInteger(std::string(who) + std::to_string(i), i);
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(reg.GetValueNames().size(), 2u * kPerProcess);
}
