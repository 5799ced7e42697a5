#pragma once
// TObjectCollection: an ordered, growable array of objects that owns its items, writes
// itself and its items to an object stream and rebuilds itself from one. It is a
// TLinesItem, so collections can be items of collections; its lines are its items' lines.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "StreamableObject.h"

namespace tavo::objects {

// Actions passed to TObjectCollection::Notify.
constexpr int32_t naInserted = 0;  // an item entered the collection
constexpr int32_t naRemoved = 1;   // a non-null item left it without being freed

class TObjectCollection : public TLinesItem {
public:
    static constexpr std::string_view StaticClassName = "TObjectCollection";
    static constexpr int32_t MaxCapacity = 0x7FFFFFF;
    static int32_t ClassCode() { return 150; }
    const TStreamClass& ClassType() const override { return StreamClassOf<TObjectCollection>(); }

    explicit TObjectCollection(int32_t ACapacity = 0);
    // Frees every item. Only this class's FreeItem runs here: a class that frees its items
    // differently empties itself in its own destructor.
    ~TObjectCollection() override;

    // Stored form: Count, Capacity, the step field 10, then every item class-coded. The
    // small form writes the three integers in 16 bits and 2-byte codes; the extended form
    // writes codes plus 10000 and the items' extended data.
    void Load(TObjectStream& Stream) override;
    void LoadSmall(TObjectStream& Stream) override;
    void LoadEx(TObjectStream& Stream) override;
    void Store(TObjectStream& Stream) const override;
    void StoreSmall(TObjectStream& Stream) const override;
    void StoreEx(TObjectStream& Stream) const override;

    void DeleteEmpty() override;
    void DeleteTrailingEmpty() override;
    bool IsEmpty() const override;
    void DeleteEmptyDeep() override;
    // A null Dest receives a new TObjectCollection; an existing one must be a collection
    // (EObjectStream -12 otherwise) and loses its items first. Items are copied with
    // their own CopyTo and inserted with Dest's Insert.
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override;

    int32_t LineCount() const override;
    void Refresh() override;
    void GetText(int32_t Line, int32_t Column, std::string& Text) const override;
    int32_t LineValue(int32_t Line) const override;
    void NumberLines(int32_t& Counter) override;

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    int32_t Capacity() const { return FCapacity; }
    // Set by every change; cleared when loading ends. Not read by the library.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // Hooks and item operations, in the design's slot order.
    virtual void Grow();
    virtual void Notify(TStreamableObject* Item, int32_t Action);
    virtual TStreamableObject* PrepareItem(TStreamableObject* Item);
    virtual std::unique_ptr<TStreamableObject> ReadItem(TObjectStream& Stream);
    virtual std::unique_ptr<TStreamableObject> ReadItemEx(TObjectStream& Stream);
    virtual std::unique_ptr<TStreamableObject> ReadItemSmall(TObjectStream& Stream);
    virtual void WriteItem(TObjectStream& Stream, const TStreamableObject* Item) const;
    virtual void WriteItemSmall(TObjectStream& Stream, const TStreamableObject* Item) const;
    virtual void WriteItemEx(TObjectStream& Stream, const TStreamableObject* Item) const;
    virtual void FreeItem(TStreamableObject* Item);
    // Removes the items without freeing them and releases the array.
    virtual void Clear();
    virtual void Changed();
    // Raises EListError with Message formatted with Value.
    [[noreturn]] static void Error(std::string_view Message, int32_t Value);
    virtual int32_t IndexOf(const TStreamableObject* Item) const;
    // Takes ownership of Item and appends it (sorted collections put it at its place);
    // returns its position. A collection that refuses the item returns -1 and the
    // caller still owns it. Null items are accepted.
    virtual int32_t Insert(TStreamableObject* Item);

    // Insert for an owned item: released to the collection when accepted, left with the
    // caller when refused.
    int32_t InsertOwned(std::unique_ptr<TStreamableObject>& Item);
    TStreamableObject* ItemAt(int32_t Index) const;
    // Inserts Item (not null) at Index; at or past the end it goes through Insert.
    int32_t InsertAt(int32_t Index, TStreamableObject* Item);
    // Removes the item without freeing it: the caller owns it again.
    void DeleteAt(int32_t Index);
    void FreeAt(int32_t Index);
    // Frees every item; the capacity stays.
    void FreeAll();
    void SetCapacity(int32_t N);
    // Growing adds null items; shrinking removes items without freeing them.
    void SetCount(int32_t N);
    void ForEach(const std::function<void(TStreamableObject*)>& Action) const;
    TStreamableObject* FindFirst(const std::function<bool(TStreamableObject*)>& Test) const;
    // The item holding display line Line, with the number of its first line in First;
    // null (First = total line count) when no item holds it.
    TStreamableObject* FindLine(int32_t Line, int32_t& First) const;

protected:
    enum class TForm { Normal, Small, Ex };
    // Reads the three integers and the items in Form. Capacity and count come from the
    // file, so what is reserved is bounded by the bytes left to read.
    void LoadForm(TObjectStream& Stream, TForm Form);
    void StoreForm(TObjectStream& Stream, TForm Form) const;
    // Appends without the Modified/Changed bookkeeping (sorted insertion shares it).
    int32_t AppendItem(TStreamableObject* Item);
    // Dest's items freed, its capacity set to ours, then a copy of every item inserted.
    void CopyItemsTo(TObjectCollection& Dest) const;

private:
    // Reserves room for up to Slots references, never more than Capacity.
    void Reserve(int64_t Slots);

    // The array of the design: FItems.size() is Count; FCapacity is the capacity the
    // collection reports and stores. Room is reserved as items arrive, so a capacity read
    // from a file cannot make the collection allocate what the file cannot fill.
    std::vector<TStreamableObject*> FItems;
    int32_t FCapacity = 0;
    bool FModified = false;
};

}  // namespace tavo::objects
