#include "ObjectCollection.h"

#include <algorithm>

#include "ObjectStream.h"
#include "ObjectsErrors.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::objects {

using platform::LoadStr;

namespace {

// Room reserved at once for a capacity given by a caller; the rest comes as items arrive.
// A catalogue reader passes the count it read from the file here.
constexpr int64_t EagerSlots = 4096;

// The step field of the stored form: written, never read.
constexpr int32_t StoredStep = 10;

const TLinesItem* AsLines(const TStreamableObject* Item)
{
    return dynamic_cast<const TLinesItem*>(Item);
}

TLinesItem* AsLines(TStreamableObject* Item)
{
    return dynamic_cast<TLinesItem*>(Item);
}

// Null slots hold nothing, so they count as empty (and lines items with no lines).
bool ItemIsEmpty(const TStreamableObject* Item)
{
    return !Item || Item->IsEmpty();
}

int32_t ItemLineCount(const TStreamableObject* Item)
{
    const TLinesItem* Lines = AsLines(Item);
    return Lines ? Lines->LineCount() : 0;
}

}  // namespace

TObjectCollection::TObjectCollection(int32_t ACapacity)
{
    SetCapacity(ACapacity);
}

TObjectCollection::~TObjectCollection()
{
    FreeAll();
    Clear();
}

void TObjectCollection::Load(TObjectStream& Stream)
{
    LoadForm(Stream, TForm::Normal);
}

void TObjectCollection::LoadSmall(TObjectStream& Stream)
{
    LoadForm(Stream, TForm::Small);
}

void TObjectCollection::LoadEx(TObjectStream& Stream)
{
    LoadForm(Stream, TForm::Ex);
}

void TObjectCollection::Store(TObjectStream& Stream) const
{
    StoreForm(Stream, TForm::Normal);
}

void TObjectCollection::StoreSmall(TObjectStream& Stream) const
{
    StoreForm(Stream, TForm::Small);
}

void TObjectCollection::StoreEx(TObjectStream& Stream) const
{
    StoreForm(Stream, TForm::Ex);
}

void TObjectCollection::LoadForm(TObjectStream& Stream, TForm Form)
{
    FreeAll();
    Clear();
    int32_t StoredCount = 0;
    int32_t StoredCapacity = 0;
    int32_t Step = 0;
    if (Form == TForm::Small) {
        Stream.ReadSmallInt(StoredCount);
        Stream.ReadSmallInt(StoredCapacity);
        Stream.ReadSmallInt(Step);
    } else {
        Stream.ReadInt(StoredCount);
        Stream.ReadInt(StoredCapacity);
        Stream.ReadInt(Step);
    }
    if (StoredCapacity < 0 || StoredCapacity > MaxCapacity)
        Error(LoadStr(SListCapacityError), StoredCapacity);
    FCapacity = StoredCapacity;
    if (StoredCount > 0) {
        // Every item takes at least its class code, so the bytes left bound the count; past
        // the first slots, room grows with the items actually read, so that collections
        // nested in each other cannot each reserve for the whole rest of the file.
        const int64_t SmallestItem = Form == TForm::Small ? 2 : 4;
        Reserve(std::min({int64_t{StoredCount}, Stream.Remaining() / SmallestItem, EagerSlots}));
        for (int32_t I = 0; I < StoredCount; ++I) {
            if (Stream.AtEnd())
                throw platform::EReadError(
                    platform::Format(LoadStr(SFileEndsEarly), {Stream.FileName()}));
            std::unique_ptr<TStreamableObject> Item;
            switch (Form) {
            case TForm::Normal:
                Item = ReadItem(Stream);
                break;
            case TForm::Small:
                Item = ReadItemSmall(Stream);
                break;
            case TForm::Ex:
                Item = ReadItemEx(Stream);
                break;
            }
            // A refused item (equal keys in a sorted collection) is freed here.
            InsertOwned(Item);
        }
    }
    FModified = false;
    Changed();
}

void TObjectCollection::StoreForm(TObjectStream& Stream, TForm Form) const
{
    if (Form == TForm::Small) {
        Stream.WriteSmallInt(Count());
        Stream.WriteSmallInt(FCapacity);
        Stream.WriteSmallInt(StoredStep);
    } else {
        Stream.WriteInt(Count());
        Stream.WriteInt(FCapacity);
        Stream.WriteInt(StoredStep);
    }
    for (const TStreamableObject* Item : FItems) {
        switch (Form) {
        case TForm::Normal:
            WriteItem(Stream, Item);
            break;
        case TForm::Small:
            WriteItemSmall(Stream, Item);
            break;
        case TForm::Ex:
            WriteItemEx(Stream, Item);
            break;
        }
    }
}

void TObjectCollection::DeleteEmpty()
{
    int32_t I = 0;
    while (I < Count()) {
        if (ItemIsEmpty(FItems[static_cast<size_t>(I)]))
            FreeAt(I);
        else
            ++I;
    }
}

void TObjectCollection::DeleteTrailingEmpty()
{
    for (int32_t I = Count() - 1; I >= 0; --I) {
        if (!ItemIsEmpty(FItems[static_cast<size_t>(I)]))
            break;
        FreeAt(I);
    }
}

bool TObjectCollection::IsEmpty() const
{
    return std::all_of(FItems.begin(), FItems.end(), ItemIsEmpty);
}

void TObjectCollection::DeleteEmptyDeep()
{
    int32_t I = 0;
    while (I < Count()) {
        TStreamableObject* Item = FItems[static_cast<size_t>(I)];
        if (ItemIsEmpty(Item)) {
            FreeAt(I);
        } else {
            Item->DeleteEmptyDeep();
            ++I;
        }
    }
}

void TObjectCollection::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    if (!Dest) {
        Dest = std::make_unique<TObjectCollection>(FCapacity);
    }
    auto* Target = dynamic_cast<TObjectCollection*>(Dest.get());
    if (!Target)
        throw EObjectStream(osWrongClass, {Dest->ClassName(), std::string(StaticClassName)});
    CopyItemsTo(*Target);
}

void TObjectCollection::CopyItemsTo(TObjectCollection& Dest) const
{
    Dest.FreeAll();
    Dest.SetCapacity(FCapacity);
    for (const TStreamableObject* Item : FItems) {
        std::unique_ptr<TStreamableObject> Copy;
        if (Item)
            Item->CopyTo(Copy);
        Dest.InsertOwned(Copy);
    }
}

int32_t TObjectCollection::LineCount() const
{
    int32_t Total = 0;
    for (const TStreamableObject* Item : FItems)
        Total += ItemLineCount(Item);
    return Total;
}

void TObjectCollection::Refresh()
{
    Changed();
    for (TStreamableObject* Item : FItems)
        if (TLinesItem* Lines = AsLines(Item))
            Lines->Refresh();
}

TStreamableObject* TObjectCollection::FindLine(int32_t Line, int32_t& First) const
{
    First = 0;
    for (TStreamableObject* Item : FItems) {
        int32_t Lines = ItemLineCount(Item);
        First += Lines;
        if (First > Line) {
            First -= Lines;
            return Item;
        }
    }
    return nullptr;
}

void TObjectCollection::GetText(int32_t Line, int32_t Column, std::string& Text) const
{
    int32_t First = 0;
    if (const TLinesItem* Item = AsLines(FindLine(Line, First)))
        Item->GetText(Line - First, Column, Text);
    else
        Text.clear();
}

int32_t TObjectCollection::LineValue(int32_t Line) const
{
    int32_t First = 0;
    if (const TLinesItem* Item = AsLines(FindLine(Line, First)))
        return Item->LineValue(Line - First);
    return 1;
}

void TObjectCollection::NumberLines(int32_t& Counter)
{
    for (TStreamableObject* Item : FItems)
        if (TLinesItem* Lines = AsLines(Item))
            Lines->NumberLines(Counter);
}

void TObjectCollection::Grow()
{
    int32_t Step = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + Step);
}

void TObjectCollection::Notify(TStreamableObject*, int32_t) {}

TStreamableObject* TObjectCollection::PrepareItem(TStreamableObject* Item)
{
    return Item;
}

std::unique_ptr<TStreamableObject> TObjectCollection::ReadItem(TObjectStream& Stream)
{
    return Stream.GetObject();
}

std::unique_ptr<TStreamableObject> TObjectCollection::ReadItemEx(TObjectStream& Stream)
{
    return Stream.GetObjectEx();
}

std::unique_ptr<TStreamableObject> TObjectCollection::ReadItemSmall(TObjectStream& Stream)
{
    return Stream.GetObjectSmall();
}

void TObjectCollection::WriteItem(TObjectStream& Stream, const TStreamableObject* Item) const
{
    Stream.PutObject(Item);
}

void TObjectCollection::WriteItemSmall(TObjectStream& Stream, const TStreamableObject* Item) const
{
    Stream.PutObjectSmall(Item);
}

void TObjectCollection::WriteItemEx(TObjectStream& Stream, const TStreamableObject* Item) const
{
    Stream.PutObjectEx(Item);
}

void TObjectCollection::FreeItem(TStreamableObject* Item)
{
    delete Item;
}

void TObjectCollection::Clear()
{
    FModified = true;
    Changed();
    SetCount(0);
    SetCapacity(0);
}

void TObjectCollection::Changed() {}

void TObjectCollection::Error(std::string_view Message, int32_t Value)
{
    throw platform::EListError(platform::Format(Message, {int64_t{Value}}));
}

int32_t TObjectCollection::IndexOf(const TStreamableObject* Item) const
{
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

int32_t TObjectCollection::AppendItem(TStreamableObject* Item)
{
    if (Count() == FCapacity)
        Grow();
    FItems.push_back(Item);
    Notify(Item, naInserted);
    return Count() - 1;
}

int32_t TObjectCollection::Insert(TStreamableObject* Item)
{
    int32_t Result = AppendItem(Item);
    FModified = true;
    Changed();
    return Result;
}

int32_t TObjectCollection::InsertOwned(std::unique_ptr<TStreamableObject>& Item)
{
    TStreamableObject* Raw = Item.get();
    int32_t Result;
    try {
        Result = Insert(Raw);
    } catch (...) {
        // A hook that fails after the item went in leaves it with the collection.
        if (Raw && IndexOf(Raw) >= 0)
            static_cast<void>(Item.release());
        throw;
    }
    if (Result >= 0)
        static_cast<void>(Item.release());
    return Result;
}

TStreamableObject* TObjectCollection::ItemAt(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        Error(LoadStr(SListIndexError), Index);
    return FItems[static_cast<size_t>(Index)];
}

int32_t TObjectCollection::InsertAt(int32_t Index, TStreamableObject* Item)
{
    if (!Item)
        throw ECollectionError(coInsertNil, {ClassName()});
    if (Index < 0)
        Error(LoadStr(SListIndexError), Index);
    int32_t Result;
    if (Index >= Count()) {
        Result = Insert(PrepareItem(Item));
    } else {
        if (Count() == FCapacity)
            Grow();
        FItems.insert(FItems.begin() + Index, Item);
        Notify(Item, naInserted);
        Result = Index;
    }
    FModified = true;
    Changed();
    return Result;
}

void TObjectCollection::DeleteAt(int32_t Index)
{
    if (Index < 0 || Index >= Count())
        Error(LoadStr(SListIndexError), Index);
    TStreamableObject* Item = FItems[static_cast<size_t>(Index)];
    FItems.erase(FItems.begin() + Index);
    if (Item)
        Notify(Item, naRemoved);
    FModified = true;
    Changed();
}

void TObjectCollection::FreeAt(int32_t Index)
{
    TStreamableObject* Item = ItemAt(Index);
    DeleteAt(Index);
    FreeItem(Item);
}

void TObjectCollection::FreeAll()
{
    for (TStreamableObject* Item : FItems)
        FreeItem(Item);
    FItems.clear();
    FModified = true;
    Changed();
}

void TObjectCollection::SetCapacity(int32_t N)
{
    if (N < Count() || N > MaxCapacity)
        Error(LoadStr(SListCapacityError), N);
    if (N == FCapacity)
        return;
    FCapacity = N;
    if (N == 0) {
        std::vector<TStreamableObject*>().swap(FItems);
    } else if (FItems.capacity() > static_cast<size_t>(N)) {
        std::vector<TStreamableObject*> Smaller;
        Smaller.reserve(static_cast<size_t>(N));
        Smaller.assign(FItems.begin(), FItems.end());
        FItems.swap(Smaller);
    } else {
        Reserve(std::min<int64_t>(N, std::max<int64_t>(EagerSlots, Count())));
    }
}

void TObjectCollection::Reserve(int64_t Slots)
{
    Slots = std::min<int64_t>(Slots, FCapacity);
    if (Slots > static_cast<int64_t>(FItems.capacity()))
        FItems.reserve(static_cast<size_t>(Slots));
}

void TObjectCollection::SetCount(int32_t N)
{
    if (N < 0 || N > MaxCapacity)
        Error(LoadStr(SListCountError), N);
    if (N > FCapacity)
        SetCapacity(N);
    if (N > Count()) {
        FItems.resize(static_cast<size_t>(N), nullptr);
    } else {
        for (int32_t I = Count() - 1; I >= N; --I)
            DeleteAt(I);
    }
}

void TObjectCollection::ForEach(const std::function<void(TStreamableObject*)>& Action) const
{
    const int32_t N = Count();
    // The count is taken when the walk starts; an action that removes items ends it early.
    for (int32_t I = 0; I < N && I < Count(); ++I)
        Action(FItems[static_cast<size_t>(I)]);
}

TStreamableObject*
TObjectCollection::FindFirst(const std::function<bool(TStreamableObject*)>& Test) const
{
    const int32_t N = Count();
    for (int32_t I = 0; I < N && I < Count(); ++I)
        if (Test(FItems[static_cast<size_t>(I)]))
            return FItems[static_cast<size_t>(I)];
    return nullptr;
}

}  // namespace tavo::objects
