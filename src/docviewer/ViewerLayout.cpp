#include "ViewerLayout.h"

#include "tools/SettingsStore.h"

namespace tavo::docviewer {

TViewerLayout TViewerLayout::Load()
{
    TViewerLayout d;
    TViewerLayout l;
    l.PercentX = tools::ReadSettingByte(Section, "PercentX", tools::ssShared, d.PercentX);
    l.PercentY = tools::ReadSettingByte(Section, "PercentY", tools::ssShared, d.PercentY);
    l.OrientV = tools::ReadSettingBool(Section, "OrientV", tools::ssShared, d.OrientV);
    l.AutoExpandTree =
        tools::ReadSettingBool(Section, "AutoExpandTree", tools::ssShared, d.AutoExpandTree);
    return l;
}

void TViewerLayout::Store() const
{
    tools::WriteSettingByte(PercentX, Section, "PercentX", tools::ssShared);
    tools::WriteSettingByte(PercentY, Section, "PercentY", tools::ssShared);
    tools::WriteSettingBool(OrientV, Section, "OrientV", tools::ssShared);
    tools::WriteSettingBool(AutoExpandTree, Section, "AutoExpandTree", tools::ssShared);
}

}  // namespace tavo::docviewer
