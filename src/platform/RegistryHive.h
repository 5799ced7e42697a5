#pragma once
// One registry hive kept as a registry-export text file:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\TerVik\SETUP_1_0\F_DocPDFViewer]
//   "PercentX"=dword:00000028
//   "OrientV"="1"
//   "Raw"=hex:01,02,03
//
// REG_SZ and REG_DWORD stay apart; any other type is kept as hex(N). Key and value names
// are compared without regard to ASCII letter case, as Windows does.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::platform {

constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

struct HiveValue {
    std::string Name;  // "" is the key's default value
    uint32_t Type = REG_SZ;
    std::string Data;  // REG_SZ: the text's bytes without terminator; REG_DWORD: 4 bytes LE
};

struct HiveKey {
    std::string Path;  // below the root, '\'-separated, as first written
    std::vector<HiveValue> Values;

    const HiveValue* FindValue(std::string_view Name) const;
    HiveValue* FindValue(std::string_view Name);
};

struct HiveData {
    std::map<std::string, HiveKey> Keys;  // by folded path

    static std::string Fold(std::string_view Path);
    const HiveKey* FindKey(std::string_view Path) const;
    HiveKey* FindKey(std::string_view Path);
    // A key exists when it was written or when a key below it was.
    bool KeyExists(std::string_view Path) const;
    HiveKey& EnsureKey(std::string_view Path);
    std::vector<std::string> SubKeyNames(std::string_view Path) const;
};

// Text form of a hive. RootName is written before every key ("HKEY_CURRENT_USER").
// Names and texts are Windows-1250 in memory and UTF-8 in the file.
std::optional<HiveData> ParseHive(std::string_view Text, std::string_view RootName);
std::string SerializeHive(const HiveData& Data, std::string_view RootName);

// A hive file. Every read loads the file as it is now; every change is made under an
// exclusive lock, written to a temporary file and renamed over the old one. A file that
// cannot be parsed is read as empty and, before the first change, moved aside under a new
// name (reported on standard error), never overwritten.
class RegistryHive {
public:
    RegistryHive(std::filesystem::path File, std::string RootName);

    const std::filesystem::path& File() const { return FFile; }
    const std::string& RootName() const { return FRootName; }

    HiveData Load() const;
    // Applies Change to the current contents and stores the result when Change returns
    // true. False when the file's folder or the file cannot be written.
    bool Modify(const std::function<bool(HiveData&)>& Change) const;

    // Largest hive file that is read at all; a bigger one counts as unreadable.
    static constexpr std::uintmax_t MaxFileSize = 16u << 20;

private:
    enum class LoadState { Missing, Ok, Unreadable };
    LoadState LoadInto(HiveData& Data) const;

    std::filesystem::path FFile;
    std::string FRootName;
};

}  // namespace tavo::platform
