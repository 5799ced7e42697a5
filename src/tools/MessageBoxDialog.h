#pragma once
// Message boxes on the desktop: a QMessageBox owned by the active window, and the focus
// given back to the control that had it. Without a running QApplication the box goes to
// standard error, as in programs without windows.
#include "MessageBoxes.h"

namespace tavo::tools {

int PresentMessageBox(const TMessageBoxRequest& Request);
// Makes the above the presenter of every box that no test presenter takes (the utility
// module's start does it; test mains of widget tests too).
void UseDesktopMessages();

}  // namespace tavo::tools
