#include "ToolsModule.h"

#include "MessageBoxes.h"
#include "SettingsStore.h"
#include "platform/StartupLog.h"

namespace tavo::tools {

void StartToolsModule()
{
    MessagesEnabled = true;
    platform::LogLifeEvent("tools started");
}

void StopToolsModule()
{
    CloseSettingsStores();
    platform::LogLifeEvent("tools stopped");
}

}  // namespace tavo::tools
