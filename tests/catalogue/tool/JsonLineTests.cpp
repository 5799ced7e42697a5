// The catalogue tool's JSON lines: what it accepts, what it refuses, how it escapes.
#include <gtest/gtest.h>

#include "JsonLine.h"

using namespace tavo::catalogue;

namespace {

std::string Refusal(const std::string& Line)
{
    std::string Error;
    EXPECT_FALSE(ParseJsonObject(Line, Error).has_value()) << Line;
    return Error;
}

TEST(JsonLine, ReadsFlatObjects)
{
    std::string Error;
    auto Object = ParseJsonObject(
        " { \"a\" : \"x\\u00e9\\ud83d\\ude00\\n\\\"\" , \"b\":-12,\"c\":true,\"d\":false,"
        "\"e\":null, \"f\": 0} ",
        Error);
    ASSERT_TRUE(Object.has_value()) << Error;
    ASSERT_EQ(Object->size(), 6u);
    EXPECT_EQ((*Object)[0].second.Text, "x\xC3\xA9\xF0\x9F\x98\x80\n\"");
    EXPECT_EQ((*Object)[1].second.Integer, -12);
    EXPECT_TRUE((*Object)[2].second.Bool);
    EXPECT_EQ((*Object)[3].second.Kind, TJsonValue::jvBool);
    EXPECT_FALSE((*Object)[3].second.Bool);
    EXPECT_EQ((*Object)[4].second.Kind, TJsonValue::jvNull);
    EXPECT_EQ((*Object)[5].second.Integer, 0);
    EXPECT_TRUE(ParseJsonObject("{}", Error).has_value());
}

TEST(JsonLine, RefusesWhatItDoesNotTake)
{
    EXPECT_EQ(Refusal("[1]"), "expected '{' at column 1");
    EXPECT_EQ(Refusal("{\"a\": 1, \"a\": 2}"), "the key 'a' occurs twice at column 13");
    EXPECT_EQ(Refusal("{\"a\": {}}"), "nested objects and lists are not taken at column 7");
    EXPECT_EQ(Refusal("{\"a\": 1.5}"), "a number that is not whole at column 8");
    EXPECT_EQ(Refusal("{\"a\": 1e3}"), "a number that is not whole at column 8");
    EXPECT_EQ(Refusal("{\"a\": 012}"), "a bad number at column 7");
    EXPECT_EQ(Refusal("{\"a\": 1234567890123456789}"), "a number out of range at column 7");
    EXPECT_EQ(Refusal("{\"a\": \"\\ud800\"}"), "a lone surrogate at column 14");
    EXPECT_EQ(Refusal("{\"a\": \"\xC3\"}"), "invalid UTF-8 at column 8");
    EXPECT_EQ(Refusal("{\"a\": \"\xC0\x80\"}"), "invalid UTF-8 at column 8");
    EXPECT_EQ(Refusal("{\"a\": \"tab\there\"}"), "a control character inside a text at column 11");
    EXPECT_EQ(Refusal("{\"a\": \"\\x\"}"), "a bad escape at column 9");
    EXPECT_EQ(Refusal("{\"a\": \"open}"), "a text without its closing quote at column 13");
    EXPECT_EQ(Refusal("{\"a\": tru}"), "a bad value at column 7");
    EXPECT_EQ(Refusal("{\"a\": 1} x"), "text after the object at column 10");
    EXPECT_EQ(Refusal("{a: 1}"), "expected a text in quotes at column 2");
    EXPECT_EQ(Refusal("{\"a\" 1}"), "expected ':' at column 6");
    EXPECT_EQ(Refusal("{\"a\":"), "a value missing at column 6");
}

TEST(JsonLine, EscapesWhatMustBeEscaped)
{
    EXPECT_EQ(JsonText("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(JsonText("Zdj\xC4\x99"
                       "cie"),
              "\"Zdj\xC4\x99"
              "cie\"");
    EXPECT_EQ(JsonText("\xC2\x81"), "\"\\u0081\"") << "C1 controls stay visible";
    EXPECT_EQ(JsonText("\xFF"), "\"\xEF\xBF\xBD\"");
    // What JsonText writes reads back.
    std::string Error;
    auto Object = ParseJsonObject("{\"k\": " + JsonText("\"\\\x01\xC2\x81\xC5\xBB") + "}", Error);
    ASSERT_TRUE(Object.has_value()) << Error;
    EXPECT_EQ((*Object)[0].second.Text, "\"\\\x01\xC2\x81\xC5\xBB");
}

}  // namespace
