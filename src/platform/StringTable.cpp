#include "StringTable.h"

#include <algorithm>

#include "StringTableData.h"

namespace tavo::platform {

namespace {

const StringTableEntry* Find(int32_t Id)
{
    const StringTableEntry* end = kStringTable + kStringTableSize;
    const StringTableEntry* it = std::lower_bound(
        kStringTable, end, Id, [](const StringTableEntry& e, int32_t id) { return e.Id < id; });
    return it != end && it->Id == Id ? it : nullptr;
}

}  // namespace

std::string LoadStr(int32_t Id)
{
    const StringTableEntry* e = Find(Id);
    return e ? std::string(e->Text, e->Length) : std::string();
}

bool StringExists(int32_t Id)
{
    return Find(Id) != nullptr;
}

}  // namespace tavo::platform
