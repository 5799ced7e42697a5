#pragma once
// The application's identity: which strings title its message boxes and which registry
// keys hold its settings. Set once at start-up, read everywhere, never changed. The shell,
// the catalogue tool and the tests share these values through this small library.
#include <array>
#include <cstdint>
#include <string>

#include "objects/FileVerInfo.h"
#include "strings/StringIds.h"

namespace tavo::identity {

constexpr const char* kAppKeyName = "TAVO_SETUP_1_0";
constexpr const char* kSharedKeyName = "SETUP_1_0";

// The header settings of the stream files this program writes: the shared settings key,
// the program's language, the data's language, the brand, the Windows versions; each
// exactly 15 characters.
constexpr uint16_t kHeaderFormat = 1;
inline const std::array<std::string, 5> kHeaderTexts = {
    "SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ", "TAVO           ", ">=95           "};
// The documentation catalogue's version text.
constexpr const char* kCatalogueVersion = "KALPDFV_1.00";

// The documentation catalogue's version descriptor: long form, current version
// "KALPDFV_1.00", no older ones. Exists while the identity module is started.
objects::TFileVerInfo* CatalogueVerInfo();

// Tools that never touch the user's settings (the catalogue tool) start without the stores.
enum class TSettingsStores { Open, Skip };

// The identity module's start-up: the caption numbers, the key names, then the settings
// stores (which need both names), then the header settings, last CatalogueVerInfo. The
// object stream and utility modules must have started.
void StartApplCons(TSettingsStores Stores = TSettingsStores::Open);
void StopApplCons();

}  // namespace tavo::identity
