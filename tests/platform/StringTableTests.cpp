#include <gtest/gtest.h>

#include "platform/StringTable.h"

using namespace tavo::platform;

TEST(StringTable, LoadsTheShellsTexts)
{
    EXPECT_EQ(LoadStr(500), "Computer program Tavo C.H.");
    EXPECT_EQ(LoadStr(501), "Tavo C.H. - Error");
    EXPECT_EQ(LoadStr(503), "Tavo C.H. - Confirmation");
    EXPECT_EQ(LoadStr(507),
              "The program Tavo C.H. has not been installed on this computer. Do you want to "
              "install it ?");
}

TEST(StringTable, MissingNumbersLoadAsEmptyText)
{
    EXPECT_EQ(LoadStr(506), "");
    EXPECT_FALSE(StringExists(506));
    EXPECT_EQ(LoadStr(-1), "");
    EXPECT_EQ(LoadStr(0x7FFFFFFF), "");
    EXPECT_TRUE(StringExists(500));
}

TEST(StringTable, HoldsEveryNumberedStringOfTheProgram)
{
    std::vector<std::pair<int, int>> ranges = {{500, 505},     {507, 507},     {10595, 10600},
                                               {10096, 10098}, {10194, 10212}, {10268, 10269},
                                               {10278, 10279}, {10289, 10289}, {10315, 10315},
                                               {20014, 20032}, {20035, 20047}, {20063, 20075}};
    for (auto [first, last] : ranges)
        for (int id = first; id <= last; ++id)
            EXPECT_TRUE(StringExists(id)) << "string " << id;
}
