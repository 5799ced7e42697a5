#pragma once

namespace tavo::tools {

// Start-up and shutdown of the utility module, in the program's module order: start
// reads the user's decimal separator and switches message boxes on; shutdown closes the
// settings stores (opened by the identity module) and frees the module's objects.
void StartToolsModule();
void StopToolsModule();

}  // namespace tavo::tools
