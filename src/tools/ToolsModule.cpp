#include "ToolsModule.h"

#include "CheckResult.h"
#include "DrawingHelpers.h"
#include "MessageBoxes.h"
#include "NumberToText.h"
#include "SettingsStore.h"
#include "platform/StartupLog.h"

namespace tavo::tools {

void StartToolsModule()
{
    DecimalSeparator = UserDecimalSeparator();
    CheckResult = std::make_unique<TCheckResult>();
    GlyphBitmap();  // the scratch bitmap
    MessagesEnabled = true;
    platform::LogLifeEvent("tools started");
}

void StopToolsModule()
{
    CloseSettingsStores();
    CheckResult.reset();
    FreeGlyphBitmap();
    platform::LogLifeEvent("tools stopped");
}

}  // namespace tavo::tools
