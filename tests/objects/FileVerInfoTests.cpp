// Version headers: what is written in both forms, where the data begins when reading,
// which version texts are accepted.
#include "ObjectsTestSupport.h"

#include "platform/StartupLog.h"

namespace tavo::test {
namespace {

using std::string;

// The descriptive texts this system writes, each in a 16-byte field.
const std::array<string, 5> SystemTexts = {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ",
                                           "TAVO           ", ">=95           "};
const string SystemBlock = string("SETUP_1_0      \0ENGLISH        \0ENGLISH        \0"
                                  "TAVO           \0>=95           \0",
                                  80);

// A long header as another program may have written it.
string LongHeader(const string& Version, const string& FormatAndSize, const string& Block)
{
    return "VXFILEVERINF" + Version + Hex(FormatAndSize) + Block;
}

class FileVerInfoTest : public ObjectsTest {};

TEST_F(FileVerInfoTest, VersionTextsAreCutOrPaddedToTwelveCharacters)
{
    TFileVerInfo Info(false, "AB", "ABCDEFGHIJKLMNOPQRST", "KALPDFV_1.00");
    EXPECT_FALSE(Info.Signature());
    EXPECT_EQ(Info.Versions(0), "AB          ");
    EXPECT_EQ(Info.Versions(1), "ABCDEFGHIJKL");
    EXPECT_EQ(Info.Versions(2), "KALPDFV_1.00");
    EXPECT_EQ(Info.Versions(4), "            ");
    EXPECT_EQ(Info.ReadVersion(), 0);
    EXPECT_THROW(Info.Versions(5), platform::EListError);

    ASSERT_NE(DefaultVerInfo(), nullptr);
    EXPECT_TRUE(DefaultVerInfo()->Signature());
    EXPECT_EQ(DefaultVerInfo()->Versions(0), "STANDARD_4.0");
    EXPECT_EQ(DefaultVerInfo()->Versions(1), "            ");
}

TEST_F(FileVerInfoTest, ShortFormIsTheVersionTextAlone)
{
    TFileVerInfo Info(false, "AB");
    {
        TObjectStream Stream(Path("short"), Info, fmCreate);
        EXPECT_EQ(Stream.GetPos(), 12);
        Stream.WriteInt(7);
    }
    EXPECT_EQ(FileBytes(Path("short")), "AB          " + Hex("07 00 00 00"));

    TObjectStream Stream(Path("short"), Info, fmOpenRead);
    int32_t Value = 0;
    Stream.ReadInt(Value);
    EXPECT_EQ(Value, 7);
}

TEST_F(FileVerInfoTest, LongFormWithThisSystemsSettingsIs110Bytes)
{
    SetHeaderSettings(1, SystemTexts);
    TFileVerInfo Catalogue(true, "KALPDFV_1.00");
    {
        auto Stream = TObjectStream::CreateVer(Path("cat"), Catalogue, fmCreate);
        EXPECT_EQ(Stream->Version(), 0);
        Stream->WriteByte(0xEE);
    }
    const string Expected = LongHeader("KALPDFV_1.00", "01 00 50 00 00 00", SystemBlock) + "\xEE";
    EXPECT_EQ(HexOf(FileBytes(Path("cat"))), HexOf(Expected));

    auto Stream = TObjectStream::CreateVer(Path("cat"), Catalogue, fmOpenRead);
    EXPECT_EQ(Stream->GetPos(), 110);
    Stream->SetPos(Stream->GetPos());
    uint8_t Byte = 0;
    Stream->ReadByte(Byte);
    EXPECT_EQ(Byte, 0xEE);
}

TEST_F(FileVerInfoTest, FormatTwoCarriesTheFlagByteOutsideTheCountedBlock)
{
    SetHeaderSettings(2, {"A TEXT OF SIXTEEN+", "", "", "", "X"});
    TFileVerInfo Info(true, "V2");
    uint8_t Flag = 0x5A;
    TObjectStream::CreateVerEx(Path("f2"), Info, fmCreate, Flag)->WriteByte(0xEE);
    const string Block = "A TEXT OF SIXTEE" + string(48, '\0') + "X" + string(15, '\0');
    EXPECT_EQ(HexOf(FileBytes(Path("f2"))),
              HexOf(LongHeader("V2          ", "02 00 50 00 00 00 5A", Block) + "\xEE"));

    uint8_t ReadFlag = 0;
    auto Stream = TObjectStream::CreateVerEx(Path("f2"), Info, fmOpenRead, ReadFlag);
    EXPECT_EQ(ReadFlag, 0x5A);
    EXPECT_EQ(Stream->GetPos(), 111);
}

TEST_F(FileVerInfoTest, ReaderSkipsTheBlockByItsSizeField)
{
    TFileVerInfo Info(true, "KALPDFV_1.00");
    const string Block100 = string(100, 'x');
    for (const char* Format : {"00 00", "01 00"}) {
        const string SizeField = string(Format) + " 64 00 00 00";
        WriteBytes(Path("big"), LongHeader("KALPDFV_1.00", SizeField, Block100) + "\x2A");
        uint8_t Flag = 9;
        TObjectStream Stream(Path("big"), Info, fmOpenRead, Flag);
        EXPECT_EQ(Stream.GetPos(), 130) << Format;
        EXPECT_EQ(Flag, 0) << Format;
    }
    // A header cut inside its block still has its version checked.
    WriteBytes(Path("cut"), "VXFILEVERINFKALPDFV_1.00" + Hex("01"));
    EXPECT_EQ(TObjectStream(Path("cut"), Info, fmOpenRead).Version(), 0);
}

TEST_F(FileVerInfoTest, OlderVersionsReadWithNegativeNumbers)
{
    TFileVerInfo Info(true, "CURRENT", "OLDER-1", "OLDER-2", "OLDER-3", "OLDER-4");
    for (int32_t N = 1; N <= 4; ++N) {
        WriteBytes(Path("old"), Info.Versions(N) + "data");
        TObjectStream Stream(Path("old"), Info, fmOpenRead);
        EXPECT_EQ(Stream.Version(), -N);
        EXPECT_EQ(Info.ReadVersion(), -N);
        EXPECT_EQ(Stream.GetPos(), 12);
    }
    // With only the current version set, twelve spaces match the blank first older slot.
    TFileVerInfo Catalogue(true, "KALPDFV_1.00");
    WriteBytes(Path("blank"), LongHeader(string(12, ' '), "01 00 50 00 00 00", SystemBlock));
    EXPECT_EQ(TObjectStream(Path("blank"), Catalogue, fmOpenRead).Version(), -1);
    WriteBytes(Path("plain"), "KALPDFV_1.00" + Hex("05 00 00 00"));
    EXPECT_EQ(TObjectStream(Path("plain"), Catalogue, fmOpenReadWrite).Version(), 0);
}

TEST_F(FileVerInfoTest, UnknownVersionRefusesTheFileAndKeepsTheDescriptor)
{
    TFileVerInfo Info(true, "KALPDFV_1.00", "KALPDFV_0.90");
    WriteBytes(Path("old"), "KALPDFV_0.90");
    TObjectStream(Path("old"), Info, fmOpenRead).Version();
    ASSERT_EQ(Info.ReadVersion(), -1);

    for (const string& Content : {string("kalpdfv_1.00"), string(), string("KALPDFV_1.0"),
                                  LongHeader("KALPDFV_1.01", "01 00 50 00 00 00", SystemBlock)}) {
        WriteBytes(Path("bad"), Content);
        EXPECT_THROW_MESSAGE(TObjectStream(Path("bad"), Info, fmOpenRead), EFVersionError,
                             "The incorrect file version '" + Path("bad") + "'");
        EXPECT_EQ(Info.ReadVersion(), -1);
    }
    // The refused file was closed again: it can be replaced at once.
    EXPECT_NO_THROW(TObjectStream(Path("bad"), Info, fmCreate));
}

TEST_F(FileVerInfoTest, OtherOpenModesHaveNoHeader)
{
    TFileVerInfo Info(true, "KALPDFV_1.00");
    WriteBytes(Path("raw"), Hex("2A 00 00 00"));
    TObjectStream Stream(Path("raw"), Info, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(Stream.Version(), 0);
    int32_t Value = 0;
    Stream.ReadInt(Value);
    EXPECT_EQ(Value, 42);

    // Mode 1 writes a header into the existing file, over its first bytes.
    WriteBytes(Path("existing"), string(20, '.'));
    TFileVerInfo Short(false, "NEW");
    TObjectStream(Path("existing"), Short, fmOpenWrite).Flush();
    EXPECT_EQ(FileBytes(Path("existing")), "NEW         ........");
}

TEST_F(FileVerInfoTest, ModuleStartAndStopManageTheSharedValues)
{
    SetHeaderSettings(1, SystemTexts);
    platform::ClearLifeEvents();
    StopObjectsModule();
    EXPECT_EQ(DefaultVerInfo(), nullptr);
    EXPECT_EQ(StreamRegistry(), nullptr);
    EXPECT_EQ(HeaderTexts[0], "");
    StartObjectsModule();
    EXPECT_EQ(HeaderFormat, 0);
    EXPECT_EQ(HeaderTexts[4], "");
    EXPECT_NE(DefaultVerInfo(), nullptr);
    EXPECT_EQ(platform::LifeEvents(), (std::vector<string>{"objects stopped", "objects started"}));
}

}  // namespace
}  // namespace tavo::test
