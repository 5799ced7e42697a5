#pragma once
// Numbers of the browser's own strings (resources/strings/browser.str).
#include <cstdint>

namespace tavo::browser {

constexpr int32_t SOpeningPage = 10700;    // "Opening page %s..."
constexpr int32_t SPageDone = 10701;       // "Done"
constexpr int32_t SPageFailed = 10702;     // "Cannot open page %s"
constexpr int32_t SSearchPage = 10703;     // the search page's address
constexpr int32_t SHelperMissing = 10704;  // "... helper program %s ..."
constexpr int32_t SRootSandbox = 10705;    // root with the sandbox on
constexpr int32_t SMakerWeb = 10596;       // the maker's web address (shell strings)

}  // namespace tavo::browser
