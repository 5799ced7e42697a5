#pragma once
// A record of the program's life events in order ("module objects started", "splash
// painted", ...). The start-up and shutdown order is part of the program's contract
// (settings must still be writable while windows are destroyed), so it is recorded
// where it happens and checked by the tests.
#include <string>
#include <string_view>
#include <vector>

namespace tavo::platform {

void LogLifeEvent(std::string_view Event);
std::vector<std::string> LifeEvents();
void ClearLifeEvents();

}  // namespace tavo::platform
