#include "ExpressionParser.h"

#include <charconv>
#include <cmath>

#include "CheckResult.h"
#include "MessageBoxes.h"
#include "NullValues.h"
#include "platform/StringTable.h"

namespace tavo::tools {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

double Checked(double Value)
{
    if (!std::isfinite(Value))
        throw EExpressionOverflow{};
    return Value;
}

// Index of the bracket that closes the one at S[0]; npos when it has none.
size_t MatchingBracket(std::string_view S)
{
    int64_t depth = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '(')
            ++depth;
        else if (S[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<double> PlainReal(std::string_view Text)
{
    size_t i = 0;
    bool negative = false;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-'))
        negative = Text[i++] == '-';
    size_t mantissa = i;
    size_t digits = 0;
    // Decimal exponent of the first significant digit, to tell overflow from underflow.
    int64_t magnitude = 0;
    bool significant = false;
    bool point = false;
    for (; i < Text.size(); ++i) {
        if (IsDigit(Text[i])) {
            ++digits;
            significant = significant || Text[i] != '0';
            if (significant && !point)
                ++magnitude;
            else if (!significant && point)
                --magnitude;
        } else if (Text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    int64_t exponent = 0;
    if (i < Text.size() && (Text[i] == 'E' || Text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < Text.size() && (Text[i] == '+' || Text[i] == '-'))
            negativeExponent = Text[i++] == '-';
        size_t start = i;
        for (; i < Text.size() && IsDigit(Text[i]); ++i)
            exponent = std::min<int64_t>(exponent * 10 + (Text[i] - '0'), 1'000'000);
        if (i == start)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != Text.size())
        return std::nullopt;
    double value = 0;
    auto r = std::from_chars(Text.data() + mantissa, Text.data() + Text.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            return std::nullopt;
        value = 0;
    } else if (r.ec != std::errc() || r.ptr != Text.data() + Text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

void TExpressionEvaluator::Report(int32_t Message, const platform::FormatArgs& Args)
{
    if (FReported)
        return;
    FReported = true;
    std::string text = Args.empty() ? platform::LoadStr(Message)
                                    : platform::Format(platform::LoadStr(Message), Args);
    if (Args.empty())
        ErrorMessage(Message);
    else
        ErrorMessageFmt(Message, Args);
    if (CheckResult) {
        CheckResult->SetKind(Message == SNotNumeric ? ckInvalidValue : ckMessage);
        CheckResult->CheckMessage = text;
        CheckResult->InputText = FInput;
        CheckResult->SubCode = scNumber;
    }
}

size_t TExpressionEvaluator::OperandLength(std::string_view S)
{
    if (S.empty()) {
        Report(SArgumentMissing);
        return 0;
    }
    if (S[0] == '(')
        return 0;
    size_t i = 1;
    while (i < S.size() && S[i] != '(' && S[i] != '*' && S[i] != '+' && S[i] != '-' &&
           S[i] != '/' && S[i] != '^')
        ++i;
    return i;
}

double TExpressionEvaluator::ParseOperand(std::string_view S, size_t& Used)
{
    Used = 0;
    if (auto whole = PlainReal(S)) {
        Used = S.size();
        return *whole;
    }
    if (S.empty()) {
        Report(SArgumentMissing);
        return NullReal;
    }
    char first = S[0];
    if (first != '(' && first != '+' && first != '-' && first != '.' && !IsDigit(first)) {
        Report(SNotNumeric, {std::string(S)});
        return NullReal;
    }
    size_t sign = (first == '+' || first == '-') ? 1 : 0;
    std::string_view rest = S.substr(sign);
    double value;
    size_t used;
    if (!rest.empty() && rest[0] == '(') {
        size_t close = MatchingBracket(rest);
        if (close == std::string_view::npos) {
            Report(SNotNumeric, {std::string(S)});
            return NullReal;
        }
        std::string_view inner = rest.substr(1, close - 1);
        used = sign + inner.size() + 2;
        if (inner.empty()) {
            Report(SArgumentMissing);
            return NullReal;
        }
        if (OperandLength(inner) < inner.size()) {
            value = EvaluateExpression(inner);
        } else if (auto number = PlainReal(inner)) {
            value = *number;
        } else {
            Report(SNotNumeric, {std::string(inner)});
            return NullReal;
        }
    } else {
        size_t length = OperandLength(rest);
        if (length == 0)  // nothing after the sign: reported as a missing argument
            return NullReal;
        auto number = PlainReal(rest.substr(0, length));
        if (!number) {
            Report(SNotNumeric, {std::string(rest.substr(0, length))});
            return NullReal;
        }
        value = *number;
        used = sign + length;
    }
    Used = used;
    if (first == '-' && value != NullReal)
        value = -value;
    return value;
}

double TExpressionEvaluator::EvaluateExpression(std::string_view T)
{
    size_t n;
    double left = ParseOperand(T, n);
    if (left == NullReal)
        return NullReal;
    size_t pos = n;
    while (pos < T.size()) {
        char op = T[pos];
        if (!IsOperator(op)) {
            Report(SIncorrectOperator, {std::string(1, op)});
            return NullReal;
        }
        if (pos + 1 == T.size()) {
            Report(SArgumentMissing);
            return NullReal;
        }
        double right = ParseOperand(T.substr(pos + 1), n);
        if (right == NullReal)
            return NullReal;
        size_t a = pos + 1 + n;
        // A power right of the operator binds to its operand ...
        while (a < T.size() && T[a] == '^') {
            double e = ParseOperand(T.substr(a + 1), n);
            if (e == NullReal)
                return NullReal;
            if (right < 0) {
                Report(SNegativePower, {right});
                return NullReal;
            }
            right = Checked(std::pow(right, e));
            a += 1 + n;
        }
        // ... and so does a run of '*' and '/'.
        while (a < T.size() && (T[a] == '*' || T[a] == '/')) {
            char inner = T[a];
            double x = ParseOperand(T.substr(a + 1), n);
            if (x == NullReal)
                return NullReal;
            if (inner == '*') {
                right = Checked(right * x);
            } else if (x == 0) {
                Report(SDivisionByZero);
                return NullReal;
            } else {
                right = Checked(right / x);
            }
            a += 1 + n;
        }
        switch (op) {
        case '+':
            left = Checked(left + right);
            break;
        case '-':
            left = Checked(left - right);
            break;
        case '*':
            left = Checked(left * right);
            break;
        case '/':
            if (right == 0) {
                Report(SDivisionByZero);
                return NullReal;
            }
            left = Checked(left / right);
            break;
        default:  // '^'
            if (left < 0) {
                Report(SNegativePower, {left});
                return NullReal;
            }
            left = Checked(std::pow(left, right));
            break;
        }
        pos = a;
    }
    return left;
}

namespace {

// The free functions evaluate a text of their own: its errors name that text.
template <typename F> auto Standalone(std::string_view Text, F Evaluate)
{
    TExpressionEvaluator evaluator{std::string(Text)};
    try {
        return Evaluate(evaluator);
    } catch (const EExpressionOverflow&) {
        evaluator.Report(SNotNumeric, {std::string(Text)});
        return decltype(Evaluate(evaluator))(NullReal);
    }
}

}  // namespace

double EvaluateExpression(std::string_view T)
{
    return Standalone(T, [&](TExpressionEvaluator& e) { return e.EvaluateExpression(T); });
}

double ParseOperand(std::string_view S, size_t& Used)
{
    return Standalone(S, [&](TExpressionEvaluator& e) { return e.ParseOperand(S, Used); });
}

size_t OperandLength(std::string_view S)
{
    TExpressionEvaluator evaluator{std::string(S)};
    return evaluator.OperandLength(S);
}

}  // namespace tavo::tools
