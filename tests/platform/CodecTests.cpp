#include <gtest/gtest.h>

#include "platform/Codec.h"

using namespace tavo::platform;

TEST(Codec, PolishLettersBothWays)
{
    // "Zażółć gęślą jaźń" in Windows-1250.
    std::string ansi = "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1";
    EXPECT_EQ(AnsiToUtf8(ansi), "Zażółć gęślą jaźń");
    EXPECT_EQ(Utf8ToAnsi("Zażółć gęślą jaźń"), ansi);
    EXPECT_EQ(AnsiToUtf8("\x80"), "€");
}

TEST(Codec, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    auto back = Utf8ToAnsi(AnsiToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Codec, TextsTheCodePageCannotHoldAreRefused)
{
    EXPECT_FALSE(Utf8ToAnsi("日本").has_value());
    EXPECT_FALSE(Utf8ToAnsi("\xC3").has_value());          // cut sequence
    EXPECT_FALSE(Utf8ToAnsi("\xC0\xAF").has_value());      // overlong '/'
    EXPECT_FALSE(Utf8ToAnsi("\xED\xA0\x80").has_value());  // surrogate
    EXPECT_EQ(Utf8ToAnsiLossy("a日b"), "a?b");
}

TEST(Codec, WideTextsConvertBothWaysAndBadUnitsBecomeReplacementCharacters)
{
    std::u16string wide = u"Księga \U0001F525";
    EXPECT_EQ(Utf16ToUtf8(wide), "Księga \U0001F525");
    EXPECT_EQ(Utf8ToUtf16("Księga \U0001F525"), wide);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD"
                                                                       "a");
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");          // cut sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong: each byte
    size_t pos = 0;
    char32_t cp = 0;
    EXPECT_FALSE(DecodeUtf8("\xED\xA0\x80", pos, cp));  // surrogate
    EXPECT_EQ(pos, 0u);
    EXPECT_TRUE(DecodeUtf8("\xE2\x82\xAC", pos, cp));
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(cp, U'€');
}
