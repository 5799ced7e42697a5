#pragma once
// The utility library: message boxes by string number, the settings store, text and
// number parsing, check results and drawing helpers.
#include "tools/MessageBoxes.h"
#include "tools/SettingsStore.h"
#include "tools/ToolsModule.h"
