// Arbitrary bytes as a hive file: parsing never crashes, and what parses writes back to a
// text that parses to the same keys and values.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/RegistryHive.h"

using namespace tavo::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::string_view text(reinterpret_cast<const char*>(Data), Size);
    auto hive = ParseHive(text, "HKEY_CURRENT_USER");
    if (!hive)
        return 0;
    std::string written = SerializeHive(*hive, "HKEY_CURRENT_USER");
    auto again = ParseHive(written, "HKEY_CURRENT_USER");
    if (!again || again->Keys.size() != hive->Keys.size())
        std::abort();
    for (const auto& [folded, key] : hive->Keys) {
        const HiveKey* other = again->FindKey(key.Path);
        if (!other || other->Values.size() != key.Values.size())
            std::abort();
        for (size_t i = 0; i < key.Values.size(); ++i)
            if (other->Values[i].Type != key.Values[i].Type ||
                other->Values[i].Data != key.Values[i].Data)
                std::abort();
    }
    return 0;
}
