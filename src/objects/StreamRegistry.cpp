#include "StreamRegistry.h"

#include <memory>

#include "ObjectsErrors.h"

namespace tavo::objects {

namespace {

std::unique_ptr<TStreamRecordsColl> GRegistry;
// The key of every lookup, kept so a lookup allocates nothing.
std::unique_ptr<TStreamRec> GSearchKey;
// The record found last: loading a collection looks the same code up once per item.
const TStreamRec* GLastFound = nullptr;

// Keys are the records themselves, passed as their TStreamableObject base.
const TStreamRec* AsRec(TItemKey Key)
{
    return static_cast<const TStreamRec*>(static_cast<const TStreamableObject*>(Key));
}

const TStreamRec* FindRec(int32_t Code)
{
    if (!GRegistry)
        return nullptr;
    if (GLastFound && GLastFound->Code() == Code)
        return GLastFound;
    GSearchKey->SetCode(Code);
    int32_t Index = 0;
    if (!GRegistry->Search(static_cast<const TStreamableObject*>(GSearchKey.get()), Index))
        return nullptr;
    GLastFound = static_cast<const TStreamRec*>(GRegistry->ItemAt(Index));
    return GLastFound;
}

}  // namespace

int32_t TStreamRecordsColl::Compare(TItemKey Key1, TItemKey Key2) const
{
    uint32_t Code1 = static_cast<uint32_t>(AsRec(Key1)->Code());
    uint32_t Code2 = static_cast<uint32_t>(AsRec(Key2)->Code());
    return Code1 > Code2 ? 1 : Code1 < Code2 ? -1 : 0;
}

const TStreamRecordsColl* StreamRegistry()
{
    return GRegistry.get();
}

void CreateStreamRegistry()
{
    GLastFound = nullptr;
    GSearchKey = std::make_unique<TStreamRec>();
    GRegistry = std::make_unique<TStreamRecordsColl>(32);
    GRegistry->SetDuplicates(false);
}

void FreeStreamRegistry()
{
    GLastFound = nullptr;
    GRegistry.reset();
    GSearchKey.reset();
}

void RegisterStreamClass(const TStreamClass& Class)
{
    if (!GRegistry)
        CreateStreamRegistry();
    const int32_t Code = Class.ClassCode();
    if (const TStreamRec* Taken = FindRec(Code)) {
        if (Taken->StreamClass() == &Class)
            return;
        throw EObjectStream(
            osDuplicateCode,
            {std::string(Class.Name()), std::string(Taken->StreamClass()->Name()), int64_t{Code}});
    }
    std::unique_ptr<TStreamableObject> Rec = std::make_unique<TStreamRec>(Code, &Class);
    GRegistry->InsertOwned(Rec);
}

const TStreamClass* FindStreamClass(int32_t Code)
{
    const TStreamRec* Rec = FindRec(Code);
    return Rec ? Rec->StreamClass() : nullptr;
}

}  // namespace tavo::objects
