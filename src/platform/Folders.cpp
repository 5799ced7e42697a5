#include "Folders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "DiscPath.h"

namespace tavo::platform {

namespace fs = std::filesystem;

namespace {

const char* NonEmptyEnv(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v ? v : nullptr;
}

}  // namespace

fs::path HomeFolder()
{
    if (const char* home = NonEmptyEnv("HOME"))
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

fs::path WindowsFolder()
{
    if (const char* dir = NonEmptyEnv("TAVO_WINDOWS_DIR"))
        return dir;
    if (const char* data = NonEmptyEnv("XDG_DATA_HOME"))
        return fs::path(data) / "tavo" / "windows";
    return HomeFolder() / ".local" / "share" / "tavo" / "windows";
}

fs::path UserHivePath()
{
    if (const char* config = NonEmptyEnv("XDG_CONFIG_HOME"))
        return fs::path(config) / "tavo" / "user.reg";
    return HomeFolder() / ".config" / "tavo" / "user.reg";
}

fs::path MachineHivePath()
{
    if (const char* hive = NonEmptyEnv("TAVO_MACHINE_HIVE"))
        return hive;
    return "/var/lib/tavo/machine.reg";
}

fs::path ExecutableFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path DiscFolderOf(const fs::path& ProgramFolder)
{
    std::error_code ec;
    // Started from a disc: everything is beside the program. Installed: the program lies in
    // bin/ and the disc's contents (installers and programs among them) in lib/tavo/disc,
    // found relative to it.
    const fs::path installed = ProgramFolder.parent_path() / "lib" / "tavo" / "disc";
    if (ProgramFolder.filename() == "bin" &&
        !fs::exists(ResolveDiscPath(ProgramFolder, "setup"), ec) && fs::is_directory(installed, ec))
        return installed;
    return ProgramFolder;
}

fs::path DiscFolder()
{
    return DiscFolderOf(ExecutableFolder());
}

fs::path InstalledPluginFolder()
{
    return ExecutableFolder().parent_path() / "lib" / "tavo" / "plugins";
}

}  // namespace tavo::platform
