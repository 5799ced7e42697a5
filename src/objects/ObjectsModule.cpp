#include "ObjectsModule.h"

#include "FileVerInfo.h"
#include "SortedCollection.h"
#include "StreamRegistry.h"
#include "platform/StartupLog.h"

namespace tavo::objects {

void StartObjectsModule()
{
    HeaderFormat = 0;
    HeaderTexts = {};
    CreateDefaultVerInfo();
    CreateStreamRegistry();
    RegisterStreamClass<TObjectCollection>();
    RegisterStreamClass<TCompareObjectSortedCollection>();
    RegisterStreamClass<TCompareEventSortedCollection>();
    platform::LogLifeEvent("objects started");
}

void StopObjectsModule()
{
    FreeDefaultVerInfo();
    FreeStreamRegistry();
    HeaderFormat = 0;
    HeaderTexts = {};
    platform::LogLifeEvent("objects stopped");
}

}  // namespace tavo::objects
