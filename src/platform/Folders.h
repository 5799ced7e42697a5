#pragma once
// Where this platform keeps what Windows keeps in fixed places.
//
//   Windows folder   $TAVO_WINDOWS_DIR, else ${XDG_DATA_HOME:-~/.local/share}/tavo/windows
//                    (profile files such as TAVHD3_2.ini live here)
//   user hive        ${XDG_CONFIG_HOME:-~/.config}/tavo/user.reg
//   machine hive     $TAVO_MACHINE_HIVE, else /var/lib/tavo/machine.reg: a system folder
//                    that a normal user cannot create, so the machine store has no key
//
// The demo installer on the sample disc follows the same rules.
#include <filesystem>

namespace tavo::platform {

std::filesystem::path HomeFolder();
std::filesystem::path WindowsFolder();
std::filesystem::path UserHivePath();
std::filesystem::path MachineHivePath();

// Folder of the running executable.
std::filesystem::path ExecutableFolder();

// The disc: the executable's folder when the program runs from a disc (or the build's
// sample disc); for an installed program in .../bin, the disc image kept in
// .../lib/tavo/disc.
std::filesystem::path DiscFolder();
std::filesystem::path DiscFolderOf(const std::filesystem::path& ProgramFolder);

// Where an installation keeps the components: .../lib/tavo/plugins beside .../bin.
std::filesystem::path InstalledPluginFolder();

}  // namespace tavo::platform
