#include <clocale>
#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/Format.h"

using namespace tavo::platform;

TEST(Format, PlaceholdersInEitherLetterCase)
{
    EXPECT_EQ(Format("Cannot open file %s", {std::string("a.pdfv")}), "Cannot open file a.pdfv");
    EXPECT_EQ(Format("%S and %s", {std::string("x"), std::string("y")}), "x and y");
    EXPECT_EQ(Format("%d|%D", {int64_t(-42), int64_t(7)}), "-42|7");
    EXPECT_EQ(Format("%g %G", {1.5, 1e20}), "1.5 1E20");
    EXPECT_EQ(Format("100%%", {}), "100%");
}

TEST(Format, WidthsPrecisionAndIndexes)
{
    EXPECT_EQ(Format("[%5d]", {int64_t(42)}), "[   42]");
    EXPECT_EQ(Format("[%-5d]", {int64_t(42)}), "[42   ]");
    EXPECT_EQ(Format("[%.3d]", {int64_t(7)}), "[007]");
    EXPECT_EQ(Format("[%.2s]", {std::string("abcdef")}), "[ab]");
    EXPECT_EQ(Format("%1:s %0:s", {std::string("a"), std::string("b")}), "b a");
    EXPECT_EQ(Format("[%*d]", {int64_t(4), int64_t(1)}), "[   1]");
    EXPECT_EQ(Format("%x", {int64_t(255)}), "FF");
    EXPECT_EQ(Format("%.2f", {2.345}), "2.35");
    EXPECT_EQ(Format("%d", {int64_t(INT64_MIN)}), "-9223372036854775808");
}

TEST(Format, BadFormatsRaiseConvertErrors)
{
    EXPECT_THROW(Format("%s", {}), EConvertError);
    EXPECT_THROW(Format("%d", {std::string("x")}), EConvertError);
    EXPECT_THROW(Format("%s", {int64_t(1)}), EConvertError);
    EXPECT_THROW(Format("%q", {int64_t(1)}), EConvertError);
    EXPECT_THROW(Format("abc %", {int64_t(1)}), EConvertError);
    EXPECT_THROW(Format("%999999999d", {int64_t(1)}), EConvertError);
    try {
        Format("%d", {});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "No argument for format '%d'");
    }
}

TEST(Format, GeneralFormatOfReals)
{
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
    EXPECT_EQ(FormatGeneral(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001), "1E-5");
    EXPECT_EQ(FormatGeneral(-1e17), "-1E17");
    char saved = DecimalSeparator;
    DecimalSeparator = ',';
    EXPECT_EQ(FormatGeneral(1.25), "1,25");
    EXPECT_EQ(Format("%g", {0.5}), "0,5");
    DecimalSeparator = saved;
}

TEST(Format, RealsIgnoreTheProcessNumericLocale)
{
    // The toolkit sets the process locale from the environment; only DecimalSeparator
    // may decide the separator.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(FormatGeneral(1.25), "1.25");
    EXPECT_EQ(Format("%.2f %e", {2.5, 1.5}), "2.50 1.50000000000000E+000");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
