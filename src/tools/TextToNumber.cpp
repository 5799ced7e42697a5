#include "TextToNumber.h"

#include <algorithm>
#include <cmath>

#include "CheckResult.h"
#include "ExpressionParser.h"
#include "MessageBoxes.h"
#include "NullValues.h"
#include "TextRoutines.h"

namespace tavo::tools {

bool TextToReal(const std::string& Text, double& Value)
{
    Value = NullReal;
    if (IsBlank(Text))
        return false;
    // A leading '=' is allowed once, as in a spreadsheet formula; spaces go anywhere
    // ('1 000,5'), and ',' is a decimal point as well as '.'.
    size_t start = Text.find_first_not_of(' ');
    if (Text[start] == '=')
        ++start;
    std::string buffer;
    buffer.reserve(std::min(Text.size(), MaxExpressionLength + 1));
    for (size_t i = start; i < Text.size() && buffer.size() <= MaxExpressionLength; ++i) {
        if (Text[i] != ' ')
            buffer += Text[i] == ',' ? '.' : Text[i];
    }
    TExpressionEvaluator evaluator(Text);
    // Cutting a longer text would change the number without telling the user.
    if (buffer.empty() || buffer.size() > MaxExpressionLength) {
        evaluator.Report(SNotNumeric, {Text});
        return false;
    }
    for (size_t i = 0; i + 1 < buffer.size(); ++i) {
        if ((buffer[i] == '+' || buffer[i] == '-') &&
            (buffer[i + 1] == '+' || buffer[i + 1] == '-')) {
            evaluator.Report(STwoOperators, {buffer.substr(i, 2)});
            return false;
        }
    }
    int64_t balance = 0;
    for (char c : buffer)
        balance += (c == '(') - (c == ')');
    if (balance != 0) {
        evaluator.Report(balance > 0 ? SLeftBracketsMore : SLeftBracketsFewer);
        return false;
    }
    double value;
    try {
        value = evaluator.EvaluateExpression(buffer);
    } catch (const EExpressionOverflow&) {
        value = NullReal;
    }
    if (value == NullReal) {
        // A result too large, or one that equals the no-value marker, must not fail
        // without a word to the user.
        evaluator.Report(SNotNumeric, {Text});
        return false;
    }
    Value = value;
    return true;
}

double RoundHalfEven(double Value)
{
    double whole = std::floor(Value);
    double fraction = Value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2) != 0))
        return whole + 1;
    return whole;
}

bool TextToInt(const std::string& Text, int32_t& Value)
{
    double r;
    bool ok = TextToReal(Text, r);
    if (r == NullReal)
        Value = NullInt;
    else if (r > 2147483647.0)
        Value = 2147483647;
    else if (r < -2147483646.0)
        Value = -2147483646;  // NullInt never comes from a number
    else
        Value = static_cast<int32_t>(RoundHalfEven(r));
    return ok;
}

bool TextToByte(const std::string& Text, uint8_t& Value)
{
    double r;
    bool ok = TextToReal(Text, r);
    if (r == NullReal || r > 255)
        Value = 255;
    else if (r < 0)
        Value = 0;
    else
        Value = static_cast<uint8_t>(RoundHalfEven(r));
    return ok;
}

bool TextToLogical(const std::string& Text, const std::string& FalseName,
                   const std::string& TrueName, uint8_t& Value)
{
    // The false name is tried first: a text that starts both names is false.
    if (IsBlank(Text) || IsAnsiPrefixOf(Text, FalseName)) {
        Value = 0;
    } else if (IsAnsiPrefixOf(Text, TrueName)) {
        Value = 1;
    } else {
        if (CheckResult) {
            CheckResult->SetKind(ckInvalidValue);
            CheckResult->InputText = Text;
            CheckResult->SubCode = scLogical;
        }
        ErrorMessageFmt(SNotLogicalValue, {Text});
        return false;
    }
    if (CheckResult)
        CheckResult->Reset();
    return true;
}

bool TextToLogicalRequired(const std::string& Text, const std::string& FalseName,
                           const std::string& TrueName, uint8_t& Value)
{
    if (!IsBlank(Text))
        return TextToLogical(Text, FalseName, TrueName, Value);
    if (CheckResult) {
        CheckResult->SetKind(ckMissing);
        CheckResult->SubCode = scLogical;
    }
    ErrorMessage(SNoLogicalValue);
    return false;
}

}  // namespace tavo::tools
