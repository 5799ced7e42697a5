#include "StringTable.h"

#include <algorithm>
#include <atomic>

#include "StringTableData.h"
#include "StringTranslator.h"

namespace tavo::platform {

namespace {

std::atomic<TStringTranslator> Translator{nullptr};

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
    if (!e)
        return std::string();
    std::string source(e->Text, e->Length);
    TStringTranslator translate = Translator.load(std::memory_order_acquire);
    if (!translate || source.empty())
        return source;
    return translate(Id, source);
}

bool StringExists(int32_t Id)
{
    return Find(Id) != nullptr;
}

void SetStringTranslator(TStringTranslator Translate)
{
    Translator.store(Translate, std::memory_order_release);
}

}  // namespace tavo::platform
