#include "SortedCollection.h"

#include "ObjectStream.h"
#include "ObjectsErrors.h"

namespace tavo::objects {

namespace {

// A non-null Dest must already be of class T: its fields are set after the copy.
template <class T> T& CopyTarget(std::unique_ptr<TStreamableObject>& Dest, int32_t Capacity)
{
    if (!Dest)
        Dest = std::make_unique<T>(Capacity);
    auto* Target = dynamic_cast<T*>(Dest.get());
    if (!Target)
        throw EObjectStream(osWrongClass, {Dest->ClassName(), std::string(T::StaticClassName)});
    return *Target;
}

}  // namespace

TCustomSortedCollection::TCustomSortedCollection(int32_t ACapacity) : TObjectCollection(ACapacity)
{
    SetDuplicates(true);
}

void TCustomSortedCollection::LoadSorted(TObjectStream& Stream, TForm Form)
{
    FDuplicates = 0;
    FUnsorted = false;
    LoadForm(Stream, Form);
    Stream.ReadByte(FDuplicates);
    Stream.ReadByte(FSpare);
}

void TCustomSortedCollection::Load(TObjectStream& Stream)
{
    LoadSorted(Stream, TForm::Normal);
}

void TCustomSortedCollection::LoadSmall(TObjectStream& Stream)
{
    LoadSorted(Stream, TForm::Small);
}

void TCustomSortedCollection::LoadEx(TObjectStream& Stream)
{
    LoadSorted(Stream, TForm::Ex);
}

void TCustomSortedCollection::StoreFlags(TObjectStream& Stream) const
{
    Stream.WriteByte(FDuplicates);
    Stream.WriteByte(FSpare);
}

void TCustomSortedCollection::Store(TObjectStream& Stream) const
{
    TObjectCollection::Store(Stream);
    StoreFlags(Stream);
}

void TCustomSortedCollection::StoreSmall(TObjectStream& Stream) const
{
    TObjectCollection::StoreSmall(Stream);
    StoreFlags(Stream);
}

void TCustomSortedCollection::StoreEx(TObjectStream& Stream) const
{
    TObjectCollection::StoreEx(Stream);
    StoreFlags(Stream);
}

void TCustomSortedCollection::CopySortedTo(TCustomSortedCollection& Dest) const
{
    CopyItemsTo(Dest);
    Dest.FDuplicates = FDuplicates;
    Dest.FUnsorted = FUnsorted;
}

void TCustomSortedCollection::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    CopySortedTo(CopyTarget<TCustomSortedCollection>(Dest, Capacity()));
}

TItemKey TCustomSortedCollection::ItemKey(const TStreamableObject* Item) const
{
    return Item;
}

int32_t TCustomSortedCollection::Compare(TItemKey, TItemKey) const
{
    return -1;
}

bool TCustomSortedCollection::Search(TItemKey Key, int32_t& Index) const
{
    bool Found = false;
    int32_t L = 0;
    int32_t H = Count() - 1;
    while (L <= H) {
        int32_t I = L + (H - L) / 2;
        int32_t C = Compare(ItemKey(ItemAt(I)), Key);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                if (!FDuplicates)
                    L = I;
            }
        }
    }
    Index = L;
    return Found;
}

int32_t TCustomSortedCollection::Insert(TStreamableObject* Item)
{
    int32_t Result = -1;
    if (FUnsorted) {
        if (FDuplicates || IndexOf(Item) < 0)
            Result = TObjectCollection::Insert(Item);
    } else {
        int32_t I = 0;
        bool Found = Search(ItemKey(Item), I);
        if (!Found || FDuplicates) {
            if (I >= Count())
                Result = AppendItem(Item);
            else
                Result = InsertAt(I, Item);
        }
    }
    SetModified(true);
    Changed();
    return Result;
}

void TCustomSortedCollection::SetDuplicates(bool Value)
{
    if (Value == Duplicates())
        return;
    SetModified(true);
    Changed();
    FDuplicates = Value ? 1 : 0;
    if (!Value)
        Sort();
}

void TCustomSortedCollection::Sort()
{
    if (FUnsorted)
        return;
    if (Count() > 1) {
        // Take out all items but the first (each notified as having left), then put them
        // back one by one in their order.
        std::vector<TStreamableObject*> Others;
        Others.reserve(static_cast<size_t>(Count() - 1));
        for (int32_t I = 1; I < Count(); ++I)
            Others.push_back(ItemAt(I));
        SetCount(1);
        for (size_t N = 0; N < Others.size(); ++N) {
            TStreamableObject* Item = Others[N];
            try {
                int32_t I = 0;
                bool Found = Search(ItemKey(Item), I);
                if (!Found || FDuplicates) {
                    if (!Item || InsertAt(I, Item) < 0)
                        FreeItem(Item);
                } else {
                    FreeItem(Item);
                }
            } catch (...) {
                // The items not yet back are ours alone: free them rather than lose them.
                for (size_t Rest = N + 1; Rest < Others.size(); ++Rest)
                    FreeItem(Others[Rest]);
                if (IndexOf(Item) < 0)
                    FreeItem(Item);
                throw;
            }
        }
    }
    SetModified(true);
    Changed();
}

int32_t TCompareObjectSortedCollection::Compare(TItemKey Key1, TItemKey Key2) const
{
    return FCompareObject ? FCompareObject->Compare(Key1, Key2) : -1;
}

void TCompareObjectSortedCollection::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    auto& Target = CopyTarget<TCompareObjectSortedCollection>(Dest, Capacity());
    CopySortedTo(Target);
    Target.FCompareObject = FCompareObject;
}

int32_t TCompareEventSortedCollection::Compare(TItemKey Key1, TItemKey Key2) const
{
    return FOnCompare ? FOnCompare(Key1, Key2) : -1;
}

void TCompareEventSortedCollection::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    auto& Target = CopyTarget<TCompareEventSortedCollection>(Dest, Capacity());
    CopySortedTo(Target);
    Target.FOnCompare = FOnCompare;
}

}  // namespace tavo::objects
