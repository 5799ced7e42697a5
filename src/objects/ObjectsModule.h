#pragma once

namespace tavo::objects {

// Start-up and shutdown of the object stream library in the program's module order.
void StartObjectsModule();
void StopObjectsModule();

}  // namespace tavo::objects
