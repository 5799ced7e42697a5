#pragma once
// Reading profile (.ini) files the way the Windows profile API does:
// - a file name without a folder is looked up in the Windows folder (Folders.h);
// - section and key names are compared without regard to letter case, surrounding
//   spaces ignored; the first matching section and key win;
// - the value loses its surrounding spaces and then one pair of matching quotes, so
//   PROGPATH="   " reads as three spaces;
// - lines starting with ';' are comments.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::platform {

// The value, or none when the file, the section or the key is missing.
std::optional<std::string> ReadProfileValue(std::string_view Text, std::string_view Section,
                                            std::string_view Key);

// The platform call: copies the value (or Default) into Buffer, cut to Size - 1
// characters and always zero-terminated when Size > 0; returns the characters copied.
uint32_t GetPrivateProfileString(const std::string& Section, const std::string& Key,
                                 const std::string& Default, char* Buffer, uint32_t Size,
                                 const std::string& FileName);

// Where a profile file name leads: the Windows folder unless it names a folder itself.
std::filesystem::path ProfileFilePath(const std::string& FileName);

// Largest profile file that is read; anything bigger reads as missing.
constexpr std::uintmax_t MaxProfileFileSize = 4u << 20;

}  // namespace tavo::platform
