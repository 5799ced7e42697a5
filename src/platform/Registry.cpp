#include "Registry.h"

#include "Errors.h"
#include "Folders.h"
#include "FrameworkStrings.h"
#include "StringTable.h"

namespace tavo::platform {

std::shared_ptr<RegistryHive> HiveOf(HKEY Root)
{
    // Paths are looked up on every call so that tests (and users) can move the hives
    // through the environment.
    if (Root == HKEY::LocalMachine)
        return std::make_shared<RegistryHive>(MachineHivePath(), "HKEY_LOCAL_MACHINE");
    return std::make_shared<RegistryHive>(UserHivePath(), "HKEY_CURRENT_USER");
}

TRegistry::TRegistry(HKEY Root) : FRoot(Root), FHive(HiveOf(Root)) {}

void TRegistry::SetRootKey(HKEY Root)
{
    CloseKey();
    FRoot = Root;
    FHive = HiveOf(Root);
}

std::string TRegistry::Absolute(const std::string& Key) const
{
    if (!Key.empty() && Key[0] == '\\')
        return Key.substr(1);
    if (!FOpen || FPath.empty())
        return Key;
    return Key.empty() ? FPath : FPath + "\\" + Key;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate)
{
    std::string path = Absolute(Key);
    bool exists = FHive->Load().KeyExists(path);
    if (!exists) {
        if (!CanCreate)
            return false;
        bool written = FHive->Modify([&](HiveData& d) {
            d.EnsureKey(path);
            return true;
        });
        if (!written)
            return false;
    }
    FOpen = true;
    FPath = HiveData::Fold(path).empty() ? std::string() : path;
    return true;
}

void TRegistry::CloseKey()
{
    FOpen = false;
    FPath.clear();
}

bool TRegistry::KeyExists(const std::string& Key) const
{
    return FHive->Load().KeyExists(Absolute(Key));
}

std::vector<std::string> TRegistry::GetKeyNames() const
{
    return FOpen ? FHive->Load().SubKeyNames(FPath) : std::vector<std::string>{};
}

std::vector<std::string> TRegistry::GetValueNames() const
{
    std::vector<std::string> names;
    if (!FOpen)
        return names;
    HiveData d = FHive->Load();
    if (const HiveKey* k = d.FindKey(FPath))
        for (const HiveValue& v : k->Values)
            names.push_back(v.Name);
    return names;
}

std::optional<HiveValue> TRegistry::Value(const std::string& Name) const
{
    if (!FOpen)
        return std::nullopt;
    HiveData d = FHive->Load();
    const HiveKey* k = d.FindKey(FPath);
    const HiveValue* v = k ? k->FindValue(Name) : nullptr;
    return v ? std::optional<HiveValue>(*v) : std::nullopt;
}

bool TRegistry::ValueExists(const std::string& Name) const
{
    return Value(Name).has_value();
}

TRegDataType TRegistry::GetDataType(const std::string& Name) const
{
    auto v = Value(Name);
    if (!v)
        return TRegDataType::rdUnknown;
    switch (v->Type) {
    case REG_SZ:
        return TRegDataType::rdString;
    case REG_EXPAND_SZ:
        return TRegDataType::rdExpandString;
    case REG_DWORD:
        return TRegDataType::rdInteger;
    case REG_BINARY:
        return TRegDataType::rdBinary;
    default:
        return TRegDataType::rdUnknown;
    }
}

namespace {

[[noreturn]] void InvalidType(const std::string& Name)
{
    throw ERegistryException(ReplaceFirstS(LoadStr(SInvalidRegType), Name));
}

}  // namespace

std::string TRegistry::ReadString(const std::string& Name) const
{
    auto v = Value(Name);
    if (!v)
        return {};
    if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ)
        InvalidType(Name);
    return v->Data;
}

int32_t TRegistry::IntegerOf(const HiveValue& Value, const std::string& Name)
{
    if (Value.Type != REG_DWORD || Value.Data.size() != 4)
        InvalidType(Name);
    const auto* b = reinterpret_cast<const unsigned char*>(Value.Data.data());
    return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}

int32_t TRegistry::ReadInteger(const std::string& Name) const
{
    auto v = Value(Name);
    if (!v)
        InvalidType(Name);
    return IntegerOf(*v, Name);
}

std::string TRegistry::ReadBinaryData(const std::string& Name) const
{
    auto v = Value(Name);
    if (!v || v->Type != REG_BINARY)
        InvalidType(Name);
    return v->Data;
}

void TRegistry::Write(const std::string& Name, uint32_t Type, std::string Data)
{
    bool ok = FOpen && FHive->Modify([&](HiveData& d) {
        HiveKey& k = d.EnsureKey(FPath);
        if (HiveValue* v = k.FindValue(Name)) {
            v->Type = Type;
            v->Data = std::move(Data);
        } else {
            k.Values.push_back(HiveValue{Name, Type, std::move(Data)});
        }
        return true;
    });
    if (!ok)
        throw ERegistryException(ReplaceFirstS(LoadStr(SRegSetDataFailed), Name));
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value)
{
    Write(Name, REG_SZ, Value);
}

void TRegistry::WriteInteger(const std::string& Name, int32_t Value)
{
    auto u = static_cast<uint32_t>(Value);
    Write(Name, REG_DWORD,
          std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                      static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)});
}

void TRegistry::WriteBinaryData(const std::string& Name, const std::string& Value)
{
    Write(Name, REG_BINARY, Value);
}

bool TRegistry::DeleteValue(const std::string& Name)
{
    bool deleted = false;
    bool ok = FOpen && FHive->Modify([&](HiveData& d) {
        HiveKey* k = d.FindKey(FPath);
        if (!k)
            return false;
        HiveValue* v = k->FindValue(Name);
        if (!v)
            return false;
        k->Values.erase(k->Values.begin() + (v - k->Values.data()));
        deleted = true;
        return true;
        return false;
    });
    return ok && deleted;
}

}  // namespace tavo::platform
