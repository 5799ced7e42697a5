#include "ApplCons.h"

#include "platform/StartupLog.h"
#include "tools/Tools.h"

namespace tavo::shell {

void StartApplCons()
{
    tools::CaptionProgramId = IdCaptionProgram;
    tools::CaptionErrorId = IdCaptionError;
    tools::CaptionHelpId = IdCaptionHelp;
    tools::CaptionConfirmId = IdCaptionConfirm;
    tools::CaptionWarningId = IdCaptionWarning;
    tools::CaptionVersionId = IdCaptionVersion;
    tools::AppKeyName = kAppKeyName;
    tools::SharedKeyName = kSharedKeyName;
    tools::OpenSettingsStores();
    platform::LogLifeEvent("settings stores opened");
    platform::LogLifeEvent("applcons started");
}

void StopApplCons()
{
    platform::LogLifeEvent("applcons stopped");
}

}  // namespace tavo::shell
