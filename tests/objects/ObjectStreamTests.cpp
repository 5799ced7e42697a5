// The primitives' encodings, the stream's open errors, and positions.
#include "ObjectsTestSupport.h"

#include "platform/Errors.h"

namespace tavo::test {
namespace {

using std::string;

class ObjectStreamTest : public ObjectsTest {
protected:
    // The bytes that Write puts into a new file.
    template <class F> string Written(F&& Write)
    {
        {
            TObjectStream Stream(Path("out"), fmCreate);
            Write(Stream);
        }
        return HexOf(FileBytes(Path("out")));
    }
};

TEST_F(ObjectStreamTest, PrimitivesWriteTheirFixedEncodings)
{
    EXPECT_EQ(Written([](auto& S) { S.WriteStr(""); }), "00 00");
    EXPECT_EQ(Written([](auto& S) { S.WriteStr("abc"); }), "03 00 61 62 63");
    EXPECT_EQ(Written([](auto& S) { S.WriteInt(-2); }), "FE FF FF FF");
    EXPECT_EQ(Written([](auto& S) { S.WriteWord(0xBEEF); }), "EF BE");
    EXPECT_EQ(Written([](auto& S) {
                  S.WriteBool(true);
                  S.WriteBool(false);
              }),
              "01 00");
    EXPECT_EQ(Written([](auto& S) { S.WriteByte(0xC8); }), "C8");
    EXPECT_EQ(Written([](auto& S) { S.Write("\x01\x02\x03", 3); }), "01 02 03");
    // Windows-1250 bytes go out as they are.
    EXPECT_EQ(Written([](auto& S) { S.WriteStr("\x8A\xE8"); }), "02 00 8A E8");
}

TEST_F(ObjectStreamTest, SmallIntKeepsSixteenBitsAndMarksNull)
{
    EXPECT_EQ(Written([](auto& S) {
                  for (int32_t I : {NullInt, 70000, -32768, 65536, -65537})
                      S.WriteSmallInt(I);
              }),
              "00 80 00 80 00 80 00 80 00 80");
    EXPECT_EQ(Written([](auto& S) {
                  for (int32_t I : {40000, -1, 32767, -32767, 65535, -65536})
                      S.WriteSmallInt(I);
              }),
              "40 9C FF FF FF 7F 01 80 FF FF 00 00");

    WriteBytes(Path("in"), Hex("00 80 40 9C FF FF FF 7F 01 80"));
    TObjectStream Stream(Path("in"), fmOpenRead);
    std::vector<int32_t> Read(5);
    for (int32_t& I : Read)
        Stream.ReadSmallInt(I);
    EXPECT_EQ(Read, (std::vector<int32_t>{NullInt, -25536, -1, 32767, -32767}));
}

TEST_F(ObjectStreamTest, ValuesReadBackInTheOrderWritten)
{
    const string Long(65535, 'x');
    {
        TObjectStream Stream(Path("rt"), fmCreate);
        Stream.WriteInt(INT32_MIN);
        Stream.WriteStr("");
        Stream.WriteWord(0xFFFF);
        Stream.WriteByte(2);
        Stream.WriteStr(Long);
        Stream.WriteStr("\xE8"
                        "esky");
    }
    TObjectStream Stream(Path("rt"), fmOpenRead);
    int32_t I = 0;
    uint16_t W = 0;
    uint8_t B = 0;
    bool Flag = false;
    string Empty = "not empty", S1, S2;
    Stream.ReadInt(I);
    Stream.ReadStr(Empty);
    EXPECT_EQ(Stream.GetPos(), 6);
    Stream.ReadWord(W);
    const int64_t ByteAt = Stream.GetPos();
    Stream.ReadByte(B);
    Stream.SetPos(ByteAt);
    Stream.ReadBool(Flag);
    Stream.ReadStr(S1);
    Stream.ReadStr(S2);
    EXPECT_EQ(I, INT32_MIN);
    EXPECT_EQ(Empty, "");
    EXPECT_EQ(W, 0xFFFF);
    EXPECT_EQ(B, 2);
    EXPECT_TRUE(Flag);
    EXPECT_EQ(S1, Long);
    EXPECT_EQ(S2, "\xE8"
                  "esky");
    EXPECT_TRUE(Stream.AtEnd());
}

TEST_F(ObjectStreamTest, TooLongTextIsRefusedBeforeAnythingIsWritten)
{
    TObjectStream Stream(Path("long"), fmCreate);
    Stream.WriteInt(1);
    EXPECT_THROW_MESSAGE(Stream.WriteStr(string(65536, 'y')), platform::EWriteError,
                         "Cannot write a text of 65536 characters to the file '" + Path("long") +
                             "': a text may hold at most 65535 characters.");
    EXPECT_EQ(Stream.GetPos(), 4);
}

TEST_F(ObjectStreamTest, ReadingPastTheEndRaisesNothing)
{
    WriteBytes(Path("short"), Hex("05 00 41 42 37"));
    TObjectStream Stream(Path("short"), fmOpenRead);
    string S;
    Stream.ReadStr(S);
    EXPECT_EQ(S, "AB7");
    EXPECT_TRUE(Stream.AtEnd());
    int32_t I = 99;
    Stream.ReadInt(I);
    EXPECT_EQ(I, 0);
    char Buffer[8];
    EXPECT_EQ(Stream.Read(Buffer, 8), 0);
}

TEST_F(ObjectStreamTest, OpenFailuresNameTheFile)
{
    const string Missing = Path("missing.pdfv");
    EXPECT_THROW_MESSAGE(TObjectStream(Missing, fmOpenRead), platform::EFOpenError,
                         "Cannot open file " + Missing);
    EXPECT_THROW_MESSAGE(TObjectStream(Missing, *DefaultVerInfo(), fmOpenReadWrite),
                         platform::EFOpenError, "Cannot open file " + Missing);
    const string NoFolder = Path("no/such/folder/x");
    EXPECT_THROW_MESSAGE(TObjectStream(NoFolder, fmCreate), platform::EFCreateError,
                         "Cannot create file " + NoFolder);
    EXPECT_THROW(TObjectStream(TestFolder().string(), fmOpenRead), platform::EFOpenError);
}

TEST_F(ObjectStreamTest, StreamsObeyTheirOpenMode)
{
    WriteBytes(Path("ro"), "abc");
    TObjectStream Reader(Path("ro"), fmOpenRead);
    EXPECT_THROW(Reader.WriteInt(1), platform::EWriteError);
    EXPECT_EQ(FileBytes(Path("ro")), "abc");

    // Read and write on one stream: writes land where the position is.
    {
        TObjectStream Both(Path("ro"), fmOpenReadWrite);
        uint8_t B = 0;
        Both.ReadByte(B);
        Both.WriteByte('X');
        Both.ReadByte(B);
        EXPECT_EQ(B, 'c');
        Both.SetPos(0);
        Both.ReadByte(B);
        EXPECT_EQ(B, 'a');
    }
    EXPECT_EQ(FileBytes(Path("ro")), "aXc");
}

TEST_F(ObjectStreamTest, LargeFilesCrossTheBufferIntact)
{
    // Records that straddle buffer boundaries, and blocks larger than the buffer.
    const string Block(TBufferedFile::BufferSize * 2 + 17, 'q');
    {
        TObjectStream Stream(Path("large"), fmCreate);
        for (int32_t I = 0; I < 30000; ++I) {
            Stream.WriteInt(I);
            Stream.WriteStr(std::to_string(I));
        }
        Stream.Write(Block.data(), static_cast<int32_t>(Block.size()));
        Stream.WriteInt(-7);
        Stream.Flush();
    }
    TObjectStream Stream(Path("large"), fmOpenRead);
    string Text;
    for (int32_t I = 0; I < 30000; ++I) {
        int32_t Value = 0;
        Stream.ReadInt(Value);
        Stream.ReadStr(Text);
        ASSERT_EQ(Value, I);
        ASSERT_EQ(Text, std::to_string(I));
    }
    string Back(Block.size(), '\0');
    EXPECT_EQ(Stream.Read(Back.data(), static_cast<int32_t>(Back.size())),
              static_cast<int32_t>(Block.size()));
    EXPECT_EQ(Back, Block);
    int32_t Last = 0;
    Stream.ReadInt(Last);
    EXPECT_EQ(Last, -7);
}

}  // namespace
}  // namespace tavo::test
