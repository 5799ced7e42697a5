// TObjectCollection: stored forms, growth, index/capacity/count rules, ownership,
// housekeeping and display lines.
#include "ObjectsTestSupport.h"

#include "platform/Errors.h"

namespace tavo::test {
namespace {

using std::string;

// Records the hooks' calls.
class TWatchedCollection : public TObjectCollection {
public:
    using TObjectCollection::TObjectCollection;
    void Notify(TStreamableObject* Item, int32_t Action) override
    {
        Events.push_back((Action == naInserted ? "+" : "-") +
                         std::to_string(static_cast<TTestItem*>(Item)->Key));
    }
    void Changed() override { ++ChangedCalls; }
    std::vector<string> Events;
    int ChangedCalls = 0;
};

std::vector<int32_t> Keys(const TObjectCollection& C)
{
    std::vector<int32_t> Result;
    C.ForEach([&](TStreamableObject* Item) {
        Result.push_back(Item ? static_cast<TTestItem*>(Item)->Key : -1);
    });
    return Result;
}

class CollectionTest : public ObjectsTest {
protected:
    string Stored(const TObjectCollection& C)
    {
        {
            TObjectStream Stream(Path("coll"), fmCreate);
            C.Store(Stream);
        }
        return HexOf(FileBytes(Path("coll")));
    }
};

TEST_F(CollectionTest, StoredFormHoldsCountCapacityStepAndCodedItems)
{
    EXPECT_EQ(Stored(TObjectCollection(0)), "00 00 00 00 00 00 00 00 0A 00 00 00");
    TObjectCollection Five(5);
    EXPECT_EQ(Stored(Five), "00 00 00 00 05 00 00 00 0A 00 00 00");
    Five.Insert(new TTestItem(1, "a"));
    Five.Insert(new TTestItem(-2, ""));
    EXPECT_EQ(Stored(Five), "02 00 00 00 05 00 00 00 0A 00 00 00 "
                            "84 03 00 00 01 00 00 00 01 00 61 "
                            "84 03 00 00 FE FF FF FF 00 00");
    {
        TObjectStream Stream(Path("small"), fmCreate);
        Five.StoreSmall(Stream);
    }
    EXPECT_EQ(HexOf(FileBytes(Path("small"))),
              "02 00 05 00 0A 00 84 03 01 00 01 00 61 84 03 FE FF 00 00");
}

TEST_F(CollectionTest, LoadingGrowsPastTheStoredCapacityAndClearsModified)
{
    WriteBytes(Path("three"), Hex("03 00 00 00 01 00 00 00 63 00 00 00 "
                                  "84 03 00 00 0B 00 00 00 00 00 "
                                  "84 03 00 00 0C 00 00 00 00 00 "
                                  "84 03 00 00 0D 00 00 00 00 00"));
    TObjectStream Stream(Path("three"), fmOpenRead);
    auto C = LoadObject<TObjectCollection>(Stream);
    EXPECT_EQ(Keys(*C), (std::vector<int32_t>{11, 12, 13}));
    EXPECT_EQ(C->Capacity(), 5);
    EXPECT_FALSE(C->Modified());
    EXPECT_TRUE(Stream.AtEnd());
}

TEST_F(CollectionTest, CapacityGrowsByTheDesignedSteps)
{
    TObjectCollection C;
    std::vector<int32_t> Seen{C.Capacity()};
    for (int32_t I = 0; I < 147; ++I) {
        C.Insert(nullptr);
        if (C.Capacity() != Seen.back())
            Seen.push_back(C.Capacity());
    }
    EXPECT_EQ(Seen, (std::vector<int32_t>{0, 4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
}

TEST_F(CollectionTest, InsertAtChecksTheItemFirstThenTheIndex)
{
    TWatchedCollection C;
    C.InsertAt(0, new TTestItem(1));
    C.InsertAt(C.Count(), new TTestItem(3));
    C.InsertAt(1, new TTestItem(2));
    C.InsertAt(0, new TTestItem(0));
    EXPECT_EQ(Keys(C), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(C.Events, (std::vector<string>{"+1", "+3", "+2", "+0"}));
    EXPECT_TRUE(C.Modified());

    EXPECT_THROW_MESSAGE(C.InsertAt(5, nullptr), ECollectionError,
                         "Attempt to insert NIL pointer to TObjectCollection");
    TTestItem Outside(9);
    EXPECT_THROW_MESSAGE(C.InsertAt(-1, &Outside), platform::EListError,
                         "List index out of bounds (-1)");
    EXPECT_THROW_MESSAGE(C.ItemAt(4), platform::EListError, "List index out of bounds (4)");
    EXPECT_THROW_MESSAGE(C.DeleteAt(-3), platform::EListError, "List index out of bounds (-3)");
    EXPECT_EQ(C.Count(), 4);
}

TEST_F(CollectionTest, CapacityAndCountLimits)
{
    TObjectCollection C(2);
    C.Insert(new TTestItem(1));
    C.Insert(new TTestItem(2));
    EXPECT_THROW_MESSAGE(C.SetCapacity(134217728), platform::EListError,
                         "List capacity out of bounds (134217728)");
    EXPECT_THROW_MESSAGE(C.SetCapacity(C.Count() - 1), platform::EListError,
                         "List capacity out of bounds (1)");
    EXPECT_THROW_MESSAGE(C.SetCount(-1), platform::EListError, "List count out of bounds (-1)");
    EXPECT_THROW(TObjectCollection(-4), platform::EListError);
    EXPECT_EQ(C.Capacity(), 2);

    C.SetCount(C.Count() + 2);
    EXPECT_EQ(Keys(C), (std::vector<int32_t>{1, 2, -1, -1}));
    EXPECT_EQ(C.Capacity(), 4);
    C.SetCapacity(134217727);
    EXPECT_EQ(C.Capacity(), 134217727);
}

TEST_F(CollectionTest, RemovingAndFreeingItems)
{
    TTestItem* Kept = new TTestItem(2);
    {
        TWatchedCollection C;
        C.Insert(new TTestItem(1));
        C.Insert(Kept);
        auto* Third = new TTestItem(3);
        auto* Fourth = new TTestItem(4);
        C.Insert(Third);
        C.Insert(Fourth);
        C.Events.clear();
        C.DeleteAt(1);  // back with the caller
        C.FreeAt(0);
        EXPECT_EQ(TTestItem::Freed, 1);
        EXPECT_EQ(C.IndexOf(Kept), -1);
        EXPECT_EQ(C.IndexOf(C.ItemAt(1)), 1);
        C.SetCount(0);  // removed, not freed: they are the caller's again
        EXPECT_EQ(C.Events, (std::vector<string>{"-2", "-1", "-4", "-3"}));
        EXPECT_EQ(TTestItem::Freed, 1);
        delete Third;
        delete Fourth;
        TTestItem::Freed -= 2;
        C.Insert(new TTestItem(5));
        C.Insert(new TTestItem(6));
        C.FreeAll();
        EXPECT_EQ(TTestItem::Freed, 3);
        EXPECT_EQ(C.Count(), 0);
        EXPECT_EQ(C.Capacity(), 4);
        C.Insert(new TTestItem(7));
    }
    // The collection's end freed what it held, not what it gave back.
    EXPECT_EQ(TTestItem::Freed, 4);
    delete Kept;
}

TEST_F(CollectionTest, WalksVisitEveryItemInOrder)
{
    TObjectCollection C;
    int Visits = 0;
    C.ForEach([&](TStreamableObject*) { ++Visits; });
    EXPECT_EQ(C.FindFirst([](TStreamableObject*) { return true; }), nullptr);
    for (int32_t K : {4, 7, 9, 7})
        C.Insert(new TTestItem(K));
    C.ForEach([&](TStreamableObject* Item) { Visits += static_cast<TTestItem*>(Item)->Key; });
    EXPECT_EQ(Visits, 27);
    auto IsSeven = [](TStreamableObject* I) { return static_cast<TTestItem*>(I)->Key == 7; };
    EXPECT_EQ(C.FindFirst(IsSeven), C.ItemAt(1));
}

TEST_F(CollectionTest, HousekeepingRemovesEmptyItems)
{
    auto Build = [](TObjectCollection& C) {
        for (const char* Text : {"full", "", "full", "", ""})
            C.Insert(new TTestItem(0, Text));
    };
    TObjectCollection Trailing;
    Build(Trailing);
    Trailing.DeleteTrailingEmpty();
    EXPECT_EQ(Trailing.Count(), 3);
    EXPECT_TRUE(static_cast<TTestItem*>(Trailing.ItemAt(1))->Text.empty());
    EXPECT_EQ(TTestItem::Freed, 2);

    TObjectCollection All;
    Build(All);
    All.DeleteEmpty();
    EXPECT_EQ(All.Count(), 2);
    EXPECT_FALSE(All.IsEmpty());

    TObjectCollection Outer;
    auto* Inner = new TObjectCollection;
    Build(*Inner);
    Outer.Insert(Inner);
    Outer.Insert(new TObjectCollection);  // empty: freed
    Outer.Insert(new TTestItem(0, ""));   // empty: freed
    Outer.DeleteEmptyDeep();
    ASSERT_EQ(Outer.Count(), 1);
    EXPECT_EQ(Inner->Count(), 2);
    EXPECT_TRUE(TObjectCollection().IsEmpty());
}

TEST_F(CollectionTest, CopyToMakesADeepCopy)
{
    TObjectCollection Source(6);
    Source.Insert(new TTestItem(1, "one"));
    Source.Insert(new TTestItem(2, "two"));
    std::unique_ptr<TStreamableObject> Dest;
    Source.CopyTo(Dest);
    auto& Copy = dynamic_cast<TObjectCollection&>(*Dest);
    EXPECT_EQ(Copy.ClassName(), "TObjectCollection");
    EXPECT_EQ(Copy.Capacity(), 6);
    ASSERT_EQ(Keys(Copy), Keys(Source));
    EXPECT_NE(Copy.ItemAt(0), Source.ItemAt(0));
    static_cast<TTestItem*>(Copy.ItemAt(0))->Text = "changed";
    EXPECT_EQ(static_cast<TTestItem*>(Source.ItemAt(0))->Text, "one");

    // An existing destination loses its items first.
    Source.FreeAt(1);
    Source.CopyTo(Dest);
    EXPECT_EQ(Keys(Copy), (std::vector<int32_t>{1}));
    EXPECT_EQ(TTestItem::Freed, 3);

    std::unique_ptr<TStreamableObject> NotACollection = std::make_unique<TTestItem>(5);
    EXPECT_THROW_MESSAGE(Source.CopyTo(NotACollection), EObjectStream,
                         "Got TTestItem but expected TObjectCollection");
}

TEST_F(CollectionTest, LinesOfACollectionAreItsItemsLines)
{
    TObjectCollection C;
    EXPECT_EQ(C.LineCount(), 0);
    C.Insert(new TTestItem(1, "a"));
    C.Insert(new TTestItem(2, "b", 3));
    C.Insert(new TTestItem(3, "c"));
    EXPECT_EQ(C.LineCount(), 5);
    int32_t First = -1;
    EXPECT_EQ(C.FindLine(3, First), C.ItemAt(1));
    EXPECT_EQ(First, 1);
    EXPECT_EQ(C.FindLine(4, First), C.ItemAt(2));
    EXPECT_EQ(First, 4);
    EXPECT_EQ(C.FindLine(7, First), nullptr);
    EXPECT_EQ(First, 5);

    string Text = "old";
    C.GetText(2, 6, Text);
    EXPECT_EQ(Text, "b:1:6");
    C.GetText(7, 0, Text);
    EXPECT_EQ(Text, "");
    EXPECT_EQ(C.LineValue(3), 202);
    EXPECT_EQ(C.LineValue(7), 1);

    int32_t Counter = 10;
    C.NumberLines(Counter);
    EXPECT_EQ(Counter, 13);
    EXPECT_EQ(static_cast<TTestItem*>(C.ItemAt(2))->LineNo(), 12);
    EXPECT_EQ(C.LineNo(), 0);
}

TEST_F(CollectionTest, NestedCollectionsRoundTripInAllThreeForms)
{
    auto Build = [] {
        auto Root = std::make_unique<TObjectCollection>(3);
        auto* Sorted = new TCompareEventSortedCollection(2);
        Sorted->Insert(new TTestItem(5, "x"));
        Sorted->SetDuplicates(false);
        auto* Inner = new TObjectCollection;
        Inner->Insert(Sorted);
        Inner->Insert(new TTestItem(-7, "\x8A"));
        Root->Insert(Inner);
        Root->Insert(new TCompareObjectSortedCollection);
        Root->Insert(new TTestItem(32767, "last"));
        return Root;
    };
    auto Put = [](TObjectStream& S, const TStreamableObject* Object, int Form) {
        if (Form == 0)
            S.PutObject(Object);
        else if (Form == 1)
            S.PutObjectSmall(Object);
        else
            S.PutObjectEx(Object);
    };
    auto Get = [](TObjectStream& S, int Form) {
        return Form == 0 ? S.GetObject() : Form == 1 ? S.GetObjectSmall() : S.GetObjectEx();
    };
    auto Root = Build();
    string Bytes[3];
    for (int Form = 0; Form < 3; ++Form) {
        {
            TObjectStream Out(Path("nested"), fmCreate);
            Put(Out, Root.get(), Form);
        }
        Bytes[Form] = FileBytes(Path("nested"));
        TObjectStream In(Path("nested"), fmOpenRead);
        auto Loaded = Get(In, Form);
        EXPECT_TRUE(In.AtEnd()) << Form;
        {
            TObjectStream Out(Path("again"), fmCreate);
            Put(Out, Loaded.get(), Form);
        }
        EXPECT_EQ(HexOf(FileBytes(Path("again"))), HexOf(Bytes[Form])) << Form;
        auto& Top = dynamic_cast<TObjectCollection&>(*Loaded);
        auto& Inner = dynamic_cast<TObjectCollection&>(*Top.ItemAt(0));
        auto& Sorted = dynamic_cast<TCompareEventSortedCollection&>(*Inner.ItemAt(0));
        EXPECT_FALSE(Sorted.Duplicates()) << Form;
        EXPECT_EQ(static_cast<TTestItem*>(Sorted.ItemAt(0))->Text, "x");
        EXPECT_EQ(static_cast<TTestItem*>(Top.ItemAt(2))->Key, 32767);
    }
    // The small form is the compact one; the extended form adds 10000 to every code.
    EXPECT_LT(Bytes[1].size(), Bytes[0].size());
    EXPECT_EQ(Bytes[2].size(), Bytes[0].size());
    EXPECT_EQ(HexOf(Bytes[2].substr(0, 4)), "A6 27 00 00");
}

}  // namespace
}  // namespace tavo::test
