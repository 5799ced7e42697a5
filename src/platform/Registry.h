#pragma once
// The registry as the libraries use it: a root (per-user or machine hive), one open key at
// a time, typed values. Every call reads the hive file as it is now.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RegistryHive.h"

namespace tavo::platform {

enum class HKEY { CurrentUser, LocalMachine };
enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The hive behind a root key (files from Folders.h).
std::shared_ptr<RegistryHive> HiveOf(HKEY Root);

class TRegistry {
public:
    explicit TRegistry(HKEY Root = HKEY::CurrentUser);

    HKEY RootKey() const { return FRoot; }
    // Closes the open key, as switching roots does on Windows.
    void SetRootKey(HKEY Root);

    // Key is below the open key, or below the root when it begins with '\' or no key is
    // open. With CanCreate the key is made when missing. False when the key is missing
    // (and may not be made) or the hive cannot be written.
    bool OpenKey(const std::string& Key, bool CanCreate);
    void CloseKey();
    bool HasCurrentKey() const { return FOpen; }
    const std::string& CurrentPath() const { return FPath; }

    bool KeyExists(const std::string& Key) const;
    std::vector<std::string> GetKeyNames() const;
    std::vector<std::string> GetValueNames() const;

    bool ValueExists(const std::string& Name) const;
    TRegDataType GetDataType(const std::string& Name) const;
    // Reads raise ERegistryException "Invalid data type for '%s'" when the value holds
    // another type; a missing text reads as "".
    std::string ReadString(const std::string& Name) const;
    int32_t ReadInteger(const std::string& Name) const;
    std::string ReadBinaryData(const std::string& Name) const;
    // Writes raise ERegistryException when the hive cannot be written or no key is open.
    void WriteString(const std::string& Name, const std::string& Value);
    void WriteInteger(const std::string& Name, int32_t Value);
    void WriteBinaryData(const std::string& Name, const std::string& Value);
    bool DeleteValue(const std::string& Name);

    // The value with its type, read in one look at the hive; none when it is missing.
    std::optional<HiveValue> Value(const std::string& Name) const;
    // A value's 32-bit integer, raising "Invalid data type for '%s'" for other types.
    static int32_t IntegerOf(const HiveValue& Value, const std::string& Name);

private:
    std::string Absolute(const std::string& Key) const;
    void Write(const std::string& Name, uint32_t Type, std::string Data);

    HKEY FRoot;
    std::shared_ptr<RegistryHive> FHive;
    bool FOpen = false;
    std::string FPath;
};

}  // namespace tavo::platform
