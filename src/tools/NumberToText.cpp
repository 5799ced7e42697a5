#include "NumberToText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <locale>

#include "NullValues.h"
#include "TextRoutines.h"

namespace tavo::tools {

namespace {

// More decimals than this only show the binary expansion of the value, not the number.
constexpr int32_t MaxDecimals = 100;

// to_chars, not printf: the C library's numeric locale follows the desktop's and may
// write ',' where the callers expect '.'.
std::string Fixed(double Value, int32_t Decimals)
{
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed,
                           std::clamp(Decimals, 0, MaxDecimals));
    std::string s(buf, r.ptr);
    // "-0.00" is the same number as "0.00"; the sign only confuses the reader.
    if (s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string PadLeft(std::string s, int32_t Width)
{
    if (Width > 0 && static_cast<int64_t>(s.size()) < Width)
        s.insert(0, static_cast<size_t>(Width) - s.size(), ' ');
    return s;
}

std::string WithSeparator(std::string s)
{
    size_t dot = s.find('.');
    if (dot != std::string::npos)
        s[dot] = DecimalSeparator;
    return s;
}

// The runtime's scientific form for a field of Width characters: sign or space, one
// digit, point, decimals, "E", exponent sign and four exponent digits.
std::string Scientific(double Value, int32_t Width)
{
    int32_t decimals = std::clamp(Width - 9, 1, 16);
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific, decimals);
    std::string s(buf, r.ptr);
    size_t e = s.find('e');
    int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = std::to_string(std::abs(exponent));
    digits.insert(0, 4 - std::min<size_t>(4, digits.size()), '0');
    s = (Value < 0 ? "" : " ") + s.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") + digits;
    return PadLeft(s, Width);
}

// Shortens the scientific form: "1.2346E+0008" to "1.2346E+8", "2.50E+0000" to "2.5".
std::string CompactScientific(std::string s)
{
    if (!s.empty() && s[0] == ' ')
        s.erase(0, 1);
    size_t e = s.find('E');
    size_t digits = s.find_first_not_of('0', e + 2);
    s.erase(e + 2, (digits == std::string::npos ? s.size() : digits) - (e + 2));
    if (s.size() == e + 2) {
        s.resize(e);
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

}  // namespace

char UserDecimalSeparator()
{
    try {
        std::locale user("");
        char c = std::use_facet<std::numpunct<char>>(user).decimal_point();
        if (c > ' ' && static_cast<unsigned char>(c) < 0x7F)
            return c;
    } catch (const std::exception&) {
        // A locale the C++ library does not know: the user gets the plain point.
    }
    return '.';
}

std::string IntToTextOrBlank(int32_t Value, int32_t Width)
{
    if (Value == NullInt)
        return Spaces(Width);
    return PadLeft(std::to_string(Value), Width);
}

std::string ShortNumber(double Value)
{
    if (Value == NullReal)
        return {};
    if (!std::isfinite(Value))
        return platform::FormatGeneral(Value);
    // The shortest digits that read back as Value, written out plainly: 1E23 is
    // "100000000000000000000000", not the double's exact "99999999999999991611392".
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf - 1, Value, std::chars_format::scientific);
    *r.ptr = '\0';
    char* e = std::find(buf, r.ptr, 'e');
    std::string mantissa(buf, e);
    int exponent = std::atoi(e + 1);
    std::string sign = mantissa[0] == '-' ? "-" : "";
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9')
            digits += c;
    std::string s;
    if (exponent >= 0) {
        if (digits.size() < static_cast<size_t>(exponent) + 1)
            digits.append(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
        s = digits.substr(0, static_cast<size_t>(exponent) + 1);
        if (digits.size() > static_cast<size_t>(exponent) + 1)
            s += "." + digits.substr(static_cast<size_t>(exponent) + 1);
    } else if (-exponent - 1 + digits.size() <= 38) {
        s = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        s = Fixed(std::fabs(Value), 38);
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "0")
        sign.clear();
    return WithSeparator(sign + s);
}

std::string FormatNumber(int32_t Width, int32_t Decimals, double Value)
{
    if (Value == NullReal)
        return Spaces(Width);
    if (!std::isfinite(Value))
        return PadLeft(platform::FormatGeneral(Value), Width);
    if (Decimals < 0) {
        std::string s = ShortNumber(Value);
        if (static_cast<int64_t>(s.size()) > Width) {
            for (int32_t d = 5; d >= 0; --d) {
                s = WithSeparator(CompactScientific(Scientific(Value, Width + d)));
                if (static_cast<int64_t>(s.size()) <= Width)
                    break;
            }
        }
        // Cut to the width, "1.0E+300" would read as 1: a number is never cut.
        return static_cast<int64_t>(s.size()) > Width ? s : AlignRight(s, Width);
    }
    if (Width == 0 && Decimals == 0)
        return platform::FormatGeneral(Value);
    std::string s = PadLeft(Fixed(Value, Decimals), Width);
    if (Width > 0 && static_cast<int64_t>(s.size()) > Width) {
        int64_t fewer = std::max<int64_t>(0, Decimals - (static_cast<int64_t>(s.size()) - Width));
        s = PadLeft(Fixed(Value, static_cast<int32_t>(fewer)), Width);
    }
    return WithSeparator(s);
}

std::string Base36Text(int32_t Value, int32_t Width)
{
    int32_t digitsWanted = Width > 0 ? Width : 5;
    std::string digits;
    if (Value != 0 && Value != NullInt) {
        auto rest = static_cast<uint64_t>(std::abs(static_cast<int64_t>(Value)));
        while (rest > 0) {
            digits.insert(digits.begin(), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[rest % 36]);
            rest /= 36;
        }
    }
    if (static_cast<int32_t>(digits.size()) > digitsWanted)
        digits.resize(static_cast<size_t>(digitsWanted));
    if (Width <= 0)
        return digits;
    return digits + Spaces(Width - static_cast<int32_t>(digits.size()));
}

std::string Base36Word(int16_t Value, int32_t Width)
{
    if (Value == -1)
        return Base36Text(NullInt, Width);
    return Base36Text(static_cast<uint16_t>(Value), Width);
}

}  // namespace tavo::tools
