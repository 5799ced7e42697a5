#include "CheckResult.h"
#include "MessageBoxes.h"
#include "NumberToText.h"
#include "SettingsStore.h"
#include "ToolsModule.h"

namespace tavo::tools {

void StartToolsCore()
{
    DecimalSeparator = UserDecimalSeparator();
    CheckResult = std::make_unique<TCheckResult>();
    MessagesEnabled = true;
}

void StopToolsCore()
{
    CloseSettingsStores();
    CheckResult.reset();
}

}  // namespace tavo::tools
