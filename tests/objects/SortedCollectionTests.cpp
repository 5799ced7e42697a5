// Sorted collections: search and insertion rules, duplicates, sorting, stored form, copies.
#include "ObjectsTestSupport.h"

namespace tavo::test {
namespace {

using std::string;

int32_t KeyOf(TItemKey Key)
{
    return static_cast<const TTestItem*>(static_cast<const TStreamableObject*>(Key))->Key;
}

int32_t ByKey(TItemKey A, TItemKey B)
{
    return KeyOf(A) < KeyOf(B) ? -1 : KeyOf(A) > KeyOf(B) ? 1 : 0;
}

class TByKey : public TCompareObject {
public:
    int32_t Compare(TItemKey A, TItemKey B) const override { return ByKey(A, B); }
};

// Counts Changed calls.
class TCountingSorted : public TCompareEventSortedCollection {
public:
    TCountingSorted() { SetOnCompare(ByKey); }
    void Changed() override { ++ChangedCalls; }
    int ChangedCalls = 0;
};

std::vector<string> Texts(const TObjectCollection& C)
{
    std::vector<string> Result;
    C.ForEach([&](TStreamableObject* I) { Result.push_back(static_cast<TTestItem*>(I)->Text); });
    return Result;
}

class SortedCollectionTest : public ObjectsTest {};

TEST_F(SortedCollectionTest, WithoutAComparisonEveryItemIsAppended)
{
    TCustomSortedCollection C;
    EXPECT_TRUE(C.Duplicates());
    for (int32_t K : {3, 1, 2}) {
        const int32_t End = C.Count();
        EXPECT_EQ(C.Insert(new TTestItem(K, std::to_string(K))), End);
    }
    EXPECT_EQ(Texts(C), (std::vector<string>{"3", "1", "2"}));
    TTestItem Probe(1);
    int32_t Index = -1;
    EXPECT_FALSE(C.Search(&Probe, Index));
    EXPECT_EQ(Index, 3);

    TCompareEventSortedCollection Empty;
    EXPECT_FALSE(Empty.Search(&Probe, Index));
    EXPECT_EQ(Index, 0);
}

TEST_F(SortedCollectionTest, EqualKeysGoBeforeTheirEqualsWhenDuplicatesAreOn)
{
    TByKey Comparer;
    TCompareObjectSortedCollection C;
    C.SetCompareObject(&Comparer);
    C.Insert(new TTestItem(5, "A"));
    C.Insert(new TTestItem(9, "Z"));
    C.Insert(new TTestItem(5, "B"));
    C.Insert(new TTestItem(1, "first"));
    EXPECT_EQ(Texts(C), (std::vector<string>{"first", "B", "A", "Z"}));
    TTestItem Probe(5);
    int32_t Index = -1;
    EXPECT_TRUE(C.Search(&Probe, Index));
    EXPECT_EQ(Index, 1);
}

TEST_F(SortedCollectionTest, ARefusedItemStaysWithTheCaller)
{
    TCountingSorted C;
    C.SetDuplicates(false);
    C.Insert(new TTestItem(3, "three"));
    C.Insert(new TTestItem(7, "seven"));
    C.SetModified(false);
    const int Before = C.ChangedCalls;

    std::unique_ptr<TStreamableObject> Same = std::make_unique<TTestItem>(7, "again");
    EXPECT_EQ(C.InsertOwned(Same), -1);
    ASSERT_NE(Same, nullptr);
    EXPECT_EQ(static_cast<TTestItem*>(Same.get())->Text, "again");
    EXPECT_EQ(C.Count(), 2);
    EXPECT_TRUE(C.Modified());
    EXPECT_EQ(C.ChangedCalls, Before + 1);
    EXPECT_EQ(TTestItem::Freed, 0);

    TTestItem Probe(7);
    int32_t Index = -1;
    EXPECT_TRUE(C.Search(&Probe, Index));
    EXPECT_EQ(Index, 1);
}

TEST_F(SortedCollectionTest, SwitchingDuplicatesOffSortsAndFreesRepeats)
{
    TCompareEventSortedCollection C;
    C.SetUnsorted(true);
    C.Insert(new TTestItem(5, "five"));
    C.Insert(new TTestItem(3, "first three"));
    C.Insert(new TTestItem(3, "second three"));
    C.SetUnsorted(false);
    C.SetOnCompare(ByKey);
    C.SetModified(false);
    C.SetDuplicates(true);  // already on: nothing at all
    EXPECT_FALSE(C.Modified());

    C.SetDuplicates(false);
    EXPECT_EQ(Texts(C), (std::vector<string>{"first three", "five"}));
    EXPECT_EQ(TTestItem::Freed, 1);
    EXPECT_TRUE(C.Modified());
}

TEST_F(SortedCollectionTest, SortRestoresOrderAndLeavesEmptyCollectionsEmpty)
{
    TCompareEventSortedCollection C;
    C.Sort();
    EXPECT_EQ(C.Count(), 0);
    for (int32_t K : {4, 2, 8, 6})
        C.Insert(new TTestItem(K, std::to_string(K)));
    C.SetOnCompare(ByKey);
    C.SetUnsorted(true);
    C.Sort();  // unsorted: nothing
    EXPECT_EQ(Texts(C), (std::vector<string>{"4", "2", "8", "6"}));
    C.SetUnsorted(false);
    C.Sort();
    EXPECT_EQ(Texts(C), (std::vector<string>{"2", "4", "6", "8"}));
}

TEST_F(SortedCollectionTest, UnsortedRefusesOnlyTheSameObjectTwice)
{
    TCompareEventSortedCollection C;
    C.SetOnCompare(ByKey);
    C.SetUnsorted(true);
    C.SetDuplicates(false);
    auto* Item = new TTestItem(2, "b");
    C.Insert(new TTestItem(9, "z"));
    EXPECT_EQ(C.Insert(Item), 1);
    EXPECT_EQ(C.Insert(Item), -1);
    EXPECT_EQ(C.Insert(new TTestItem(2, "equal key")), 2);
    EXPECT_EQ(Texts(C), (std::vector<string>{"z", "b", "equal key"}));
}

TEST_F(SortedCollectionTest, InsertAtTheEndPutsTheItemInItsPlace)
{
    TCompareEventSortedCollection C;
    C.SetOnCompare(ByKey);
    C.Insert(new TTestItem(2, "2"));
    C.Insert(new TTestItem(4, "4"));
    EXPECT_EQ(C.InsertAt(C.Count(), new TTestItem(3, "3")), 1);
    EXPECT_EQ(Texts(C), (std::vector<string>{"2", "3", "4"}));
}

TEST_F(SortedCollectionTest, StoredFormEndsWithTheDuplicatesAndSpareBytes)
{
    {
        TObjectStream Stream(Path("sorted"), fmCreate);
        TCompareEventSortedCollection(0).Store(Stream);
        TCompareEventSortedCollection NoDuplicates(2);
        NoDuplicates.SetDuplicates(false);
        NoDuplicates.StoreSmall(Stream);
        NoDuplicates.StoreEx(Stream);
    }
    EXPECT_EQ(HexOf(FileBytes(Path("sorted"))), "00 00 00 00 00 00 00 00 0A 00 00 00 01 00 "
                                                "00 00 02 00 0A 00 00 00 "
                                                "00 00 00 00 02 00 00 00 0A 00 00 00 00 00");

    // Loaded with a spare byte set and duplicates on; the extended form reads its bytes.
    WriteBytes(Path("in"), Hex("00 00 00 00 00 00 00 00 0A 00 00 00 01 2B "
                               "00 00 00 00 00 00 00 00 0A 00 00 00 00 00 FF"));
    TObjectStream Stream(Path("in"), fmOpenRead);
    auto A = LoadObject<TCompareObjectSortedCollection>(Stream);
    EXPECT_TRUE(A->Duplicates());
    EXPECT_EQ(A->Spare(), 0x2B);
    EXPECT_EQ(A->CompareObject(), nullptr);
    TCompareEventSortedCollection B;
    B.LoadEx(Stream);
    EXPECT_FALSE(B.Duplicates());
    EXPECT_EQ(Stream.GetPos(), 28);
}

TEST_F(SortedCollectionTest, FlagBytesAsReadAreStoredBackUnchanged)
{
    // Two items, then a Duplicates byte of 2 and a spare byte: loaded and stored again,
    // in the normal and the small form, the file stays byte for byte the same.
    std::string Bytes;
    {
        TObjectStream Stream(Path("source"), fmCreate);
        TCompareEventSortedCollection Source;
        Source.Insert(new TTestItem(4, "four"));
        Source.Insert(new TTestItem(2, "two"));
        Source.Store(Stream);
    }
    Bytes = FileBytes(Path("source"));
    ASSERT_EQ(HexOf(Bytes.substr(Bytes.size() - 2)), "01 00");
    Bytes[Bytes.size() - 2] = '\x02';
    Bytes.back() = '\x2B';
    WriteBytes(Path("two"), Bytes);

    TCompareEventSortedCollection Loaded;
    {
        TObjectStream In(Path("two"), fmOpenRead);
        Loaded.Load(In);
    }
    EXPECT_TRUE(Loaded.Duplicates()) << "any non-zero byte is true";
    EXPECT_EQ(Texts(Loaded), (std::vector<string>{"four", "two"}));
    Loaded.SetModified(false);
    Loaded.SetDuplicates(true);  // already true, whatever its byte
    EXPECT_FALSE(Loaded.Modified());
    std::unique_ptr<TStreamableObject> Copy;
    Loaded.CopyTo(Copy);
    {
        TObjectStream Out(Path("again"), fmCreate);
        Loaded.Store(Out);
        Copy->Store(Out);
    }
    // A copy takes Duplicates as it is, but not the spare byte.
    std::string CopyBytes = Bytes;
    CopyBytes.back() = '\0';
    EXPECT_EQ(HexOf(FileBytes(Path("again"))), HexOf(Bytes + CopyBytes));

    const std::string Small = Hex("00 00 02 00 0A 00 02 2B");
    WriteBytes(Path("small"), Small);
    {
        TObjectStream In(Path("small"), fmOpenRead);
        TCompareEventSortedCollection SmallLoaded;
        SmallLoaded.LoadSmall(In);
        TObjectStream Out(Path("small-again"), fmCreate);
        SmallLoaded.StoreSmall(Out);
    }
    EXPECT_EQ(HexOf(FileBytes(Path("small-again"))), HexOf(Small));

    // A value set anew is written as 0 or 1.
    Loaded.SetDuplicates(false);
    Loaded.SetDuplicates(true);
    {
        TObjectStream Out(Path("set"), fmCreate);
        Loaded.Store(Out);
    }
    const std::string Set = FileBytes(Path("set"));
    EXPECT_EQ(HexOf(Set.substr(Set.size() - 2)), "01 2B");
}

TEST_F(SortedCollectionTest, ItemsRefusedWhileLoadingAreFreed)
{
    // A sorted class whose comparison works before anything is attached.
    class TKeyed : public TCustomSortedCollection {
    public:
        int32_t Compare(TItemKey A, TItemKey B) const override { return ByKey(A, B); }
    };
    {
        TObjectStream Out(Path("equal"), fmCreate);
        TKeyed Source;
        for (int32_t K : {4, 4, 2})
            Source.Insert(new TTestItem(K, std::to_string(K)));
        Source.Store(Out);
    }
    TObjectStream In(Path("equal"), fmOpenRead);
    TKeyed Loaded;
    Loaded.Load(In);
    EXPECT_EQ(Texts(Loaded), (std::vector<string>{"2", "4"}));
    EXPECT_TRUE(Loaded.Duplicates());
    EXPECT_EQ(TTestItem::Freed, 4);  // the source's three, and the refused copy
}

TEST_F(SortedCollectionTest, CopiesKeepClassOrderFlagsAndComparison)
{
    TCompareEventSortedCollection Source(4);
    Source.SetOnCompare(ByKey);
    for (int32_t K : {1, 3, 5})
        Source.Insert(new TTestItem(K, std::to_string(K)));
    Source.SetDuplicates(false);
    Source.SetUnsorted(true);
    std::unique_ptr<TStreamableObject> Dest;
    Source.CopyTo(Dest);
    auto& Copy = dynamic_cast<TCompareEventSortedCollection&>(*Dest);
    EXPECT_EQ(Texts(Copy), Texts(Source));
    EXPECT_FALSE(Copy.Duplicates());
    EXPECT_TRUE(Copy.Unsorted());
    EXPECT_EQ(Copy.Capacity(), 4);
    ASSERT_TRUE(Copy.OnCompare());
    TTestItem Probe(3);
    int32_t Index = -1;
    Copy.SetUnsorted(false);
    EXPECT_TRUE(Copy.Search(&Probe, Index));
    EXPECT_EQ(Index, 1);

    TByKey Comparer;
    TCompareObjectSortedCollection Objects;
    Objects.SetCompareObject(&Comparer);
    std::unique_ptr<TStreamableObject> ObjectsCopy;
    Objects.CopyTo(ObjectsCopy);
    EXPECT_EQ(dynamic_cast<TCompareObjectSortedCollection&>(*ObjectsCopy).CompareObject(),
              &Comparer);

    std::unique_ptr<TStreamableObject> Plain = std::make_unique<TObjectCollection>();
    EXPECT_THROW_MESSAGE(Source.CopyTo(Plain), EObjectStream,
                         "Got TObjectCollection but expected TCompareEventSortedCollection");
}

TEST_F(SortedCollectionTest, RecordsCompareTheirCodesUnsigned)
{
    TStreamRecordsColl Records;
    Records.SetDuplicates(false);
    for (int32_t Code : {-1, 251, 0, 251}) {
        std::unique_ptr<TStreamableObject> Rec = std::make_unique<TStreamRec>(Code, nullptr);
        const bool Refused = Records.InsertOwned(Rec) < 0;
        EXPECT_EQ(Refused, Rec != nullptr);
    }
    std::vector<int32_t> Codes;
    Records.ForEach(
        [&](TStreamableObject* R) { Codes.push_back(static_cast<TStreamRec*>(R)->Code()); });
    EXPECT_EQ(Codes, (std::vector<int32_t>{0, 251, -1}));
}

}  // namespace
}  // namespace tavo::test
