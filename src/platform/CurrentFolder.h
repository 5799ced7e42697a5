#pragma once
#include <string>

namespace tavo::platform {

// Changes the process's current folder; raises EInOutError (with the folder and the
// system's reason) when the folder cannot be entered. '\' counts as a separator and
// components are matched without regard to letter case when the exact one is absent.
void SetCurrentFolder(const std::string& Folder);

}  // namespace tavo::platform
