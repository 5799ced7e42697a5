#pragma once
// Sorted collections: items kept in ascending order of a key and found by binary search.
// The key of an item and the comparison of two keys are virtual; the subclasses supply the
// comparison through a comparer object, a bound function, or registration codes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "ObjectCollection.h"

namespace tavo::objects {

// A key as the sorted collections pass it around: by default the item itself.
using TItemKey = const void*;

class TCustomSortedCollection : public TObjectCollection {
public:
    static constexpr std::string_view StaticClassName = "TCustomSortedCollection";
    const TStreamClass& ClassType() const override
    {
        return StreamClassOf<TCustomSortedCollection>();
    }

    // Duplicates are allowed in a new collection.
    explicit TCustomSortedCollection(int32_t ACapacity = 0);

    // The stored form of TObjectCollection, then two bytes: Duplicates and the spare
    // byte, each written back as it was read (any non-zero Duplicates byte is true).
    // Loading inserts every item with Duplicates off and no comparison attached; an item
    // refused then is freed. LoadEx reads what StoreEx writes.
    void Load(TObjectStream& Stream) override;
    void LoadSmall(TObjectStream& Stream) override;
    void LoadEx(TObjectStream& Stream) override;
    void Store(TObjectStream& Stream) const override;
    void StoreSmall(TObjectStream& Stream) const override;
    void StoreEx(TObjectStream& Stream) const override;
    // A null Dest receives a new collection of this class (TStreamRecordsColl copies into
    // a TCustomSortedCollection); Duplicates and Unsorted are copied without re-sorting.
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override;

    // Adds Item at its sorted place and returns its position, or -1 when the item is
    // refused (its key is present and Duplicates is off): then the caller still owns it.
    int32_t Insert(TStreamableObject* Item) override;

    virtual TItemKey ItemKey(const TStreamableObject* Item) const;
    // Negative, zero or positive as Key1 is below, equal to or above Key2. Here always
    // -1, so every item goes to the end.
    virtual int32_t Compare(TItemKey Key1, TItemKey Key2) const;
    // Whether an item with an equal key exists; Index is where it is (Duplicates off) or
    // where a new item with that key goes (before all equal ones, Duplicates on).
    virtual bool Search(TItemKey Key, int32_t& Index) const;

    bool Duplicates() const { return FDuplicates != 0; }
    // Switching duplicates off sorts and frees the items with repeated keys.
    void SetDuplicates(bool Value);
    bool Unsorted() const { return FUnsorted; }
    // Only the flag: nothing is reordered.
    void SetUnsorted(bool Value) { FUnsorted = Value; }
    uint8_t Spare() const { return FSpare; }
    // Restores the order; with Duplicates off frees items with repeated keys.
    void Sort();

protected:
    void CopySortedTo(TCustomSortedCollection& Dest) const;

private:
    void LoadSorted(TObjectStream& Stream, TForm Form);
    void StoreFlags(TObjectStream& Stream) const;

    bool FUnsorted = false;
    // The stored byte, so that a file loaded and stored again keeps it.
    uint8_t FDuplicates = 0;
    uint8_t FSpare = 0;
};

// The comparison a TCompareObjectSortedCollection asks for.
class TCompareObject {
public:
    virtual ~TCompareObject() = default;
    virtual int32_t Compare(TItemKey Key1, TItemKey Key2) const = 0;
};

class TCompareObjectSortedCollection : public TCustomSortedCollection {
public:
    static constexpr std::string_view StaticClassName = "TCompareObjectSortedCollection";
    static int32_t ClassCode() { return 250; }
    const TStreamClass& ClassType() const override
    {
        return StreamClassOf<TCompareObjectSortedCollection>();
    }
    using TCustomSortedCollection::TCustomSortedCollection;

    int32_t Compare(TItemKey Key1, TItemKey Key2) const override;
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override;

    // Not owned: the comparer must outlive its use here.
    const TCompareObject* CompareObject() const { return FCompareObject; }
    void SetCompareObject(const TCompareObject* Value) { FCompareObject = Value; }

private:
    const TCompareObject* FCompareObject = nullptr;
};

using TCompareEvent = std::function<int32_t(TItemKey Key1, TItemKey Key2)>;

class TCompareEventSortedCollection : public TCustomSortedCollection {
public:
    static constexpr std::string_view StaticClassName = "TCompareEventSortedCollection";
    static int32_t ClassCode() { return 251; }
    const TStreamClass& ClassType() const override
    {
        return StreamClassOf<TCompareEventSortedCollection>();
    }
    using TCustomSortedCollection::TCustomSortedCollection;

    int32_t Compare(TItemKey Key1, TItemKey Key2) const override;
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override;

    const TCompareEvent& OnCompare() const { return FOnCompare; }
    void SetOnCompare(TCompareEvent Value) { FOnCompare = std::move(Value); }

private:
    TCompareEvent FOnCompare;
};

}  // namespace tavo::objects
