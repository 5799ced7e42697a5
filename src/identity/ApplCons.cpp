#include "ApplCons.h"

#include <memory>

#include "platform/StartupLog.h"
#include "tools/MessageBoxes.h"
#include "tools/SettingsStore.h"

namespace tavo::identity {

namespace {

std::unique_ptr<objects::TFileVerInfo>& CatalogueVerInfoSlot()
{
    static std::unique_ptr<objects::TFileVerInfo> info;
    return info;
}

}  // namespace

objects::TFileVerInfo* CatalogueVerInfo()
{
    return CatalogueVerInfoSlot().get();
}

void StartApplCons(TSettingsStores Stores)
{
    tools::CaptionProgramId = IdCaptionProgram;
    tools::CaptionErrorId = IdCaptionError;
    tools::CaptionHelpId = IdCaptionHelp;
    tools::CaptionConfirmId = IdCaptionConfirm;
    tools::CaptionWarningId = IdCaptionWarning;
    tools::CaptionVersionId = IdCaptionVersion;
    tools::AppKeyName = kAppKeyName;
    tools::SharedKeyName = kSharedKeyName;
    if (Stores == TSettingsStores::Open) {
        tools::OpenSettingsStores();
        platform::LogLifeEvent("settings stores opened");
    }
    objects::SetHeaderSettings(kHeaderFormat, kHeaderTexts);
    CatalogueVerInfoSlot() = std::make_unique<objects::TFileVerInfo>(true, kCatalogueVersion);
    platform::LogLifeEvent("applcons started");
}

void StopApplCons()
{
    CatalogueVerInfoSlot().reset();
    platform::LogLifeEvent("applcons stopped");
}

}  // namespace tavo::identity
