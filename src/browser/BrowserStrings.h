#pragma once
// Numbers of the browser's own strings (resources/strings/browser.str).
#include <cstdint>

namespace tavo::browser {

// 10700-10703 and 10706-10732 are the browser component's (plugins/webengine).
constexpr int32_t SHelperMissing = 10704;  // "... helper program %s ..."
constexpr int32_t SRootSandbox = 10705;    // root with the sandbox on
constexpr int32_t SMakerWeb = 10596;       // the maker's web address (shell strings)
constexpr int32_t SDownloadProgress = 10740;
constexpr int32_t SDownloadProgressUnknown = 10741;
constexpr int32_t SDownloadDone = 10742;
constexpr int32_t SDownloadExists = 10743;
constexpr int32_t SDownloadCancelled = 10744;
constexpr int32_t SDownloadFailed = 10745;
constexpr int32_t SFolderNotWritable = 10746;
constexpr int32_t SDownloadSaved = 10747;
constexpr int32_t SZoomShown = 10748;    // "Zoom %d %%"
constexpr int32_t SFindCount = 10749;    // "%d of %d"
constexpr int32_t SFindNothing = 10750;  // no match

}  // namespace tavo::browser
