#include <gtest/gtest.h>

#include "platform/StartupLog.h"
#include "tools/CheckResult.h"
#include "tools/NumberToText.h"
#include "tools/ToolsModule.h"

using namespace tavo::tools;

TEST(ParamsObject, ParametersPastTheEndAreNoValues)
{
    TParamsObject p;
    p.TextParams = {"a"};
    p.IntParams = {7};
    p.RealParams = {1.5};
    EXPECT_EQ(p.TextParam(0), "a");
    EXPECT_EQ(p.TextParam(1), "");
    EXPECT_EQ(p.IntParam(1), NullInt);
    EXPECT_EQ(p.IntParam(-1), NullInt);
    EXPECT_EQ(p.RealParam(1), NullReal);
    EXPECT_EQ(p.ItemParam(0).CodeB, NullInt);
    p.Clear();
    EXPECT_EQ(p.IntParam(0), NullInt);
    EXPECT_TRUE(p.TextParams.empty());
}

TEST(ParamsObject, RenderingFillsPlaceholdersInOrder)
{
    char previous = std::exchange(DecimalSeparator, ',');
    TParamsObject p;
    p.IntParams = {7, 1234, 5, NullInt};
    p.RealParams = {3.14159, NullReal, 2.5, 0.5};
    p.TextParams = {"x", "y"};
    EXPECT_EQ(p.RenderText("Page %D."), "Page 7.");
    EXPECT_EQ(p.RenderText("%F8.2"), "    3,14");
    EXPECT_EQ(p.RenderText("100%%"), "100%");
    EXPECT_EQ(p.RenderText("%d|%D6|%D5.1|%D3"), "7|  1234|  5,0|   ");
    EXPECT_EQ(p.RenderText("[%G][%g][%F][%f6]"), "[3,14159][][2,5][   0,5]");
    EXPECT_EQ(p.RenderText("%s+%S=%s!"), "x+y=!");
    EXPECT_EQ(p.RenderText("50% off, %Q, 5%"), "50% off, %Q, 5%");
    DecimalSeparator = previous;

    // Items: "[name A/B]" in base 36, parts left out when they hold no value.
    p.ItemParams = {{500, 35, 36}, {0, -1, NullInt}, {0, 0, 1}};
    EXPECT_EQ(p.RenderText("%I %I %i %I"), "[Computer program Tavo C.H. Z/10] [ /] [ /1] [/]");
}

TEST(ParamsObject, TwoMessagesShareTheParameters)
{
    TParamsObject p;
    p.MsgId = 20037;
    p.MsgId2 = 20036;
    p.TextParams = {"a", "b"};
    EXPECT_EQ(p.Message(), "The entered text 'a' is not a logical value. "
                           "The entered value 'b' is not a number.");
    p.MsgId2 = 12345;
    EXPECT_EQ(p.Message(),
              "The entered text 'a' is not a logical value. Unknown error number:12345");
    p.MsgId = 0;
    p.MsgId2 = 0;
    EXPECT_EQ(p.Message(), "Unknown error number:0");
}

TEST(CheckResult, EachKindHasItsMessage)
{
    TCheckResult r;
    r.InputText = "abc";
    r.Symbol = "X1";
    r.CheckMessage = "Typed 100% wrong";
    r.CustomText = "Choose a pipe.";
    struct KindCase {
        int32_t Kind;
        uint8_t SubCode;
        std::string Text;
    };
    const KindCase cases[] = {
        {ckMissing, scListEntry, "The field should not stay empty."},
        {ckMissing, scLogical, "No logical value entered in the field."},
        {ckMissing, scVariableSymbol, "The symbol in the field has not been entered."},
        {ckMissing, scLookupEntry, "The field should not stay empty."},
        {ckMissing, scNumber, "No numeric value entered in the field."},
        {ckInvalidSymbol, 0, "The entered text 'abc' is not a correct symbol."},
        {ckInvalidValue, scText, "Incorrect value 'abc' has been entered in the field."},
        {ckInvalidValue, scSymbol, "The entered text 'abc' is not a correct symbol."},
        {ckInvalidValue, scLookupEntry,
         "Entered text 'abc' does not occur in the list of the "
         "texts linked with the field. "},
        {ckUnknownVariable, 0,
         "The non-existing variable symbol 'X1' hs been entered in the expression."},
        {ckMessage, 0, "Typed 100% wrong"},
        {ckVariableWithoutValue, 0,
         "The variable with the symbol 'X1' in the expression "
         "does not have any assigned value."},
        {ckNotInList, 0,
         "Entered text 'abc' does not occur in the list of the texts linked "
         "with the field. "},
        {ckCustom, 0, "Choose a pipe."},
        {2, 0, "unchanged"},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        // Set the kind directly: SetKind would clear the details.
        r.MsgId = c.Kind;
        r.SubCode = c.SubCode;
        std::string text = "unchanged";
        r.GetMessage(text);
        EXPECT_EQ(text, c.Text);
    }

    TCheckResult range;
    range.SetKind(ckOutOfRange);
    range.Value = 12.5;
    range.MinValue = 0;
    range.MaxValue = 10;
    range.UnitText = "m";
    EXPECT_EQ(
        range.Message(),
        "Number '12.5' entered in the field does not fit in the permissible range 0 .. 10 m.");
    // A string number as the kind renders with the object's own parameters.
    range.SetKind(20036);
    range.TextParams = {"q"};
    EXPECT_EQ(range.Message(), "The entered value 'q' is not a number.");
}

TEST(CheckResult, SetKindAndResetRules)
{
    TCheckResult r;
    EXPECT_EQ(r.Value, 0);  // a new object's Reset does nothing
    r.Reset();
    EXPECT_EQ(r.MinValue, 0);

    EXPECT_TRUE(r.SetKind(ckInvalidValue));
    r.InputText = "x";
    r.CustomText = "kept";
    r.MsgId2 = 20040;
    r.TextParams = {"p"};
    EXPECT_TRUE(r.SetKind(ckInvalidValue));  // the same kind keeps the details
    EXPECT_EQ(r.InputText, "x");

    EXPECT_TRUE(r.SetKind(ckNone));  // Failed stays
    EXPECT_EQ(r.Kind(), ckNone);
    EXPECT_EQ(r.InputText, "");
    EXPECT_TRUE(r.TextParams.empty());
    EXPECT_EQ(r.Value, NullReal);
    EXPECT_EQ(r.MaxValue, NullReal);
    EXPECT_EQ(r.CustomText, "kept");
    EXPECT_EQ(r.MsgId2, 20040);

    r.Failed = false;
    r.Value = 3;
    r.Symbol = "s";
    r.Reset();  // kind 0: nothing changes
    EXPECT_EQ(r.Value, 3);
    EXPECT_EQ(r.Symbol, "s");
    EXPECT_FALSE(r.SetKind(ckNone));
    EXPECT_EQ(r.Value, 3);
}

TEST(ToolsModule, StartCreatesTheCheckResultAndReadsTheSeparator)
{
    // The test environment has no user locale set: the separator is the C locale's.
    DecimalSeparator = '#';
    StartToolsModule();
    ASSERT_NE(CheckResult, nullptr);
    EXPECT_EQ(CheckResult->Kind(), ckNone);
    EXPECT_EQ(DecimalSeparator, UserDecimalSeparator());
    EXPECT_NE(DecimalSeparator, '#');
    StopToolsModule();
    EXPECT_EQ(CheckResult, nullptr);
}

TEST(ToolsModule, AnUnknownLocaleGivesThePoint)
{
    const char* old = std::getenv("LC_ALL");
    std::string saved = old ? old : "";
    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(UserDecimalSeparator(), '.');
    if (old)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
