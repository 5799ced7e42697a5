#pragma once
// Numbers of the browser's own strings (resources/strings/browser.str).
#include <cstdint>

namespace tavo::browser {

// 10700-10703 are the browser component's (plugins/webengine).
constexpr int32_t SHelperMissing = 10704;  // "... helper program %s ..."
constexpr int32_t SRootSandbox = 10705;    // root with the sandbox on
constexpr int32_t SMakerWeb = 10596;       // the maker's web address (shell strings)

}  // namespace tavo::browser
