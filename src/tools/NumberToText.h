#pragma once
// Numbers written for fixed-width fields and messages, with the user's decimal separator.
#include <cstdint>
#include <string>

#include "platform/Format.h"

namespace tavo::tools {

// The user's decimal separator; the module start reads it once from the user's locale.
using platform::DecimalSeparator;

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG); '.' when the
// locale is unknown or its separator is no single printable character.
char UserDecimalSeparator();

// NullInt gives Width spaces; otherwise the decimal text padded on the left (never cut).
std::string IntToTextOrBlank(int32_t Value, int32_t Width);

// Decimals < 0: the shortest form, scientific when it does not fit in Width.
// Decimals >= 0: fixed notation padded to Width, with fewer decimals when it does not fit;
// Width and Decimals both 0: the general format. NullReal gives Width spaces.
std::string FormatNumber(int32_t Width, int32_t Decimals, double Value);

// The shortest plain decimal text that reads back as Value ("2.5", "100", "0.1"), at most
// 38 decimals; empty for NullReal.
std::string ShortNumber(double Value);

// The absolute value in base 36 ("0".."9", "A".."Z"), at most Width digits (the most
// significant ones), padded with spaces on the right to Width. Width 0: up to 5 digits,
// trimmed. 0 and NullInt give spaces only.
std::string Base36Text(int32_t Value, int32_t Width);
// -1 is taken as NullInt; any other value as unsigned 16-bit.
std::string Base36Word(int16_t Value, int32_t Width);

}  // namespace tavo::tools
