#pragma once
// Paths written on Windows ("setup\HD\setuphd.exe", "D:\Docs\A.pdf") resolved on a file
// system that tells letter case apart. A disc made on Windows may spell a folder "Setup"
// in one place and "setup" in another, so each component is matched without regard to
// case when the exact name is absent.
#include <filesystem>
#include <optional>
#include <string_view>

namespace tavo::platform {

// Splits Relative at '\' and '/' and resolves it below Base. Components that match
// nothing are kept as written, so the result still names what was looked for.
std::filesystem::path ResolveDiscPath(const std::filesystem::path& Base, std::string_view Relative);

// As above for a whole path: a leading separator starts at the root, anything else below
// the current folder.
std::filesystem::path ResolvePath(std::string_view Path);

// Letter-case-insensitive comparison of two UTF-8 file names (ASCII and the Latin
// letters of Western and Central European languages).
bool SameNameIgnoringCase(std::string_view A, std::string_view B);

// The number of bytes of Path that Folder covers when Path lies inside Folder (compared as
// above, '\' and '/' alike); none otherwise, and always for an empty Folder. Both UTF-8.
std::optional<size_t> FolderPrefix(std::string_view Path, std::string_view Folder);

}  // namespace tavo::platform
