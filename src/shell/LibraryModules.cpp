#include "LibraryModules.h"

#include <QCoreApplication>
#include <cstdlib>
#include <unistd.h>

#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
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
}

}  // namespace tavo::shell
