// Arbitrary text as one line of the catalogue tool's JSON source; what parses must write
// back as JSON that parses to the same values.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "JsonLine.h"

using namespace tavo::catalogue;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Line(reinterpret_cast<const char*>(Data), Size);
    std::string Error;
    std::optional<TJsonObject> Object = ParseJsonObject(Line, Error);
    if (!Object) {
        if (Error.empty())
            std::abort();
        return 0;
    }
    std::string Again = "{";
    for (const auto& [Key, Value] : *Object) {
        Again += (Again.size() > 1 ? "," : "") + JsonText(Key) + ":";
        switch (Value.Kind) {
        case TJsonValue::jvNull:
            Again += "null";
            break;
        case TJsonValue::jvBool:
            Again += Value.Bool ? "true" : "false";
            break;
        case TJsonValue::jvInteger:
            Again += std::to_string(Value.Integer);
            break;
        case TJsonValue::jvText:
            Again += JsonText(Value.Text);
            break;
        }
    }
    Again += "}";
    std::optional<TJsonObject> Back = ParseJsonObject(Again, Error);
    if (!Back || Back->size() != Object->size())
        std::abort();
    for (size_t I = 0; I < Back->size(); ++I) {
        const TJsonValue& A = (*Object)[I].second;
        const TJsonValue& B = (*Back)[I].second;
        if ((*Object)[I].first != (*Back)[I].first || A.Kind != B.Kind || A.Bool != B.Bool ||
            A.Integer != B.Integer || A.Text != B.Text)
            std::abort();
    }
    return 0;
}
