#pragma once
// The framework's own messages: their names (strings/StringIds.h) and a helper for them.
#include <cstdint>
#include <string>

#include "strings/StringIds.h"

namespace tavo::platform {

// Pattern with its first "%s" replaced by Value, without interpreting anything else: for
// framework messages whose argument may itself hold '%'.
std::string ReplaceFirstS(std::string Pattern, const std::string& Value);

}  // namespace tavo::platform
