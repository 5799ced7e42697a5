#include "StartupLog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tavo::platform {

namespace {

std::vector<std::string>& Events()
{
    static std::vector<std::string> events;
    return events;
}

// Set TAVO_LIFE_LOG to see the events with the milliseconds since the first one on
// standard error: where start-up spends its time.
const bool PrintEvents = std::getenv("TAVO_LIFE_LOG") != nullptr;
const auto Start = std::chrono::steady_clock::now();

}  // namespace

void LogLifeEvent(std::string_view Event)
{
    // Bounded: the log is for the start and the end of the program, not a trace.
    if (Events().size() < 1000)
        Events().emplace_back(Event);
    if (PrintEvents) {
        const std::chrono::duration<double, std::milli> since =
            std::chrono::steady_clock::now() - Start;
        std::fprintf(stderr, "tavo: %8.1f ms  %.*s\n", since.count(),
                     static_cast<int>(Event.size()), Event.data());
    }
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
