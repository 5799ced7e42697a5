// The form stream's binary reader on arbitrary bytes: as a whole form, as a form of a
// module with a lookup, and as a lookup's Items value.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    tavo::fuzz::EnsureApplication();
    std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    tavo::fuzz::CheckBinaryForm(bytes);
    tavo::fuzz::CheckModuleForm(bytes);
    tavo::fuzz::CheckItems(bytes);
    return 0;
}
