#include "ObjectsModule.h"

#include "platform/StartupLog.h"

namespace tavo::objects {

void StartObjectsModule()
{
    platform::LogLifeEvent("objects started");
}

void StopObjectsModule()
{
    platform::LogLifeEvent("objects stopped");
}

}  // namespace tavo::objects
