#pragma once

namespace tavo::tools {

// Start-up and shutdown of the utility module, in the program's module order: start
// reads the user's decimal separator, switches message boxes on and shows them on the
// desktop; shutdown closes the settings stores (opened by the identity module) and frees
// the module's objects.
void StartToolsModule();
void StopToolsModule();

// The same without the desktop, for programs without windows (message boxes go to standard
// error): the text, number and settings part alone.
void StartToolsCore();
void StopToolsCore();

}  // namespace tavo::tools
