// Arbitrary bytes as a profile file, read for a few section and key names.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::string_view text(reinterpret_cast<const char*>(Data), Size);
    for (auto [section, key] :
         {std::pair{"STARTUP", "PROGPATH"}, std::pair{"", ""}, std::pair{"a", "b"}}) {
        auto value = tavo::platform::ReadProfileValue(text, section, key);
        if (value && value->size() > Size)
            std::abort();
    }
    return 0;
}
