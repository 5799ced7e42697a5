#pragma once
// The framework's conversions between integers and texts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::platform {

// A 32-bit integer as the framework reads it: optional leading spaces, a sign, then
// decimal digits or '$'/'0x' and hex digits; nothing may follow. None when the text is
// not such a number or does not fit.
std::optional<int32_t> TryStrToInt(std::string_view Text);

inline int32_t StrToIntDef(std::string_view Text, int32_t Default)
{
    return TryStrToInt(Text).value_or(Default);
}

}  // namespace tavo::platform
