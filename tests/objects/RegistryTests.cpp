// Class codes in the three forms, the registry's order and its errors.
#include "ObjectsTestSupport.h"

#include "platform/Errors.h"

namespace tavo::test {
namespace {

using std::string;

// A class that claims a code already taken.
class TImpostor : public TObjectCollection {
public:
    static constexpr std::string_view StaticClassName = "TImpostor";
    const TStreamClass& ClassType() const override { return StreamClassOf<TImpostor>(); }
};

template <int32_t Code> class TCoded : public TStreamableObject {
public:
    static constexpr std::string_view StaticClassName = "TCoded";
    static int32_t ClassCode() { return Code; }
    const TStreamClass& ClassType() const override { return StreamClassOf<TCoded>(); }
};

// A registered class that can be built but provides none of the stream operations.
class TNoStore : public TStreamableObject {
public:
    static constexpr std::string_view StaticClassName = "TNoStore";
    static int32_t ClassCode() { return 901; }
    const TStreamClass& ClassType() const override { return StreamClassOf<TNoStore>(); }
};

std::vector<uint32_t> RegisteredCodes()
{
    std::vector<uint32_t> Codes;
    StreamRegistry()->ForEach([&](TStreamableObject* Rec) {
        Codes.push_back(static_cast<uint32_t>(static_cast<TStreamRec*>(Rec)->Code()));
    });
    return Codes;
}

class RegistryTest : public ObjectsTest {
protected:
    template <class F> string Written(F&& Write)
    {
        {
            TObjectStream Stream(Path("out"), fmCreate);
            Write(Stream);
        }
        return HexOf(FileBytes(Path("out")));
    }
    std::unique_ptr<TObjectStream> Reading(const string& Bytes)
    {
        WriteBytes(Path("in"), Bytes);
        return std::make_unique<TObjectStream>(Path("in"), fmOpenRead);
    }
};

TEST_F(RegistryTest, ClassCodesPrecedeObjectsInTheThreeForms)
{
    TObjectCollection Empty;
    TCompareEventSortedCollection Events;
    TCustomSortedCollection Custom;
    EXPECT_EQ(Written([&](auto& S) { S.PutObject(&Empty); }),
              "96 00 00 00 00 00 00 00 00 00 00 00 0A 00 00 00");
    EXPECT_EQ(Written([&](auto& S) { S.PutObjectSmall(&Events); }),
              "FB 00 00 00 00 00 0A 00 01 00");
    EXPECT_EQ(Written([&](auto& S) { S.PutObjectEx(&Empty); }),
              "A6 27 00 00 00 00 00 00 00 00 00 00 0A 00 00 00");
    // A sorted collection of its own class writes the code it inherits.
    EXPECT_EQ(Written([&](auto& S) { S.PutObject(&Custom); }),
              "96 00 00 00 00 00 00 00 00 00 00 00 0A 00 00 00 01 00");
    auto Back = Reading(FileBytes(Path("out")))->GetObject();
    EXPECT_EQ(Back->ClassName(), "TObjectCollection");
    EXPECT_EQ(TCompareObjectSortedCollection::ClassCode(), 250);
    EXPECT_EQ(StreamClassOf<TStreamRecordsColl>().ClassCode(), 150);
}

TEST_F(RegistryTest, EachFormReadsBackWhatItWrote)
{
    TObjectCollection Source;
    Source.Insert(new TTestItem(7, "seven"));
    Source.Insert(new TCompareObjectSortedCollection(3));
    {
        TObjectStream Stream(Path("forms"), fmCreate);
        Stream.PutObject(&Source);
        Stream.PutObjectSmall(&Source);
        Stream.PutObjectEx(&Source);
    }
    TObjectStream Stream(Path("forms"), fmOpenRead);
    std::unique_ptr<TStreamableObject> Loaded[] = {Stream.GetObject(), Stream.GetObjectSmall(),
                                                   Stream.GetObjectEx()};
    EXPECT_TRUE(Stream.AtEnd());
    for (auto& Object : Loaded) {
        auto& Collection = dynamic_cast<TObjectCollection&>(*Object);
        ASSERT_EQ(Collection.Count(), 2);
        EXPECT_EQ(static_cast<TTestItem*>(Collection.ItemAt(0))->Text, "seven");
        EXPECT_EQ(Collection.ItemAt(1)->ClassName(), "TCompareObjectSortedCollection");
        EXPECT_EQ(static_cast<TObjectCollection*>(Collection.ItemAt(1))->Capacity(), 3);
    }
}

TEST_F(RegistryTest, UnregisteredCodesFailAfterTheCodeIsRead)
{
    auto Stream = Reading(Hex("E7 03 00 00 4A 01 4A 27 00 00"));
    try {
        Stream->GetObject();
        FAIL();
    } catch (const EObjectStream& E) {
        EXPECT_EQ(E.Code(), -6);
        EXPECT_EQ(E.Message(), "Attempt to read unregistered class 999 from stream");
    }
    EXPECT_EQ(Stream->GetPos(), 4);
    // The small form reads 330 as 357.
    EXPECT_THROW_MESSAGE(Stream->GetObjectSmall(), EObjectStream,
                         "Attempt to read unregistered class 357 from stream");
    // 10058: the extended code of 58.
    EXPECT_THROW_MESSAGE(Stream->GetObjectEx(), EObjectStream,
                         "Attempt to read unregistered class 58 from stream");
}

TEST_F(RegistryTest, WritingNeedsARegisteredClassAndWritesNothingOtherwise)
{
    TCoded<77> Unregistered;
    TObjectStream Stream(Path("w"), fmCreate);
    EXPECT_THROW_MESSAGE(Stream.PutObject(&Unregistered), EObjectStream,
                         "Attempt to write unregistered class TCoded to stream");
    EXPECT_THROW_MESSAGE(Stream.PutObjectSmall(nullptr), EObjectStream,
                         "Attempt to write invalid class NIL to stream");
    TLinesItem NoCode;
    EXPECT_THROW(Stream.PutObjectEx(&NoCode), platform::EAbstractError);
    EXPECT_EQ(Stream.GetPos(), 0);
}

TEST_F(RegistryTest, RegistrationKeepsOneClassPerCodeInUnsignedOrder)
{
    EXPECT_EQ(RegisteredCodes(), (std::vector<uint32_t>{150, 250, 251, 900}));
    RegisterStreamClass<TObjectCollection>();
    RegisterStreamClass<TCoded<-1>>();
    RegisterStreamClass<TCoded<5>>();
    RegisterStreamClass<TCoded<-2000>>();
    EXPECT_EQ(RegisteredCodes(),
              (std::vector<uint32_t>{5, 150, 250, 251, 900, 0xFFFFF830u, 0xFFFFFFFFu}));
    EXPECT_EQ(FindStreamClass(-1), &StreamClassOf<TCoded<-1>>());

    try {
        RegisterStreamClass<TImpostor>();
        FAIL();
    } catch (const EObjectStream& E) {
        EXPECT_EQ(E.Code(), -4);
        EXPECT_EQ(E.Message(), "Attempt to register TImpostor and TObjectCollection under the same "
                               "registration code 150");
    }
    EXPECT_EQ(StreamRegistry()->Count(), 7);
    EXPECT_EQ(FindStreamClass(150), &StreamClassOf<TObjectCollection>());
}

TEST_F(RegistryTest, AbsentOperationsAreAbstractErrors)
{
    RegisterStreamClass<TNoStore>();
    TNoStore Object;
    TObjectStream Stream(Path("abstract"), fmCreate);
    EXPECT_THROW_MESSAGE(Object.Store(Stream), platform::EAbstractError, "Abstract Error");
    EXPECT_THROW(Object.StoreSmall(Stream), platform::EAbstractError);
    EXPECT_THROW(Object.StoreEx(Stream), platform::EAbstractError);
    EXPECT_THROW(TStreamableObject::ClassCode(), platform::EAbstractError);
    std::string Text;
    EXPECT_THROW(TLinesItem().GetText(0, 0, Text), platform::EAbstractError);
    // Housekeeping has harmless defaults.
    std::unique_ptr<TStreamableObject> Dest;
    Object.CopyTo(Dest);
    EXPECT_EQ(Dest, nullptr);
    EXPECT_FALSE(Object.IsEmpty());

    auto In = Reading(Hex("85 03 00 00"));
    EXPECT_THROW(In->GetObject(), platform::EAbstractError);
}

TEST_F(RegistryTest, ErrorCodesSelectTheirMessages)
{
    EXPECT_EQ(EObjectStream(-1, {"TX"}).Message(),
              "Attempt to register TX with registration code 0");
    EXPECT_EQ(EObjectStream(-2, {int64_t{7}}).Message(),
              "Attempt to register a NIL class with registration code 7");
    EXPECT_EQ(EObjectStream(-3, {"TX", int64_t{7}}).Message(),
              "Attempt to register non streamable class TX with registration code 7");
    EXPECT_EQ(EObjectStream(-5).Message(),
              "Attempt to read from stream, but no registered classes");
    EXPECT_EQ(EObjectStream(-7, {"TX"}).Message(), "Attempt to read invalid class TX from stream");
    EXPECT_EQ(EObjectStream(-8).Message(), "Attempt to write to stream, but no registered classes");
    EXPECT_EQ(EObjectStream(-11, {"TX"}).Message(),
              "TX returned an invalid registration code in WriteParentCode");
    EXPECT_EQ(EObjectStream(-12, {"TA", "TB"}).Message(), "Got TA but expected TB");
    EXPECT_EQ(EObjectStream(3).Message(), "Unknown error 3 in the object TObjectStream.");
    EXPECT_EQ(EObjectStream(-13).Code(), -13);
    EXPECT_EQ(EObjectStream(-13).Message(), "Unknown error -13 in the object TObjectStream.");
    EXPECT_EQ(ECollectionError(-2).Message(), "Stack overflow.");
    EXPECT_EQ(ECollectionError(-3).Message(), "Stack");
    EXPECT_EQ(ECollectionError(0).Message(), "Unknown error 0 in the object TCollection.");
    EXPECT_EQ(ECollectionError(-4).Code(), -4);
    // Callers catch them by their framework roles.
    EXPECT_THROW(throw EObjectStream(-6, {int64_t{1}}), platform::EStreamError);
    EXPECT_THROW(throw ECollectionError(-1, {"T"}), platform::EListError);
    EXPECT_THROW(throw EFVersionError("f"), platform::EStreamError);
}

TEST_F(RegistryTest, WithoutTheLibraryStartedClassCodedAccessIsRefused)
{
    WriteBytes(Path("in"), Hex("96 00 00 00"));
    StopObjectsModule();
    TObjectCollection Empty;
    TObjectStream In(Path("in"), fmOpenRead);
    EXPECT_THROW_MESSAGE(In.GetObject(), EObjectStream,
                         "Attempt to read from stream, but no registered classes");
    TObjectStream Out(Path("out"), fmCreate);
    EXPECT_THROW_MESSAGE(Out.PutObject(&Empty), EObjectStream,
                         "Attempt to write to stream, but no registered classes");
    StartObjectsModule();
}

}  // namespace
}  // namespace tavo::test
