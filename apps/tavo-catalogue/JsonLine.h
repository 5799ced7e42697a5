#pragma once
// One line of JSON Lines: an object whose values are texts, whole numbers, true, false or
// null. Enough for the catalogue tool, strict about everything else.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo::catalogue {

struct TJsonValue {
    enum TKind { jvNull, jvBool, jvInteger, jvText };
    TKind Kind = jvNull;
    bool Bool = false;
    // jvInteger: the value; a number with a fraction, an exponent or outside 64 bits is
    // refused by the parser.
    int64_t Integer = 0;
    std::string Text;  // UTF-8
};

using TJsonObject = std::vector<std::pair<std::string, TJsonValue>>;

// Parses Line as one object; on failure none, with a short English reason in Error.
// Keys must be unique; nested objects and arrays are refused.
std::optional<TJsonObject> ParseJsonObject(std::string_view Line, std::string& Error);

// Text as a JSON string with quotes: '"', '\' and control characters (C1 included)
// escaped; other UTF-8 passes unchanged. Invalid UTF-8 bytes become U+FFFD.
std::string JsonText(std::string_view Utf8);

}  // namespace tavo::catalogue
