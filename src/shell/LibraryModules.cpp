#include "LibraryModules.h"

#include <QCoreApplication>
#include <cstdlib>
#include <unistd.h>

#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
#include "platform/PageMapping.h"
#include "tools/Tools.h"

namespace tavo::shell {

LibraryModules::LibraryModules()
{
    objects::StartObjectsModule();
    tools::StartToolsModule();
    identity::StartApplCons();
    docviewer::StartViewerModule();
}

LibraryModules::~LibraryModules()
{
    // The reader controls go before the settings stores and, in the program, are already
    // gone with the application object.
    docviewer::StopViewerModule();
    identity::StopApplCons();
    tools::StopToolsModule();
    objects::StopObjectsModule();
}

void PrepareProcess()
{
    // The web engine refuses to run as root with its sandbox and takes the whole process
    // down; it reads this before the application object exists.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    // Until the main window shows, the program touches about a thousand pages it has not
    // touched before: Qt's code, and 2-3 MiB of new heap. Mapped up front in two calls,
    // they cost a fraction of the faults they would take one by one.
    platform::MapLoadedCode({"libQt6"});
    platform::ReserveHeap(4 << 20);
}

}  // namespace tavo::shell
