#include <cmath>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "tools/CheckResult.h"
#include "tools/ExpressionParser.h"
#include "tools/MessageBoxes.h"
#include "tools/TextToNumber.h"

using namespace tavo::tools;
using tavo::test::RecordedMessages;

namespace {

// The module's state as the program has it after start-up: error caption, a fresh
// shared check result, and every box recorded.
class TextToNumber : public ::testing::Test {
protected:
    void SetUp() override
    {
        CaptionErrorId = 501;
        CheckResult = std::make_unique<TCheckResult>();
    }
    void TearDown() override { CheckResult.reset(); }

    // The one box shown, or "" when none was.
    std::string Shown() const
    {
        EXPECT_LE(Boxes.Shown.size(), 1u);
        return Boxes.Shown.empty() ? std::string() : Boxes.Shown[0].Text;
    }

    RecordedMessages Boxes;
};

const std::string NotNumeric = "' is not numeric or does not fit in the permissible range.";
std::string NotNumericText(const std::string& s)
{
    return "The entered value '" + s + NotNumeric;
}

struct Case {
    const char* Input;
    double Value;       // NAN: rejected
    std::string Shown;  // the error box's text
};

const Case Cases[] = {
    // What users type.
    {"2,5", 2.5, ""},
    {"= 2 + 3", 5, ""},
    {"1 000,5", 1000.5, ""},
    {"=(10+2)/4", 3, ""},
    {"  +5 ", 5, ""},
    {".5*2", 1, ""},
    {"5.*2", 10, ""},
    {"2E+5", 200000, ""},
    {"1e3/4", 250, ""},
    {"1E-400", 0, ""},
    // The library's own grammar.
    {"2+3*4", 14, ""},
    {"10-2-3", 5, ""},
    {"1-2*3", -5, ""},
    {"2^3^2", 512, ""},
    {"8/2/2", 8, ""},
    {"2^3*2", 64, ""},
    {"2+3*4^2", 196, ""},
    {"2*-3", -6, ""},
    {"2^-1", 0.5, ""},
    {"-(2+3)", -5, ""},
    {"-(-(2))", 2, ""},
    {"(((2)))", 2, ""},
    {"((1+2)*(3+4))", 21, ""},
    {"(1E-5)*2", 2E-5, ""},
    {"0^2", 0, ""},
    {"0^0", 1, ""},
    // Errors, each with its argument.
    {"2--3", NAN,
     "The incorrect combination of operators or characters '--'. Use the brackets to divide "
     "the operators e.g. 20--20 replace with 20-(-20)"},
    {"1+-+2", NAN,
     "The incorrect combination of operators or characters '+-'. Use the brackets to divide "
     "the operators e.g. 20--20 replace with 20-(-20)"},
    {"(2+3", NAN, "The number of left-side brackets '(' is larger than the right-side ones ')'."},
    {"2+3)", NAN, "The number of left-side brackets '(' is lower than the right-side ones ')'"},
    {"()", NAN, "The argument missing."},
    {"2+", NAN, "The argument missing."},
    {"2*3/", NAN, "The argument missing."},
    {"-", NAN, "The argument missing."},
    {"5/0", NAN, "Division by zero."},
    {"2+3/0", NAN, "Division by zero."},
    {"1+2+3/0", NAN, "Division by zero."},
    {"6/(1-1)", NAN, "Division by zero."},
    {"(-8)^2", NAN, "The negative number -8 cannot be risen to a power."},
    {"1+(-2,5)^2", NAN, "The negative number -2.5 cannot be risen to a power."},
    {"2(3)", NAN, "The incorrect operator '('."},
    {"(2)x", NAN, "The incorrect operator 'x'."},
    {"abc", NAN, NotNumericText("abc")},
    {"1E-5*2", NAN, NotNumericText("1E")},
    {"2**3", NAN, NotNumericText("*3")},
    {"==5", NAN, NotNumericText("=5")},
    {")(", NAN, NotNumericText(")(")},
    {"\t5", NAN, NotNumericText("\t5")},
    {"=", NAN, NotNumericText("=")},
    {"1E400", NAN, NotNumericText("1E400")},
    // Failures of the whole: overflow, and a result that is the no-value marker.
    {"1E200*1E200", NAN, NotNumericText("1E200*1E200")},
    {"0^-1", NAN, NotNumericText("0^-1")},
    {"-1E17", NAN, NotNumericText("-1E17")},
    {"-1E16*10", NAN, NotNumericText("-1E16*10")},
};

}  // namespace

TEST_F(TextToNumber, ExpressionsGiveTheirValueOrTheirFirstError)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Input);
        Boxes.Shown.clear();
        double value = 0;
        bool ok = TextToReal(c.Input, value);
        EXPECT_EQ(ok, !std::isnan(c.Value));
        if (ok)
            EXPECT_DOUBLE_EQ(value, c.Value);
        else
            EXPECT_EQ(value, NullReal);
        EXPECT_EQ(Shown(), c.Shown);
        if (!Boxes.Shown.empty()) {
            EXPECT_EQ(Boxes.Shown[0].Caption, "Tavo C.H. - Error");
            EXPECT_EQ(Boxes.Shown[0].Flags, MB_ICONERROR | MB_TASKMODAL);
        }
    }
}

TEST_F(TextToNumber, BlankIsNoValueWithoutAWord)
{
    double value = 1;
    EXPECT_FALSE(TextToReal("", value));
    EXPECT_EQ(value, NullReal);
    EXPECT_FALSE(TextToReal("   ", value));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(CheckResult->Kind(), ckNone);
}

TEST_F(TextToNumber, LongTextsAreRejectedNotCut)
{
    double value;
    EXPECT_TRUE(TextToReal("5" + std::string(600, ' '), value));  // spaces do not count
    EXPECT_EQ(value, 5);
    std::string digits = std::string(MaxExpressionLength - 1, '0') + "7";
    EXPECT_TRUE(TextToReal(digits, value));
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(TextToReal(digits + "1", value));
    EXPECT_EQ(Shown(), NotNumericText(digits + "1"));
    // Deep brackets are evaluated, not refused.
    std::string deep = std::string(200, '(') + "2" + std::string(200, ')') + "*3";
    EXPECT_TRUE(TextToReal(deep, value));
    EXPECT_EQ(value, 6);
}

TEST_F(TextToNumber, ErrorsAreRecordedInTheCheckResult)
{
    double value;
    TextToReal("x", value);
    EXPECT_EQ(CheckResult->Kind(), ckInvalidValue);
    EXPECT_EQ(CheckResult->SubCode, scNumber);
    EXPECT_EQ(CheckResult->InputText, "x");
    EXPECT_TRUE(CheckResult->Failed);
    EXPECT_EQ(CheckResult->CheckMessage, NotNumericText("x"));
    EXPECT_EQ(CheckResult->Message(), "The entered value 'x' is not a number.");

    // Other errors keep the message shown; the input is the text as typed.
    TextToReal(" = 1 + 3/0", value);
    EXPECT_EQ(CheckResult->Kind(), ckMessage);
    EXPECT_EQ(CheckResult->InputText, " = 1 + 3/0");
    EXPECT_EQ(CheckResult->Message(), "Division by zero.");

    // Switched off: nothing shown, the same record.
    CheckResult = std::make_unique<TCheckResult>();
    MessagesEnabled = false;
    Boxes.Shown.clear();
    EXPECT_FALSE(TextToReal("2+", value));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(CheckResult->Kind(), ckMessage);
    EXPECT_EQ(CheckResult->Message(), "The argument missing.");
}

TEST_F(TextToNumber, OperandsOnTheirOwn)
{
    size_t used = 99;
    EXPECT_EQ(ParseOperand("-(2+3)*4", used), -5);
    EXPECT_EQ(used, 6u);
    EXPECT_EQ(ParseOperand("2E+5", used), 2E5);
    EXPECT_EQ(used, 4u);
    EXPECT_EQ(ParseOperand("12)+3", used), NullReal);
    EXPECT_EQ(Shown(), NotNumericText("12)"));
    EXPECT_EQ(OperandLength("2E+5"), 2u);
    EXPECT_EQ(OperandLength("(1)"), 0u);
    EXPECT_EQ(OperandLength("12)+3"), 3u);
    EXPECT_EQ(EvaluateExpression("2^3*2"), 64);
    EXPECT_EQ(EvaluateExpression("1E300^2"), NullReal);
    EXPECT_EQ(Boxes.Shown.back().Text, NotNumericText("1E300^2"));
}

TEST_F(TextToNumber, IntegersAndBytesRoundHalvesToEvenAndClamp)
{
    struct IntCase {
        const char* Text;
        int32_t Int;
        uint8_t Byte;
        bool Ok;
    };
    const IntCase cases[] = {
        {"2.5", 2, 2, true},
        {"3.5", 4, 4, true},
        {"-2.5", -2, 0, true},
        {"2.4999", 2, 2, true},
        {"254.5", 254, 254, true},
        {"255.5", 256, 255, true},
        {"1E10", 2147483647, 255, true},
        {"-1E10", -2147483646, 0, true},
        {"-2147483647", -2147483646, 0, true},
        {"x", NullInt, 255, false},
        {"", NullInt, 255, false},
    };
    MessagesEnabled = false;
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.Text);
        int32_t i = 0;
        uint8_t b = 0;
        EXPECT_EQ(TextToInt(c.Text, i), c.Ok);
        EXPECT_EQ(i, c.Int);
        EXPECT_EQ(TextToByte(c.Text, b), c.Ok);
        EXPECT_EQ(b, c.Byte);
    }
}

TEST_F(TextToNumber, LogicalNames)
{
    uint8_t v = 9;
    EXPECT_TRUE(TextToLogical("y", "No", "Yes", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(TextToLogical("N", "No", "Yes", v));
    EXPECT_EQ(v, 0);
    v = 9;
    EXPECT_TRUE(TextToLogical("", "No", "Yes", v));
    EXPECT_EQ(v, 0);
    // The false name is tried first; a shared start means false.
    EXPECT_TRUE(TextToLogical("a", "aus", "an", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(Boxes.Shown.empty());

    v = 1;
    EXPECT_FALSE(TextToLogical("Yess", "No", "Yes", v));
    EXPECT_EQ(v, 1);
    EXPECT_EQ(Shown(), "The entered text 'Yess' is not a logical value.");
    EXPECT_EQ(CheckResult->Kind(), ckInvalidValue);
    EXPECT_EQ(CheckResult->SubCode, scLogical);
    EXPECT_EQ(CheckResult->InputText, "Yess");
    EXPECT_EQ(CheckResult->Message(), "The entered text 'Yess' is not a logical value.");

    // Acceptance clears the record, not the Failed flag.
    EXPECT_TRUE(TextToLogical(" ", "No", "Yes", v));
    EXPECT_EQ(CheckResult->Kind(), ckNone);
    EXPECT_EQ(CheckResult->InputText, "");
    EXPECT_TRUE(CheckResult->Failed);

    Boxes.Shown.clear();
    EXPECT_FALSE(TextToLogicalRequired("  ", "No", "Yes", v));
    EXPECT_EQ(Shown(), "No logical value entered in the field.");
    EXPECT_EQ(CheckResult->Kind(), ckMissing);
    EXPECT_EQ(CheckResult->SubCode, scLogical);
    EXPECT_TRUE(TextToLogicalRequired("YES", "No", "Yes", v));
    EXPECT_EQ(v, 1);
}
