// Damaged files: counts and capacities that the file cannot back, files that end early,
// nesting without end. Each fails with a clear error or loads what is there.
#include "ObjectsTestSupport.h"

#include "platform/Errors.h"

namespace tavo::test {
namespace {

using std::string;

class DamagedFileTest : public ObjectsTest {
protected:
    std::unique_ptr<TObjectStream> Reading(const string& Bytes)
    {
        WriteBytes(Path("damaged"), Bytes);
        return std::make_unique<TObjectStream>(Path("damaged"), fmOpenRead);
    }
    string EndsEarly() const
    {
        return "The file '" + Path("damaged") + "' ends before all of its objects have been read.";
    }
};

TEST_F(DamagedFileTest, ACountBeyondTheFileStopsAtItsEnd)
{
    // 134,217,727 items promised, one present.
    auto Stream = Reading(Hex("FF FF FF 07 FF FF FF 07 0A 00 00 00 84 03 00 00 01 00 00 00 00 00"));
    EXPECT_THROW_MESSAGE(LoadObject<TObjectCollection>(*Stream), platform::EReadError, EndsEarly());
    EXPECT_EQ(TTestItem::Freed, 1);  // the partial collection went with its item

    // The same in the small form, inside a class-coded collection.
    Stream = Reading(Hex("96 00 FF 7F FF 7F 0A 00 84 03 01 00 00 00"));
    EXPECT_THROW_MESSAGE(Stream->GetObjectSmall(), platform::EReadError, EndsEarly());
    EXPECT_EQ(TTestItem::Freed, 2);
}

TEST_F(DamagedFileTest, ImpossibleCapacitiesAreListErrors)
{
    auto Stream = Reading(Hex("01 00 00 00 FF FF FF 7F 0A 00 00 00"));
    EXPECT_THROW_MESSAGE(LoadObject<TObjectCollection>(*Stream), platform::EListError,
                         "List capacity out of bounds (2147483647)");
    Stream = Reading(Hex("01 00 00 80 0A 00"));
    TObjectCollection Small;
    EXPECT_THROW_MESSAGE(Small.LoadSmall(*Stream), platform::EListError,
                         "List capacity out of bounds (-2147483647)");
}

TEST_F(DamagedFileTest, NegativeOrNullCountsLoadNoItems)
{
    auto Stream = Reading(Hex("FF FF FF FF 00 00 00 00 0A 00 00 00 00 80 00 00 0A 00"));
    EXPECT_EQ(LoadObject<TObjectCollection>(*Stream)->Count(), 0);
    TObjectCollection Small;
    Small.LoadSmall(*Stream);
    EXPECT_EQ(Small.Count(), 0);
    EXPECT_TRUE(Stream->AtEnd());
}

TEST_F(DamagedFileTest, EndlessNestingIsRefused)
{
    string Bytes;
    for (int I = 0; I < 5000; ++I)
        Bytes += Hex("96 00 00 00 01 00 00 00 01 00 00 00 0A 00 00 00");
    auto Stream = Reading(Bytes);
    EXPECT_THROW_MESSAGE(Stream->GetObject(), platform::EReadError,
                         "The objects in the file '" + Path("damaged") +
                             "' are nested more than 200 levels deep.");

    // Nesting within the limit loads, and the stream is usable after a refusal.
    string Nested;
    for (int I = 0; I < 199; ++I)
        Nested += Hex("96 00 00 00 01 00 00 00 01 00 00 00 0A 00 00 00");
    Nested += Hex("96 00 00 00 00 00 00 00 00 00 00 00 0A 00 00 00");
    Stream = Reading(Nested);
    EXPECT_NO_THROW(Stream->GetObject());
    EXPECT_TRUE(Stream->AtEnd());
}

TEST_F(DamagedFileTest, AFailingItemEndsTheLoadAndFreesWhatWasRead)
{
    auto Stream = Reading(Hex("03 00 00 00 03 00 00 00 0A 00 00 00 "
                              "84 03 00 00 01 00 00 00 00 00 "
                              "84 03 00 00 02 00 00 00 00 00 "
                              "E7 03 00 00"));
    EXPECT_THROW_MESSAGE(LoadObject<TObjectCollection>(*Stream), EObjectStream,
                         "Attempt to read unregistered class 999 from stream");
    EXPECT_EQ(TTestItem::Freed, 2);
}

TEST_F(DamagedFileTest, ATextLongerThanTheFileKeepsWhatIsThere)
{
    auto Stream = Reading(Hex("84 03 00 00 05 00 00 00 FF FF 61 62"));
    auto Item = Stream->GetObject();
    EXPECT_EQ(static_cast<TTestItem&>(*Item).Key, 5);
    EXPECT_EQ(static_cast<TTestItem&>(*Item).Text, "ab");
}

}  // namespace
}  // namespace tavo::test
