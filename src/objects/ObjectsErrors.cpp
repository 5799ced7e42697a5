#include "ObjectsErrors.h"

#include <span>

#include "platform/StringTable.h"

namespace tavo::objects {

namespace {

// The messages of codes -1, -2, ...
constexpr int32_t ObjectStreamMessages[] = {
    SRegisterZero,      SRegisterNil,      SRegisterNotStreamable, SDuplicateCode,
    SReadNoClasses,     SReadUnregistered, SReadInvalid,           SWriteNoClasses,
    SWriteUnregistered, SWriteInvalid,     SInvalidParentCode,     SWrongClass};
constexpr int32_t CollectionMessages[] = {SInsertNil, SStackOverflow, SStack};

// A code from -1 down to -(number of Messages) selects its message with the caller's values;
// anything else selects Unknown with the code itself.
std::string CodedMessage(int32_t Unknown, std::span<const int32_t> Messages, int32_t Code,
                         const platform::FormatArgs& Args)
{
    if (Code > -1 || Code < -static_cast<int32_t>(Messages.size()))
        return platform::Format(platform::LoadStr(Unknown), {int64_t{Code}});
    std::string Pattern = platform::LoadStr(Messages[static_cast<size_t>(-Code - 1)]);
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
    : EStreamError(CodedMessage(SObjectStreamError, ObjectStreamMessages, Code, Args)), FCode(Code)
{
}

ECollectionError::ECollectionError(int32_t Code, const platform::FormatArgs& Args)
    : EListError(CodedMessage(SCollectionError, CollectionMessages, Code, Args)), FCode(Code)
{
}

}  // namespace tavo::objects
