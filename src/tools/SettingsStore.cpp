#include "SettingsStore.h"

#include <array>

#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::tools {

using platform::HKEY;
using platform::TRegistry;

std::string AppKeyName;
std::string SharedKeyName;

namespace {

std::array<std::unique_ptr<TRegIniStore>, 4>& Stores()
{
    static std::array<std::unique_ptr<TRegIniStore>, 4> stores;
    return stores;
}

}  // namespace

TRegIniStore::TRegIniStore(HKEY Root, std::string KeyPath, bool Create)
    : FRoot(Root), FKeyPath(std::move(KeyPath))
{
    TRegistry reg(FRoot);
    FHasKey = reg.OpenKey("\\" + FKeyPath, Create);
}

void TRegIniStore::SwitchRoot(HKEY Root, bool Create)
{
    FRoot = Root;
    TRegistry reg(FRoot);
    FHasKey = reg.OpenKey("\\" + FKeyPath, Create);
}

std::string TRegIniStore::SectionPath(const std::string& Section) const
{
    // A section beginning with '\' is taken from the root, as the registry does.
    if (!Section.empty() && Section[0] == '\\')
        return Section;
    return "\\" + FKeyPath + (Section.empty() ? "" : "\\" + Section);
}

bool TRegIniStore::OpenSection(TRegistry& Reg, const std::string& Section, bool Create) const
{
    return FHasKey && Reg.OpenKey(SectionPath(Section), Create);
}

int32_t TRegIniStore::ReadInteger(const std::string& Section, const std::string& Name,
                                  int32_t Default) const
{
    TRegistry reg(FRoot);
    if (!OpenSection(reg, Section, false))
        return Default;
    auto value = reg.Value(Name);  // one look at the hive, not one per question
    if (!value)
        return Default;
    if (value->Type == platform::REG_SZ)
        return platform::StrToIntDef(value->Data, Default);
    return TRegistry::IntegerOf(*value, Name);
}

void TRegIniStore::WriteInteger(const std::string& Section, const std::string& Name, int32_t Value)
{
    TRegistry reg(FRoot);
    if (!OpenSection(reg, Section, true))
        throw platform::ERegistryException(
            platform::ReplaceFirstS(platform::LoadStr(SRegCreateFailed), Section));
    if (auto old = reg.Value(Name); old && old->Type == platform::REG_SZ)
        reg.WriteString(Name, std::to_string(Value));
    else
        reg.WriteInteger(Name, Value);
}

bool TRegIniStore::ReadBool(const std::string& Section, const std::string& Name, bool Default) const
{
    return ReadInteger(Section, Name, Default ? 1 : 0) != 0;
}

void TRegIniStore::WriteBool(const std::string& Section, const std::string& Name, bool Value)
{
    WriteString(Section, Name, Value ? "1" : "0");
}

std::string TRegIniStore::ReadString(const std::string& Section, const std::string& Name,
                                     const std::string& Default) const
{
    TRegistry reg(FRoot);
    if (!OpenSection(reg, Section, false) || !reg.ValueExists(Name))
        return Default;
    return reg.ReadString(Name);
}

void TRegIniStore::WriteString(const std::string& Section, const std::string& Name,
                               const std::string& Value)
{
    TRegistry reg(FRoot);
    if (!OpenSection(reg, Section, true))
        throw platform::ERegistryException(
            platform::ReplaceFirstS(platform::LoadStr(SRegCreateFailed), Section));
    reg.WriteString(Name, Value);
}

void OpenSettingsStores()
{
    std::string app = SettingsKeyPrefix + AppKeyName;
    Stores()[ssApplication] = std::make_unique<TRegIniStore>(HKEY::CurrentUser, app, true);
    Stores()[ssShared] =
        std::make_unique<TRegIniStore>(HKEY::CurrentUser, SettingsKeyPrefix + SharedKeyName, true);
    // The machine store starts per-user like the first one, then moves to the machine
    // hive; without the rights to create it there it simply has no key.
    auto machine = std::make_unique<TRegIniStore>(HKEY::CurrentUser, app, true);
    machine->SwitchRoot(HKEY::LocalMachine, true);
    Stores()[ssMachine] = std::move(machine);
    Stores()[ssNone].reset();
}

void CloseSettingsStores()
{
    for (auto& store : Stores())
        store.reset();
}

TRegIniStore* GetSettingsStore(int Store)
{
    if (Store < 0 || Store > ssNone)
        return nullptr;
    return Stores()[static_cast<size_t>(Store)].get();
}

uint8_t ReadSettingByte(const std::string& Section, const std::string& Name, int Store,
                        uint8_t Default)
{
    TRegIniStore* store = GetSettingsStore(Store);
    if (!store)
        return Default;
    int32_t v = store->ReadInteger(Section, Name, Default);
    return v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : Default;
}

void WriteSettingByte(uint8_t Value, const std::string& Section, const std::string& Name, int Store)
{
    try {
        if (TRegIniStore* store = GetSettingsStore(Store))
            store->WriteInteger(Section, Name, Value);
    } catch (const std::exception&) {
        // Settings are a convenience: a failed write must never disturb the user.
    }
}

bool ReadSettingBool(const std::string& Section, const std::string& Name, int Store, bool Default)
{
    TRegIniStore* store = GetSettingsStore(Store);
    return store ? store->ReadBool(Section, Name, Default) : Default;
}

void WriteSettingBool(bool Value, const std::string& Section, const std::string& Name, int Store)
{
    try {
        if (TRegIniStore* store = GetSettingsStore(Store))
            store->WriteBool(Section, Name, Value);
    } catch (const std::exception&) {
        // As WriteSettingByte.
    }
}

}  // namespace tavo::tools
