#include "Convert.h"

namespace tavo::platform {

std::optional<int32_t> TryStrToInt(std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size() && Text[i] == ' ')
        ++i;
    bool neg = false;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-'))
        neg = Text[i++] == '-';
    int base = 10;
    if (i < Text.size() && Text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < Text.size() && Text[i] == '0' &&
               (Text[i + 1] == 'x' || Text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= Text.size())
        return std::nullopt;
    int64_t v = 0;
    for (; i < Text.size(); ++i) {
        char c = Text[i];
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : 99;
        if (d >= base)
            return std::nullopt;
        v = v * base + d;
        if (v > (base == 16 ? 0xFFFFFFFFLL : 2147483648LL))
            return std::nullopt;
    }
    if (base == 16 && !neg)
        return static_cast<int32_t>(static_cast<uint32_t>(v));  // "$FFFFFFFF" is -1
    if (neg)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(v);
}

}  // namespace tavo::platform
