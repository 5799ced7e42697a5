// Arbitrary text as the value of the catalogue tool's --type-of-level option: what parses
// is a level the tree shows and a type of the table (or none), and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "AuthorCommands.h"
#include "catalogue/DocTypes.h"
#include "catalogue/Toc.h"
#include "objects/ObjectStream.h"

using namespace tavo::catalogue;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    const auto Parsed = ParseLevelType(Text);
    if (!Parsed)
        return 0;
    const auto [Level, Type] = *Parsed;
    if (Level < 0 || Level > MaxTocLevel)
        std::abort();
    if (Type != tavo::objects::NullInt && !StandardDocTypes().Find(Type))
        std::abort();
    const std::string Again =
        std::to_string(Level) + "=" +
        (Type == tavo::objects::NullInt ? std::string("none") : std::to_string(Type));
    if (ParseLevelType(Again) != Parsed)
        std::abort();
    return 0;
}
