#include "ToolsModule.h"

#include "CheckResult.h"
#include "MessageBoxes.h"
#include "NumberToText.h"
#include "SettingsStore.h"
#include "platform/StartupLog.h"

namespace tavo::tools {

void StartToolsModule()
{
    DecimalSeparator = UserDecimalSeparator();
    CheckResult = std::make_unique<TCheckResult>();
    MessagesEnabled = true;
    platform::LogLifeEvent("tools started");
}

void StopToolsModule()
{
    CloseSettingsStores();
    CheckResult.reset();
    platform::LogLifeEvent("tools stopped");
}

}  // namespace tavo::tools
