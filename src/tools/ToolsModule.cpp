#include "ToolsModule.h"

#include "DrawingHelpers.h"
#include "MessageBoxDialog.h"
#include "platform/StartupLog.h"

namespace tavo::tools {

void StartToolsModule()
{
    StartToolsCore();
    GlyphBitmap();  // the scratch bitmap
    UseDesktopMessages();
    platform::LogLifeEvent("tools started");
}

void StopToolsModule()
{
    StopToolsCore();
    FreeGlyphBitmap();
    platform::LogLifeEvent("tools stopped");
}

}  // namespace tavo::tools
