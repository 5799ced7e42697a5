#include "Format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "Errors.h"
#include "FrameworkStrings.h"
#include "StringTable.h"

namespace tavo::platform {

char DecimalSeparator = '.';

namespace {

// Locale-independent "%.*E" and "%.*f": the C library's printf follows the process's
// numeric locale, which the toolkit sets from the user's environment, so a Polish user
// would get ',' here and the separator rule below would not hold.
std::string Scientific(double Value, int Precision)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific, Precision);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

std::string Fixed(double Value, int Digits)
{
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Digits);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : Scientific(Value, 14);
}

[[noreturn]] void Invalid(std::string_view Fmt)
{
    throw EConvertError(ReplaceFirstS(LoadStr(SFormatInvalid), std::string(Fmt)));
}

[[noreturn]] void NoArgument(std::string_view Fmt)
{
    throw EConvertError(ReplaceFirstS(LoadStr(SNoArgument), std::string(Fmt)));
}

std::string WithSeparator(std::string s)
{
    if (DecimalSeparator != '.')
        for (char& c : s)
            if (c == '.')
                c = DecimalSeparator;
    return s;
}

// Digits grouped by thousands, as the "n" and "m" types print them.
std::string GroupThousands(const std::string& fixed)
{
    size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
    size_t dot = fixed.find('.');
    if (dot == std::string::npos)
        dot = fixed.size();
    std::string intPart = fixed.substr(start, dot - start);
    std::string grouped;
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += intPart[i];
    }
    return fixed.substr(0, start) + grouped + fixed.substr(dot);
}

std::string FormatExponent(double Value, int Precision, int MinExpDigits)
{
    std::string s = Scientific(Value, std::max(0, Precision - 1));
    size_t e = s.find('E');
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    std::string digits = std::to_string(std::abs(exp));
    while (static_cast<int>(digits.size()) < MinExpDigits)
        digits.insert(digits.begin(), '0');
    return mant + "E" + (exp < 0 ? "-" : "+") + digits;
}

}  // namespace

std::string ReplaceFirstS(std::string Pattern, const std::string& Value)
{
    size_t p = Pattern.find("%s");
    if (p != std::string::npos)
        Pattern.replace(p, 2, Value);
    return Pattern;
}

std::string FormatGeneral(double Value, int Precision)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value > 0 ? "INF" : "-INF";
    if (Precision < 1)
        Precision = 1;
    if (Precision > 18)
        Precision = 18;
    if (Value == 0)
        return "0";
    // Round to the precision first: the exponent after rounding decides the notation.
    std::string sci = Scientific(Value, Precision - 1);
    int exp = std::atoi(sci.c_str() + sci.find('E') + 1);
    std::string s;
    if (exp >= Precision || exp < -4) {
        std::string mant = sci.substr(0, sci.find('E'));
        if (mant.find('.') != std::string::npos) {
            while (mant.back() == '0')
                mant.pop_back();
            if (mant.back() == '.')
                mant.pop_back();
        }
        s = mant + "E" + std::to_string(exp);
    } else {
        s = Fixed(Value, std::max(0, Precision - 1 - exp));
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0')
                s.pop_back();
            if (s.back() == '.')
                s.pop_back();
        }
        if (s == "-0")
            s = "0";
    }
    return WithSeparator(s);
}

std::string Format(std::string_view Fmt, std::span<const FormatArg> Args)
{
    std::string out;
    size_t argIndex = 0;
    size_t i = 0;
    auto nextInt = [&]() -> int64_t {
        if (argIndex >= Args.size())
            NoArgument(Fmt);
        const auto* v = std::get_if<int64_t>(&Args[argIndex++]);
        if (!v)
            Invalid(Fmt);
        return *v;
    };
    while (i < Fmt.size()) {
        char c = Fmt[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i < Fmt.size() && Fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] [width] ["." prec] type
        auto readNumber = [&](bool allowStar) -> int64_t {
            if (allowStar && i < Fmt.size() && Fmt[i] == '*') {
                ++i;
                return nextInt();
            }
            int64_t n = -1;
            while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9') {
                n = (n < 0 ? 0 : n) * 10 + (Fmt[i] - '0');
                if (n > 100000)
                    Invalid(Fmt);  // a width this large is a broken format, not a request
                ++i;
            }
            return n;
        };
        size_t save = i;
        int64_t first = readNumber(false);
        if (i < Fmt.size() && Fmt[i] == ':') {
            if (first < 0)
                first = 0;
            argIndex = static_cast<size_t>(first);
            ++i;
        } else {
            i = save;
        }
        bool left = false;
        if (i < Fmt.size() && Fmt[i] == '-') {
            left = true;
            ++i;
        }
        int64_t width = readNumber(true);
        int64_t prec = -1;
        if (i < Fmt.size() && Fmt[i] == '.') {
            ++i;
            prec = readNumber(true);
            if (prec < 0)
                prec = 0;
        }
        if (i >= Fmt.size())
            Invalid(Fmt);
        char type = static_cast<char>(std::tolower(static_cast<unsigned char>(Fmt[i++])));
        if (argIndex >= Args.size())
            NoArgument(Fmt);
        const FormatArg& arg = Args[argIndex++];
        std::string piece;
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            const auto* v = std::get_if<int64_t>(&arg);
            if (!v)
                Invalid(Fmt);
            int64_t n = *v;
            bool neg = false;
            std::string digits;
            if (type == 'x') {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%llX",
                              static_cast<unsigned long long>(static_cast<uint32_t>(n)));
                if (n > 0xFFFFFFFFLL || n < std::numeric_limits<int32_t>::min())
                    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(n));
                digits = buf;
            } else if (type == 'u') {
                digits = std::to_string(n < 0 ? static_cast<uint64_t>(static_cast<uint32_t>(n))
                                              : static_cast<uint64_t>(n));
            } else {
                neg = n < 0;
                digits =
                    neg ? std::to_string(-(n + 1) + static_cast<uint64_t>(1)) : std::to_string(n);
            }
            while (prec >= 0 && static_cast<int64_t>(digits.size()) < prec)
                digits.insert(digits.begin(), '0');
            piece = (neg ? "-" : "") + digits;
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            double v;
            if (const auto* d = std::get_if<double>(&arg))
                v = *d;
            else
                Invalid(Fmt);
            if (type == 'g') {
                piece = FormatGeneral(v, prec < 0 ? 15 : static_cast<int>(prec));
            } else if (type == 'e') {
                piece = WithSeparator(FormatExponent(v, prec < 0 ? 15 : static_cast<int>(prec), 3));
            } else {
                int digits = prec < 0 ? 2 : static_cast<int>(std::min<int64_t>(prec, 18));
                if (!std::isfinite(v) || std::fabs(v) >= 1e18) {
                    piece = FormatGeneral(v, 15);
                    break;
                }
                std::string s = Fixed(v, digits);
                if (type != 'f')
                    s = GroupThousands(s);
                piece = WithSeparator(s);
            }
            break;
        }
        case 's': {
            const auto* s = std::get_if<std::string>(&arg);
            if (!s)
                Invalid(Fmt);
            piece = *s;
            if (prec >= 0 && static_cast<int64_t>(piece.size()) > prec)
                piece.resize(static_cast<size_t>(prec));
            break;
        }
        case 'p': {
            const auto* v = std::get_if<int64_t>(&arg);
            if (!v)
                Invalid(Fmt);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%08llX", static_cast<unsigned long long>(*v));
            piece = buf;
            break;
        }
        default:
            Invalid(Fmt);
        }
        if (width > static_cast<int64_t>(piece.size())) {
            std::string pad(static_cast<size_t>(width) - piece.size(), ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

}  // namespace tavo::platform
