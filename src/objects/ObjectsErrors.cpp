#include "ObjectsErrors.h"

#include "platform/StringTable.h"

namespace tavo::objects {

namespace {

// A code within [Lowest, -1] selects Base + |Code| with the caller's values; anything
// else selects Base with the code itself.
std::string CodedMessage(int32_t Base, int32_t Lowest, int32_t Code,
                         const platform::FormatArgs& Args)
{
    if (Code < Lowest || Code > -1)
        return platform::Format(platform::LoadStr(Base), {int64_t{Code}});
    std::string Pattern = platform::LoadStr(Base - Code);
    try {
        return platform::Format(Pattern, Args);
    } catch (const platform::EConvertError&) {
        // Too few values for the message: a caller's slip must not hide the error itself.
        return Pattern;
    }
}

}  // namespace

EFVersionError::EFVersionError(const std::string& FileName)
    : EStreamError(platform::Format(platform::LoadStr(SFileVersionError), {FileName}))
{
}

EObjectStream::EObjectStream(int32_t Code, const platform::FormatArgs& Args)
    : EStreamError(CodedMessage(SObjectStreamError, -12, Code, Args)), FCode(Code)
{
}

ECollectionError::ECollectionError(int32_t Code, const platform::FormatArgs& Args)
    : EListError(CodedMessage(SCollectionError, -3, Code, Args)), FCode(Code)
{
}

}  // namespace tavo::objects
