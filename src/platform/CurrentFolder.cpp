#include "CurrentFolder.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "DiscPath.h"
#include "Errors.h"
#include "Format.h"
#include "FrameworkStrings.h"
#include "StringTable.h"

namespace tavo::platform {

void SetCurrentFolder(const std::string& Folder)
{
    std::string path = ResolvePath(Folder).string();
    if (Folder.empty() || ::chdir(path.c_str()) != 0) {
        int err = Folder.empty() ? ENOENT : errno;
        // The message names the folder as it was looked for here, not as stored.
        throw EInOutError(
            Format(LoadStr(SFolderError), {Folder.empty() ? Folder : path, std::strerror(err)}),
            err);
    }
}

}  // namespace tavo::platform
