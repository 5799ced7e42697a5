#include "ObjectStream.h"

#include <algorithm>

#include "ObjectsErrors.h"
#include "StreamRegistry.h"
#include "StreamableObject.h"
#include "platform/Format.h"
#include "platform/StringTable.h"

namespace tavo::objects {

using platform::LoadStr;

namespace {

// The offset PutObjectEx adds to a class code.
constexpr int32_t ExCodeOffset = 10000;

// The small form's code 330 stands for class 357.
constexpr int32_t SmallCodeAlias = 330;
constexpr int32_t SmallCodeTarget = 357;

}  // namespace

// Counts class-coded objects being read inside each other on one stream.
class TObjectNesting {
public:
    explicit TObjectNesting(TObjectStream& Stream) : FStream(Stream)
    {
        if (FStream.FNesting >= MaxObjectNesting)
            throw platform::EReadError(platform::Format(
                LoadStr(SNestedTooDeeply), {FStream.FFileName, int64_t{MaxObjectNesting}}));
        ++FStream.FNesting;
    }
    ~TObjectNesting() { --FStream.FNesting; }
    TObjectNesting(const TObjectNesting&) = delete;
    TObjectNesting& operator=(const TObjectNesting&) = delete;

private:
    TObjectStream& FStream;
};

TObjectStream::TObjectStream(const std::string& FileName, uint16_t Mode)
    : FFileName(FileName), FFile(FileName, Mode)
{
}

TObjectStream::TObjectStream(const std::string& FileName, TFileVerInfo& VerInfo, uint16_t Mode)
    : FFileName(FileName), FFile(FileName, Mode)
{
    uint8_t HeaderFlag = 0;
    HeaderStep(VerInfo, Mode, HeaderFlag);
}

TObjectStream::TObjectStream(const std::string& FileName, TFileVerInfo& VerInfo, uint16_t Mode,
                             uint8_t& HeaderFlag)
    : FFileName(FileName), FFile(FileName, Mode)
{
    HeaderStep(VerInfo, Mode, HeaderFlag);
}

TObjectStream::~TObjectStream() = default;

std::unique_ptr<TObjectStream> TObjectStream::CreateVer(const std::string& FileName,
                                                        TFileVerInfo& VerInfo, uint16_t Mode)
{
    return std::make_unique<TObjectStream>(FileName, VerInfo, Mode);
}

std::unique_ptr<TObjectStream> TObjectStream::CreateVerEx(const std::string& FileName,
                                                          TFileVerInfo& VerInfo, uint16_t Mode,
                                                          uint8_t& HeaderFlag)
{
    return std::make_unique<TObjectStream>(FileName, VerInfo, Mode, HeaderFlag);
}

void TObjectStream::HeaderStep(TFileVerInfo& VerInfo, uint16_t Mode, uint8_t& HeaderFlag)
{
    if (Mode == fmOpenWrite || Mode == fmCreate) {
        if (VerInfo.Signature())
            Write(FileSignature.data(), static_cast<int32_t>(FileSignature.size()));
        FVersion = 0;
        Write(VerInfo.Versions(0).data(), static_cast<int32_t>(VersionTextLength));
        if (VerInfo.Signature()) {
            WriteWord(HeaderFormat);
            WriteInt(HeaderBlockSize);
            if (HeaderFormat > 1)
                WriteByte(HeaderFlag);
            for (const std::string& Text : HeaderTexts) {
                char Field[HeaderTextLength] = {};
                std::copy_n(Text.data(), std::min(Text.size(), HeaderTextLength), Field);
                Write(Field, static_cast<int32_t>(HeaderTextLength));
            }
        }
        return;
    }
    if (Mode != fmOpenRead && Mode != fmOpenReadWrite)
        return;

    char Text[VersionTextLength];
    int32_t Got = Read(Text, static_cast<int32_t>(VersionTextLength));
    if (Got == static_cast<int32_t>(VersionTextLength) &&
        std::string_view(Text, VersionTextLength) == FileSignature) {
        Got = Read(Text, static_cast<int32_t>(VersionTextLength));
        uint16_t Format = 0;
        int32_t BlockSize = 0;
        ReadWord(Format);
        ReadInt(BlockSize);
        int64_t DataStart = GetPos() + BlockSize;
        if (Format > 1) {
            ReadByte(HeaderFlag);
            ++DataStart;
        } else {
            HeaderFlag = 0;
        }
        // The descriptive texts are not kept: the data begins where the block ends.
        SetPos(DataStart);
    }
    // Missing bytes match no version text.
    const int32_t Match = Got == static_cast<int32_t>(VersionTextLength)
                              ? VerInfo.MatchVersion(std::string_view(Text, VersionTextLength))
                              : 1;
    if (Match > 0)
        throw EFVersionError(FFileName);
    FVersion = Match;
    VerInfo.SetReadVersion(Match);
}

void TObjectStream::ReadText(std::string& S, uint16_t Length)
{
    // The length comes from the file: never allocate more than the file still holds.
    const auto Present = static_cast<int32_t>(std::min<int64_t>(Length, Remaining()));
    S.resize(static_cast<size_t>(Present));
    if (Present > 0)
        S.resize(static_cast<size_t>(std::max(0, Read(S.data(), Present))));
}

void TObjectStream::WriteStr(std::string_view S)
{
    if (S.size() > MaxStreamText)
        throw platform::EWriteError(
            platform::Format(LoadStr(STextTooLong), {static_cast<int64_t>(S.size()), FFileName}));
    WriteWord(static_cast<uint16_t>(S.size()));
    if (!S.empty())
        Write(S.data(), static_cast<int32_t>(S.size()));
}

void TObjectStream::ReadSmallInt(int32_t& I)
{
    uint16_t Field = 0;
    ReadWord(Field);
    I = Field == 0x8000 ? NullInt : static_cast<int16_t>(Field);
}

void TObjectStream::WriteSmallInt(int32_t I)
{
    if (I == NullInt || I > 65535 || I < -65536)
        WriteWord(0x8000);
    else
        WriteWord(static_cast<uint16_t>(I));
}

std::unique_ptr<TStreamableObject> TObjectStream::GetObject()
{
    TObjectNesting Nesting(*this);
    int32_t Code = 0;
    ReadInt(Code);
    const TStreamClass* Class = FindStreamClass(Code);
    if (!Class)
        throw EObjectStream(StreamRegistry() ? osReadUnregistered : osReadNoClasses,
                            {int64_t{Code}});
    return Class->Load(*this);
}

std::unique_ptr<TStreamableObject> TObjectStream::GetObjectSmall()
{
    TObjectNesting Nesting(*this);
    uint16_t Field = 0;
    ReadWord(Field);
    if (Field == SmallCodeAlias)
        Field = SmallCodeTarget;
    const int32_t Code = static_cast<int16_t>(Field);
    const TStreamClass* Class = FindStreamClass(Code);
    if (!Class)
        throw EObjectStream(StreamRegistry() ? osReadUnregistered : osReadNoClasses,
                            {int64_t{Code}});
    return Class->LoadSmall(*this);
}

std::unique_ptr<TStreamableObject> TObjectStream::GetObjectEx()
{
    TObjectNesting Nesting(*this);
    int32_t Code = 0;
    ReadInt(Code);
    const bool Extended = Code >= ExCodeOffset;
    if (Extended)
        Code -= ExCodeOffset;
    const TStreamClass* Class = FindStreamClass(Code);
    if (!Class)
        throw EObjectStream(StreamRegistry() ? osReadUnregistered : osReadNoClasses,
                            {int64_t{Code}});
    return Extended ? Class->LoadEx(*this) : Class->Load(*this);
}

namespace {

// The registered code of Obj's class; nothing has been written when this fails.
int32_t CodeForWriting(const TStreamableObject* Obj)
{
    if (!Obj)
        throw EObjectStream(osWriteInvalid, {std::string("NIL")});
    if (!StreamRegistry())
        throw EObjectStream(osWriteNoClasses);
    const TStreamClass& Class = Obj->ClassType();
    const int32_t Code = Class.ClassCode();
    if (!FindStreamClass(Code))
        throw EObjectStream(osWriteUnregistered, {std::string(Class.Name())});
    return Code;
}

}  // namespace

void TObjectStream::PutObject(const TStreamableObject* Obj)
{
    WriteInt(CodeForWriting(Obj));
    Obj->Store(*this);
}

void TObjectStream::PutObjectSmall(const TStreamableObject* Obj)
{
    WriteWord(static_cast<uint16_t>(CodeForWriting(Obj)));
    Obj->StoreSmall(*this);
}

void TObjectStream::PutObjectEx(const TStreamableObject* Obj)
{
    WriteInt(static_cast<int32_t>(static_cast<uint32_t>(CodeForWriting(Obj)) + ExCodeOffset));
    Obj->StoreEx(*this);
}

}  // namespace tavo::objects
