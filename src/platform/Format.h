#pragma once
// The framework's text formatter: "%" [index ":"] ["-"] [width] ["." precision] type,
// with the types d u e f g n m p s x (letter case not significant) and "%%".
// A '*' for width or precision takes the next integer argument.
// A placeholder without a matching argument raises EConvertError.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo::platform {

using FormatArg = std::variant<int64_t, double, std::string>;
using FormatArgs = std::vector<FormatArg>;

// The decimal separator used for real numbers in formatted texts. The utility module sets
// it from the user's locale at start-up.
extern char DecimalSeparator;

std::string Format(std::string_view Fmt, std::span<const FormatArg> Args);
inline std::string Format(std::string_view Fmt, std::initializer_list<FormatArg> Args)
{
    return Format(Fmt, std::span<const FormatArg>(Args.begin(), Args.size()));
}

// A real number in the framework's general format with Precision significant digits:
// fixed notation when the integer part has at most Precision digits and the value is
// at least 0.0001 in size, otherwise mantissa "E" exponent ("1E20", "1.5E-7");
// trailing zeros removed; DecimalSeparator as the decimal point.
std::string FormatGeneral(double Value, int Precision = 15);

}  // namespace tavo::platform
