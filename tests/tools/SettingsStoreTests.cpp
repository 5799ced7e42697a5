#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/Registry.h"
#include "tools/SettingsStore.h"

using namespace tavo::tools;
using namespace tavo::platform;
using tavo::test::ReadFile;
using tavo::test::WriteFile;

namespace {

const char* kViewer = "F_DocPDFViewer";
const char* kSharedSection = "Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppKeyName = "TAVO_SETUP_1_0";
        SharedKeyName = "SETUP_1_0";
        OpenSettingsStores();
    }
    void TearDown() override { CloseSettingsStores(); }

    static void WriteShared(const std::string& Values)
    {
        WriteFile(UserHivePath(), "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\" +
                                      std::string(kSharedSection) + "]\n" + Values);
    }
};

}  // namespace

TEST_F(SettingsStore, FirstRunCreatesThePerUserKeysAndReadsDefaults)
{
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("Software\\TerVik\\TAVO_SETUP_1_0"));
    EXPECT_TRUE(reg.KeyExists("Software\\TerVik\\SETUP_1_0"));
    EXPECT_TRUE(TRegistry(HKEY::LocalMachine).KeyExists("Software\\TerVik\\TAVO_SETUP_1_0"));
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssShared, 25), 25);
    EXPECT_TRUE(ReadSettingBool(kViewer, "OrientV", ssShared, true));
}

TEST_F(SettingsStore, BytesAreWrittenAsIntegersAndReadBack)
{
    WriteSettingByte(40, kViewer, "PercentX", ssShared);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kSharedSection, false));
    EXPECT_EQ(reg.GetDataType("PercentX"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.ReadInteger("PercentX"), 40);
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssShared, 25), 40);
}

TEST_F(SettingsStore, TextValuesAreReadAsNumbersAndWrittenAsText)
{
    WriteShared(
        "\"PercentX\"=\"300\"\n\"PercentY\"=\"abc\"\n\"Low\"=dword:ffffffff\n\"Ok\"=\" 30\"\n");
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssShared, 25), 25);  // out of range
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentY", ssShared, 25), 25);  // not a number
    EXPECT_EQ(ReadSettingByte(kViewer, "Low", ssShared, 25), 25);       // -1
    EXPECT_EQ(ReadSettingByte(kViewer, "Ok", ssShared, 25), 30);
    WriteSettingByte(40, kViewer, "PercentX", ssShared);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kSharedSection, false));
    EXPECT_EQ(reg.GetDataType("PercentX"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadString("PercentX"), "40");
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssShared, 25), 40);
}

TEST_F(SettingsStore, BooleansAreTexts)
{
    WriteSettingBool(false, "Messages", "AdobeRader6Warrning", ssApplication);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\TerVik\\TAVO_SETUP_1_0\\Messages", false));
    EXPECT_EQ(reg.GetDataType("AdobeRader6Warrning"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadString("AdobeRader6Warrning"), "0");
    EXPECT_FALSE(ReadSettingBool("Messages", "AdobeRader6Warrning", ssApplication, true));
    WriteSettingBool(true, "Messages", "AdobeRader6Warrning", ssApplication);
    EXPECT_EQ(reg.ReadString("AdobeRader6Warrning"), "1");
    WriteShared("\"AutoExpandTree\"=dword:00000007\n\"OrientV\"=\"x\"\n");
    EXPECT_TRUE(ReadSettingBool(kViewer, "AutoExpandTree", ssShared, false));
    EXPECT_FALSE(ReadSettingBool(kViewer, "OrientV", ssShared, false));
    EXPECT_TRUE(ReadSettingBool(kViewer, "OrientV", ssShared, true));
}

TEST_F(SettingsStore, TheEmptyStoreAndUnknownStoresGiveDefaultsAndIgnoreWrites)
{
    std::string before = ReadFile(UserHivePath());
    EXPECT_EQ(GetSettingsStore(ssNone), nullptr);
    EXPECT_EQ(GetSettingsStore(4), nullptr);
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssNone, 17), 17);
    EXPECT_FALSE(ReadSettingBool(kViewer, "OrientV", 9, false));
    WriteSettingByte(40, kViewer, "PercentX", ssNone);
    WriteSettingBool(true, kViewer, "OrientV", 200);
    EXPECT_EQ(ReadFile(UserHivePath()), before);
}

TEST_F(SettingsStore, WrongValueTypesReachTheCaller)
{
    WriteShared("\"PercentX\"=hex:28,00,00,00\n");
    try {
        ReadSettingByte(kViewer, "PercentX", ssShared, 25);
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'PercentX'");
    }
    EXPECT_THROW(ReadSettingBool(kViewer, "PercentX", ssShared, true), ERegistryException);
    WriteSettingByte(40, kViewer, "PercentX", ssShared);  // a write replaces it
    EXPECT_EQ(ReadSettingByte(kViewer, "PercentX", ssShared, 25), 40);
}

TEST(SettingsStoreMachine, WithoutRightsOnTheMachineHiveNothingComplains)
{
    ::setenv("TAVO_MACHINE_HIVE", "/dev/null/tavo/machine.reg", 1);
    AppKeyName = "TAVO_SETUP_1_0";
    SharedKeyName = "SETUP_1_0";
    OpenSettingsStores();
    ASSERT_NE(GetSettingsStore(ssMachine), nullptr);
    EXPECT_FALSE(GetSettingsStore(ssMachine)->HasKey());
    EXPECT_EQ(ReadSettingByte("S", "V", ssMachine, 7), 7);
    WriteSettingByte(1, "S", "V", ssMachine);
    EXPECT_EQ(ReadSettingByte("S", "V", ssMachine, 7), 7);
    EXPECT_TRUE(GetSettingsStore(ssShared)->HasKey());
    CloseSettingsStores();
}
