#pragma once
// The utility library: message boxes by string number, the settings store, text and
// number parsing, check results and drawing helpers.
#include "tools/CheckResult.h"
#include "tools/Colors.h"
#include "tools/ControlHelp.h"
#include "tools/DrawingHelpers.h"
#include "tools/ExpressionParser.h"
#include "tools/FormStream.h"
#include "tools/FormStreamText.h"
#include "tools/ImageList.h"
#include "tools/MessageBoxes.h"
#include "tools/NullValues.h"
#include "tools/NumberToText.h"
#include "tools/ParamsObject.h"
#include "tools/SettingsStore.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"
#include "tools/ToolsModule.h"
