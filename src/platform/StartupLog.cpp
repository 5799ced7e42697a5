#include "StartupLog.h"

namespace tavo::platform {

namespace {

std::vector<std::string>& Events()
{
    static std::vector<std::string> events;
    return events;
}

}  // namespace

void LogLifeEvent(std::string_view Event)
{
    // Bounded: the log is for the start and the end of the program, not a trace.
    if (Events().size() < 1000)
        Events().emplace_back(Event);
}

std::vector<std::string> LifeEvents()
{
    return Events();
}

void ClearLifeEvents()
{
    Events().clear();
}

}  // namespace tavo::platform
