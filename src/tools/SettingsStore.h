#pragma once
// The program's persistent settings: registry keys named after the maker and the program,
// addressed like a profile file (section = subkey, name = value). Reads fall back to a
// default; writes reach the registry at once and never disturb the caller.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"

namespace tavo::tools {

enum TSettingsStore : uint8_t { ssMachine = 0, ssShared = 1, ssApplication = 2, ssNone = 3 };

// Key names below "Software\TerVik\"; the identity module sets them before the stores open.
extern std::string AppKeyName;
extern std::string SharedKeyName;
inline constexpr const char* SettingsKeyPrefix = "Software\\TerVik\\";

// A profile-style view of one registry key. Every operation opens the section below the
// key, works in it and lets it go; the store keeps only its own key.
class TRegIniStore {
public:
    TRegIniStore(platform::HKEY Root, std::string KeyPath, bool Create);

    // Reopens the same path under another root, as the machine store is opened.
    void SwitchRoot(platform::HKEY Root, bool Create);

    bool HasKey() const { return FHasKey; }
    platform::HKEY Root() const { return FRoot; }
    const std::string& KeyPath() const { return FKeyPath; }

    // A text value is read as a decimal number (Default when it is not one); any other
    // value as a 32-bit integer, raising "Invalid data type for '%s'" for other types.
    int32_t ReadInteger(const std::string& Section, const std::string& Name, int32_t Default) const;
    // Into an existing text value as decimal text, otherwise as a 32-bit integer.
    // Raises ERegistryException when the store cannot be written.
    void WriteInteger(const std::string& Section, const std::string& Name, int32_t Value);
    bool ReadBool(const std::string& Section, const std::string& Name, bool Default) const;
    void WriteBool(const std::string& Section, const std::string& Name, bool Value);
    std::string ReadString(const std::string& Section, const std::string& Name,
                           const std::string& Default) const;
    void WriteString(const std::string& Section, const std::string& Name, const std::string& Value);

private:
    std::string SectionPath(const std::string& Section) const;
    bool OpenSection(platform::TRegistry& Reg, const std::string& Section, bool Create) const;

    platform::HKEY FRoot;
    std::string FKeyPath;
    bool FHasKey = false;
};

// Opens the application, shared and machine stores (in that order); ssNone stays empty.
void OpenSettingsStores();
// Closes and frees them; the utility module does this after every window is gone.
void CloseSettingsStores();
// The store, or none for ssNone, for values above 3, and before the stores are opened.
TRegIniStore* GetSettingsStore(int Store);

uint8_t ReadSettingByte(const std::string& Section, const std::string& Name, int Store,
                        uint8_t Default);
void WriteSettingByte(uint8_t Value, const std::string& Section, const std::string& Name,
                      int Store);
bool ReadSettingBool(const std::string& Section, const std::string& Name, int Store, bool Default);
void WriteSettingBool(bool Value, const std::string& Section, const std::string& Name, int Store);

}  // namespace tavo::tools
