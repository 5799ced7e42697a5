// The form stream's text reader on arbitrary text (Windows-1250, as forms are read).
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    tavo::fuzz::EnsureApplication();
    std::string_view text(reinterpret_cast<const char*>(Data), Size);
    std::string binary;
    try {
        binary = tavo::tools::ObjectTextToBinary(text);
    } catch (const tavo::platform::Exception&) {
        return 0;
    }
    // What the text reader writes, the binary reader must take.
    std::string canonical = tavo::tools::ObjectBinaryToText(binary);
    if (tavo::tools::ObjectBinaryToText(tavo::tools::ObjectTextToBinary(canonical)) != canonical)
        std::abort();
    tavo::fuzz::CheckModuleForm(binary);
    return 0;
}
