#include <gtest/gtest.h>

#include "tools/NullValues.h"
#include "tools/NumberToText.h"
#include "tools/TextRoutines.h"

using namespace tavo::tools;

namespace {

// Sets the user's decimal separator for one test.
class Separator {
public:
    explicit Separator(char C) : FPrevious(DecimalSeparator) { DecimalSeparator = C; }
    ~Separator() { DecimalSeparator = FPrevious; }

private:
    char FPrevious;
};

}  // namespace

TEST(TextRoutines, BlankAndTrimMindSpacesOnly)
{
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank("\t"));
    EXPECT_FALSE(IsBlank(" \n "));
    std::string s = "  a b  ";
    TrimText(s);
    EXPECT_EQ(s, "a b");
    s = "   ";
    TrimText(s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(Trimmed("\ta "), "\ta");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(0), "");
    EXPECT_EQ(Spaces(-4), "");
}

TEST(TextRoutines, HintPartsAndAccelerators)
{
    EXPECT_EQ(HintCaption("Open|Opens a file"), "Open");
    EXPECT_EQ(HintText("Open|Opens a file"), "Opens a file");
    EXPECT_EQ(HintText(" Open "), "Open");
    EXPECT_EQ(HintCaption(" Open "), " Open ");
    EXPECT_EQ(HintCaption("a|b|c"), "a");
    EXPECT_EQ(HintText("a| b|c "), "b|c");
    EXPECT_EQ(HintText("Open|"), "");
    EXPECT_EQ(StripAccelerators("&Save && exit"), "Save  exit");
    EXPECT_EQ(StripAccelerators("&"), "");
}

TEST(TextRoutines, AlignRightPadsOrCuts)
{
    EXPECT_EQ(AlignRight("12", 5), "   12");
    EXPECT_EQ(AlignRight("123456", 3), "123");
    EXPECT_EQ(AlignRight("  ", 3), "   ");
    EXPECT_EQ(AlignRight(" 7 ", 0), "7");
    EXPECT_EQ(AlignRight(" 7 ", -2), "7");
    EXPECT_EQ(AlignRight("", 0), "");
    EXPECT_EQ(AlignRight(" ab ", 2), "ab");
}

TEST(TextRoutines, LetterCaseOfCentralEuropeanLetters)
{
    EXPECT_TRUE(IsAnsiPrefixOf("y", "Yes"));
    EXPECT_TRUE(IsAnsiPrefixOf("\x9e"
                               "lut\xe1",
                               "\x8e"
                               "LUT\xc1"));               // žlutá / ŽLUTÁ
    EXPECT_TRUE(IsAnsiPrefixOf("\xb9\xb3", "\xa5\xa3"));  // ął / ĄŁ
    EXPECT_FALSE(IsAnsiPrefixOf("\xf7", "\xd7"));         // ÷ is not ×
    EXPECT_FALSE(IsAnsiPrefixOf("Yess", "Yes"));
    EXPECT_TRUE(IsAnsiPrefixOf("", "Yes"));
}

TEST(NumberToText, IntegersAndBase36)
{
    EXPECT_EQ(IntToTextOrBlank(NullInt, 4), "    ");
    EXPECT_EQ(IntToTextOrBlank(42, 5), "   42");
    EXPECT_EQ(IntToTextOrBlank(123456, 3), "123456");
    EXPECT_EQ(IntToTextOrBlank(-5, 0), "-5");

    EXPECT_EQ(Base36Text(35, 0), "Z");
    EXPECT_EQ(Base36Text(36, 0), "10");
    EXPECT_EQ(Base36Text(-36, 3), "10 ");
    EXPECT_EQ(Base36Text(0, 3), "   ");
    EXPECT_EQ(Base36Text(0, 0), "");
    EXPECT_EQ(Base36Text(NullInt, 2), "  ");
    EXPECT_EQ(Base36Text(36 * 36 * 36, 2), "10");  // only the most significant digits
    EXPECT_EQ(Base36Text(-2147483647 - 1, 0), "ZIK0Z");
    EXPECT_EQ(Base36Text(-2147483647 - 1, 8), "ZIK0ZK  ");
    EXPECT_EQ(Base36Word(-1, 3), "   ");
    EXPECT_EQ(Base36Word(-2, 0), "1EKE");  // 65534 as unsigned
    EXPECT_EQ(Base36Word(71, 0), "1Z");
}

TEST(NumberToText, FixedDecimalsWithTheUsersSeparator)
{
    Separator comma(',');
    EXPECT_EQ(FormatNumber(8, 2, 3.14159), "    3,14");
    EXPECT_EQ(FormatNumber(4, 2, 123.456), " 123");
    EXPECT_EQ(FormatNumber(5, 2, 9.999), "10,00");
    EXPECT_EQ(FormatNumber(0, 0, 0.5), "0,5");
    EXPECT_EQ(FormatNumber(0, 0, 1E20), "1E20");
    EXPECT_EQ(FormatNumber(0, 3, 2.0), "2,000");
    EXPECT_EQ(FormatNumber(6, 1, -0.01), "   0,0");
    EXPECT_EQ(FormatNumber(6, 1, NullReal), "      ");
    EXPECT_EQ(FormatNumber(2, 0, 12345.0), "12345");  // never cut below the integer part
}

TEST(NumberToText, ShortAndFreeForm)
{
    EXPECT_EQ(ShortNumber(2.5), "2.5");
    EXPECT_EQ(ShortNumber(100), "100");
    EXPECT_EQ(ShortNumber(1.0), "1");
    EXPECT_EQ(ShortNumber(0.1), "0.1");
    EXPECT_EQ(ShortNumber(-0.0), "0");
    EXPECT_EQ(ShortNumber(1E-50), "0");
    EXPECT_EQ(ShortNumber(-1.5E-7), "-0.00000015");
    EXPECT_EQ(ShortNumber(1E23), "100000000000000000000000");  // not the double's 99..1392
    EXPECT_EQ(ShortNumber(1.26E-37), "0.00000000000000000000000000000000000013");
    EXPECT_EQ(ShortNumber(NullReal), "");
    {
        Separator comma(',');
        EXPECT_EQ(ShortNumber(-1234.25), "-1234,25");
        EXPECT_EQ(FormatNumber(9, -1, 2.5), "      2,5");
    }
    // Too long for the width: scientific, as many digits as fit.
    EXPECT_EQ(FormatNumber(8, -1, 123456789.123), "1.235E+8");
    EXPECT_EQ(FormatNumber(10, -1, -0.000012345678), "-1.2346E-5");
    EXPECT_EQ(FormatNumber(6, -1, 1.0000001), "     1");
    EXPECT_EQ(FormatNumber(3, -1, 1E300), "1.0E+300");  // too wide, but never cut
}
