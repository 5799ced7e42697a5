#pragma once
// Error classes of the object stream library. Each derives from the framework class of its
// role, so callers can catch EStreamError or EListError without knowing this library.
#include <cstdint>
#include <string>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "strings/StringIds.h"

namespace tavo::objects {

// The version header of a file matches none of the accepted version texts.
class EFVersionError : public platform::EStreamError {
public:
    explicit EFVersionError(const std::string& FileName);
};

// Class-coded reads and writes and class registration.
class EObjectStream : public platform::EStreamError {
public:
    // Codes -1..-12 select their own message, formatted with Args; any other code gives
    // the "unknown error" message with the code.
    explicit EObjectStream(int32_t Code, const platform::FormatArgs& Args = {});
    int32_t Code() const noexcept { return FCode; }

private:
    int32_t FCode;
};

// Collection errors other than index, capacity and count (those are plain EListError).
class ECollectionError : public platform::EListError {
public:
    explicit ECollectionError(int32_t Code, const platform::FormatArgs& Args = {});
    int32_t Code() const noexcept { return FCode; }

private:
    int32_t FCode;
};

// Codes of EObjectStream.
constexpr int32_t osRegisterZero = -1;
constexpr int32_t osRegisterNil = -2;
constexpr int32_t osRegisterNotStreamable = -3;
constexpr int32_t osDuplicateCode = -4;
constexpr int32_t osReadNoClasses = -5;
constexpr int32_t osReadUnregistered = -6;
constexpr int32_t osReadInvalid = -7;
constexpr int32_t osWriteNoClasses = -8;
constexpr int32_t osWriteUnregistered = -9;
constexpr int32_t osWriteInvalid = -10;
constexpr int32_t osInvalidParentCode = -11;
constexpr int32_t osWrongClass = -12;

// Codes of ECollectionError.
constexpr int32_t coInsertNil = -1;
constexpr int32_t coStackOverflow = -2;
constexpr int32_t coStack = -3;

}  // namespace tavo::objects
