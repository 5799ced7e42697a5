#pragma once
// The evaluator behind every numeric field: the typed text is a small arithmetic
// expression with + - * / ^ and brackets. The grammar is the library's own, not the
// textbook one: a run of '*' and '/' or of '^' after an operator's right operand is
// folded into that operand first, and a '^' after '*' or '/' applies to the whole value
// so far: '8/2/2' is 8, '2^3*2' is 64, '2+3*4^2' is 196.
// The first error of an input is shown in an error box and recorded in CheckResult;
// every error makes the result NullReal.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Format.h"
#include "strings/StringIds.h"

namespace tavo::tools {

// Optional sign, digits with an optional '.', optional exponent with optional sign and
// digits; the whole text. None when it is not such a number or too large for a double
// (a number too small for one is 0).
std::optional<double> PlainReal(std::string_view Text);

// One evaluation, with the text the user typed for the check result and the rule that
// only the first error is reported.
class TExpressionEvaluator {
public:
    explicit TExpressionEvaluator(std::string Input) : FInput(std::move(Input)) {}

    // T holds no spaces. A result too large for a double ends the evaluation with
    // EExpressionOverflow, which the caller reports.
    double EvaluateExpression(std::string_view T);
    // The value of the operand at the start of S and the number of characters it used.
    double ParseOperand(std::string_view S, size_t& Used);
    size_t OperandLength(std::string_view S);

    // Shows the message with the error caption and records it in CheckResult.
    void Report(int32_t Message, const platform::FormatArgs& Args = {});
    bool Reported() const { return FReported; }

private:
    std::string FInput;
    bool FReported = false;
};

struct EExpressionOverflow {};

// As the evaluator's, for an expression that is also the text under check; an overflow
// is reported as 20065 with the whole text.
double EvaluateExpression(std::string_view T);
double ParseOperand(std::string_view S, size_t& Used);
size_t OperandLength(std::string_view S);

}  // namespace tavo::tools
