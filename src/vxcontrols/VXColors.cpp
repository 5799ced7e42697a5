#include "vxcontrols/VXControls.h"

namespace tavo::vxcontrols {

TColor ItemTextColor(bool Selected, bool Flat)
{
    return Selected && !Flat ? tools::clHighlightText : tools::clBtnText;
}

TColor ItemBackColor(bool Selected, bool)
{
    return Selected ? tools::clHighlight : tools::clWindow;
}

}  // namespace tavo::vxcontrols
