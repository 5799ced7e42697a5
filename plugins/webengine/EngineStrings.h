#pragma once
// Numbers of the browser component's strings (resources/strings/browser.str).
#include <cstdint>

namespace tavo::webengine {

constexpr int32_t SOpeningPage = 10700;  // "Opening page %s..."
constexpr int32_t SPageDone = 10701;     // "Done"
constexpr int32_t SPageFailed = 10702;   // "Cannot open page %s"
constexpr int32_t SSearchPage = 10703;   // the search page's address
constexpr int32_t SPopupRefused = 10706;
constexpr int32_t SNoHandler = 10707;
constexpr int32_t SOpeningOutside = 10708;
constexpr int32_t SPermissionRefused = 10709;  // "%s asked to use %s; refused."
constexpr int32_t SFeatureCamera = 10710;      // ... to 10717, the features' names
constexpr int32_t SCertificateDate = 10718;
constexpr int32_t SCertificateAuthority = 10719;
constexpr int32_t SCertificateHost = 10720;
constexpr int32_t SCertificateOther = 10721;
constexpr int32_t SCertificateTitle = 10722;
constexpr int32_t SCertificateNothing = 10723;
constexpr int32_t SCertificatePart = 10724;
constexpr int32_t SFullScreenEscape = 10725;
constexpr int32_t SDiskFull = 10726;
constexpr int32_t SCannotWrite = 10727;
constexpr int32_t SConnectionDropped = 10728;
constexpr int32_t SNetworkFailed = 10729;
constexpr int32_t SServerRefused = 10730;
constexpr int32_t SPrinted = 10731;
constexpr int32_t SPrintFailed = 10732;

}  // namespace tavo::webengine
