#pragma once

namespace tavo::objects {

// Start-up and shutdown of the object stream library in the program's module order.
// Start clears the header settings, creates DefaultVerInfo and the class registry with the
// library's collection classes; stop frees them and clears the header settings again.
void StartObjectsModule();
void StopObjectsModule();

}  // namespace tavo::objects
