#pragma once
// Numbers of the framework's own messages in the string table.
#include <cstdint>
#include <string>

namespace tavo::platform {

constexpr int32_t SFOpenError = 65400;         // "Cannot open file %s"
constexpr int32_t SFCreateError = 65401;       // "Cannot create file %s"
constexpr int32_t SListIndexError = 65402;     // "List index out of bounds (%d)"
constexpr int32_t SListCapacityError = 65403;  // "List capacity out of bounds (%d)"
constexpr int32_t SListCountError = 65404;     // "List count out of bounds (%d)"
constexpr int32_t SAbstractError = 65405;      // "Abstract Error"
constexpr int32_t SInvalidRegType = 65406;     // "Invalid data type for '%s'"
constexpr int32_t SFormatInvalid = 65407;     // "Format '%s' invalid or incompatible with argument"
constexpr int32_t SNoArgument = 65408;        // "No argument for format '%s'"
constexpr int32_t SReadError = 65409;         // "Stream read error"
constexpr int32_t SWriteError = 65410;        // "Stream write error"
constexpr int32_t SInvalidInteger = 65411;    // "'%s' is not a valid integer value"
constexpr int32_t SFolderError = 65412;       // "Cannot enter the folder %s: %s"
constexpr int32_t SRegCreateFailed = 65413;   // "Failed to create key %s"
constexpr int32_t SRegSetDataFailed = 65414;  // "Failed to set data for '%s'"
constexpr int32_t SClassNotRegistered = 65415;  // "Class not registered"
constexpr int32_t SNoInterface = 65390;         // "No such interface supported"
constexpr int32_t SUnspecifiedError = 65391;    // "Unspecified error"
constexpr int32_t STypeMismatch = 65392;        // "Type mismatch"
constexpr int32_t SMemberNotFound = 65393;      // "Member not found"
constexpr int32_t SBadParamCount = 65394;       // "Invalid number of parameters"

// Pattern with its first "%s" replaced by Value, without interpreting anything else: for
// framework messages whose argument may itself hold '%'.
std::string ReplaceFirstS(std::string Pattern, const std::string& Value);

}  // namespace tavo::platform
