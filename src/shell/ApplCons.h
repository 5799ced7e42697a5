#pragma once
// The application's identity: which strings title its message boxes and which registry
// keys hold its settings. Set once at start-up, read everywhere, never changed.
#include <cstdint>

namespace tavo::shell {

constexpr int32_t IdCaptionProgram = 500;
constexpr int32_t IdCaptionError = 501;
constexpr int32_t IdCaptionHelp = 502;
constexpr int32_t IdCaptionConfirm = 503;
constexpr int32_t IdCaptionWarning = 504;
constexpr int32_t IdCaptionVersion = 505;
constexpr const char* kAppKeyName = "TAVO_SETUP_1_0";
constexpr const char* kSharedKeyName = "SETUP_1_0";

// The identity module's start-up: the caption numbers, the key names, then the settings
// stores (which need both names), then the object-stream identity values.
void StartApplCons();
void StopApplCons();

}  // namespace tavo::shell
