#pragma once
// Numbers of the browser component's strings (resources/strings/browser.str).
#include <cstdint>

namespace tavo::webengine {

constexpr int32_t SOpeningPage = 10700;  // "Opening page %s..."
constexpr int32_t SPageDone = 10701;     // "Done"
constexpr int32_t SPageFailed = 10702;   // "Cannot open page %s"
constexpr int32_t SSearchPage = 10703;   // the search page's address

}  // namespace tavo::webengine
