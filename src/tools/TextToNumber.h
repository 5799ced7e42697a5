#pragma once
// Typed text to numbers and logical values. Numbers are evaluated as expressions
// ('2*1,5', '= (10+2)/4', '1 000,5'); both '.' and ',' are decimal points, whatever the
// user's separator. A rejected text is reported at once in an error box and recorded in
// CheckResult; the caller gets false and the no-value result.
#include <cstdint>
#include <string>

#include "strings/StringIds.h"

namespace tavo::tools {

// Longest expression evaluated, counted without spaces; a longer text is rejected.
constexpr size_t MaxExpressionLength = 512;

// True when Text is a valid expression; Value is its result or NullReal. A blank text
// gives false without a message.
bool TextToReal(const std::string& Text, double& Value);
// NullReal gives NullInt; numbers are clamped to -2147483646..2147483647 and rounded
// half to even.
bool TextToInt(const std::string& Text, int32_t& Value);
// NullReal and numbers above 255 give 255, negative ones 0; rounded half to even.
bool TextToByte(const std::string& Text, uint8_t& Value);
// Half to even, as the conversions round.
double RoundHalfEven(double Value);

// Value 0 when Text is the start of FalseName, else 1 when it is the start of TrueName
// (letter case ignored); blank text is false. Otherwise false, Value unchanged.
bool TextToLogical(const std::string& Text, const std::string& FalseName,
                   const std::string& TrueName, uint8_t& Value);
// As TextToLogical, but a blank text is an error.
bool TextToLogicalRequired(const std::string& Text, const std::string& FalseName,
                           const std::string& TrueName, uint8_t& Value);

}  // namespace tavo::tools
