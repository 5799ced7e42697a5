#include "FormStream.h"

#include <cmath>
#include <cstring>

#include "platform/Codec.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::tools {

using platform::Format;
using platform::LoadStr;

static_assert(sizeof(long double) >= 10, "80-bit reals need the x87 extended type");

namespace {

// Deep enough for any real form, shallow enough for the stack.
constexpr int MaxNesting = 200;

char LowerAscii(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

}  // namespace

bool SameFormIdent(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (LowerAscii(A[i]) != LowerAscii(B[i]))
            return false;
    return true;
}

namespace {

bool IsIdentStart(char C)
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}

bool IsIdentChar(char C)
{
    return IsIdentStart(C) || (C >= '0' && C <= '9');
}

}  // namespace

bool IsFormIdent(std::string_view Text, bool Dotted)
{
    bool atStart = true;
    for (char c : Text) {
        if (atStart) {
            if (!IsIdentStart(c))
                return false;
            atStart = false;
        } else if (c == '.' && Dotted) {
            atStart = true;
        } else if (!IsIdentChar(c)) {
            return false;
        }
    }
    return !atStart;
}

// ---- TPersistent ----------------------------------------------------------------------

std::string TPersistent::ClassName() const
{
    return "TPersistent";
}

void TPersistent::Assign(const TPersistent& Source)
{
    Source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& Dest) const
{
    throw platform::EConvertError(Format(LoadStr(SAssignError), {ClassName(), Dest.ClassName()}));
}

void TPersistent::DefineProperties(TFiler&) {}

bool TPersistent::ReadProperty(std::string_view, TReader&)
{
    return false;
}

void TPersistent::WriteProperties(TWriter&) {}

TPersistent* TPersistent::PropertyObject(std::string_view)
{
    return nullptr;
}

std::vector<TFormComponent*> TFormComponent::FormChildren() const
{
    return {};
}

void TFormComponent::Loaded() {}

void TFormComponent::ReadingChild(TFormComponent&) {}

TFormComponent* TFormComponent::FindFormComponent(std::string_view Name)
{
    if (SameFormIdent(FormName(), Name))
        return this;
    for (TFormComponent* child : FormChildren())
        if (TFormComponent* found = child ? child->FindFormComponent(Name) : nullptr)
            return found;
    return nullptr;
}

// ---- TReader --------------------------------------------------------------------------

TReader::TReader(std::string_view Data) : FData(Data) {}

TReader::TNesting::TNesting(TReader& Reader) : FReader(Reader)
{
    if (++FReader.FDepth > MaxNesting) {
        --FReader.FDepth;
        throw platform::EReadError(LoadStr(SNestedTooDeep));
    }
}

void TReader::InvalidFormat()
{
    throw platform::EReadError(LoadStr(SInvalidStreamFormat));
}

void TReader::InvalidValue()
{
    throw platform::EReadError(LoadStr(SInvalidPropertyValue));
}

void TReader::Need(size_t Count) const
{
    if (Count > Remaining())
        throw platform::EReadError(LoadStr(SReadError));
}

uint8_t TReader::ReadByte()
{
    Need(1);
    return static_cast<uint8_t>(FData[FPos++]);
}

int16_t TReader::ReadRawInt16()
{
    Need(2);
    uint16_t v = static_cast<uint8_t>(FData[FPos]) | (static_cast<uint8_t>(FData[FPos + 1]) << 8);
    FPos += 2;
    return static_cast<int16_t>(v);
}

int32_t TReader::ReadRawInt32()
{
    Need(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(FData[FPos + i]);
    FPos += 4;
    return static_cast<int32_t>(v);
}

int64_t TReader::ReadRawInt64()
{
    Need(8);
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(FData[FPos + i]);
    FPos += 8;
    return static_cast<int64_t>(v);
}

std::string TReader::ReadBytes(size_t Count)
{
    Need(Count);
    std::string bytes(FData.substr(FPos, Count));
    FPos += Count;
    return bytes;
}

std::string TReader::ReadStr()
{
    return ReadBytes(ReadByte());
}

TValueType TReader::NextValue()
{
    Need(1);
    auto tag = static_cast<uint8_t>(FData[FPos]);
    if (tag > static_cast<uint8_t>(TValueType::vaUTF8String))
        InvalidFormat();
    return static_cast<TValueType>(tag);
}

TValueType TReader::ReadValue()
{
    TValueType value = NextValue();
    ++FPos;
    return value;
}

void TReader::CheckValue(TValueType Expected)
{
    if (ReadValue() != Expected)
        InvalidValue();
}

bool TReader::EndOfList()
{
    Need(1);
    return FData[FPos] == 0;
}

void TReader::ReadListBegin()
{
    CheckValue(TValueType::vaList);
}

void TReader::ReadListEnd()
{
    CheckValue(TValueType::vaNull);
}

int64_t TReader::ReadInt64()
{
    switch (ReadValue()) {
    case TValueType::vaInt8:
        return static_cast<int8_t>(ReadByte());
    case TValueType::vaInt16:
        return ReadRawInt16();
    case TValueType::vaInt32:
        return ReadRawInt32();
    case TValueType::vaInt64:
        return ReadRawInt64();
    default:
        InvalidValue();
    }
}

int32_t TReader::ReadInteger()
{
    int64_t v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX)
        InvalidValue();
    return static_cast<int32_t>(v);
}

bool TReader::ReadBoolean()
{
    switch (ReadValue()) {
    case TValueType::vaFalse:
        return false;
    case TValueType::vaTrue:
        return true;
    default:
        InvalidValue();
    }
}

std::u16string TReader::ReadWideString()
{
    switch (ReadValue()) {
    case TValueType::vaWString: {
        int32_t count = ReadRawInt32();
        if (count < 0 || static_cast<uint64_t>(count) * 2 > Remaining())
            InvalidFormat();
        std::u16string text(static_cast<size_t>(count), u'\0');
        for (auto& unit : text)
            unit = static_cast<char16_t>(ReadRawInt16());
        return text;
    }
    case TValueType::vaUTF8String: {
        int32_t length = ReadRawInt32();
        if (length < 0)
            InvalidFormat();
        return Utf8ToUtf16(ReadBytes(static_cast<size_t>(length)));
    }
    default:
        FPos--;
        return Utf8ToUtf16(platform::AnsiToUtf8(ReadString()));
    }
}

std::string TReader::ReadString()
{
    switch (ReadValue()) {
    case TValueType::vaString:
        return ReadStr();
    case TValueType::vaLString: {
        int32_t length = ReadRawInt32();
        if (length < 0)
            InvalidFormat();
        return ReadBytes(static_cast<size_t>(length));
    }
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        FPos--;
        return platform::Utf8ToAnsiLossy(Utf16ToUtf8(ReadWideString()));
    default:
        InvalidValue();
    }
}

std::string TReader::ReadIdent()
{
    switch (ReadValue()) {
    case TValueType::vaIdent: {
        std::string ident = ReadStr();
        if (!IsFormIdent(ident, true))
            InvalidFormat();
        // Written back, these become their own tags: give them the spelling of those.
        for (const char* special : {"False", "True", "nil"})
            if (SameFormIdent(ident, special))
                return special;
        return ident;
    }
    case TValueType::vaFalse:
        return "False";
    case TValueType::vaTrue:
        return "True";
    case TValueType::vaNil:
        return "nil";
    case TValueType::vaNull:
        return "Null";
    default:
        InvalidValue();
    }
}

long double TReader::ReadFloat()
{
    switch (ReadValue()) {
    case TValueType::vaExtended: {
        std::string bytes = ReadBytes(10);
        long double v = 0;
        std::memcpy(&v, bytes.data(), 10);
        // Subnormals too: no form holds them, and their text would not read back.
        if (!std::isfinite(v) || std::fpclassify(v) == FP_SUBNORMAL)
            InvalidValue();
        return v;
    }
    case TValueType::vaSingle:
        FPos--;
        return ReadSingle();
    case TValueType::vaDate:
        FPos--;
        return ReadDate();
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        FPos--;
        return static_cast<long double>(ReadInt64());
    default:
        InvalidValue();
    }
}

float TReader::ReadSingle()
{
    CheckValue(TValueType::vaSingle);
    auto raw = static_cast<uint32_t>(ReadRawInt32());
    float v = 0;
    std::memcpy(&v, &raw, 4);
    if (!std::isfinite(v))
        InvalidValue();
    return v;
}

int64_t TReader::ReadCurrency()
{
    CheckValue(TValueType::vaCurrency);
    return ReadRawInt64();
}

double TReader::ReadDate()
{
    CheckValue(TValueType::vaDate);
    auto raw = static_cast<uint64_t>(ReadRawInt64());
    double v = 0;
    std::memcpy(&v, &raw, 8);
    if (!std::isfinite(v))
        InvalidValue();
    return v;
}

std::string TReader::ReadBinary()
{
    CheckValue(TValueType::vaBinary);
    int32_t length = ReadRawInt32();
    if (length < 0)
        InvalidFormat();
    return ReadBytes(static_cast<size_t>(length));
}

std::vector<std::string> TReader::ReadSet()
{
    CheckValue(TValueType::vaSet);
    std::vector<std::string> names;
    for (;;) {
        std::string name = ReadStr();
        if (name.empty())
            return names;
        if (!IsFormIdent(name))
            InvalidFormat();
        names.push_back(std::move(name));
    }
}

void TReader::SkipValue()
{
    switch (NextValue()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        ReadValue();
        break;
    case TValueType::vaList: {
        TNesting nesting(*this);
        ReadValue();
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        break;
    }
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        ReadInt64();
        break;
    case TValueType::vaExtended:
        ReadValue();
        ReadBytes(10);
        break;
    case TValueType::vaSingle:
        ReadValue();
        ReadBytes(4);
        break;
    case TValueType::vaCurrency:
    case TValueType::vaDate:
        ReadValue();
        ReadBytes(8);
        break;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        ReadWideString();
        break;
    case TValueType::vaIdent:
        ReadIdent();
        break;
    case TValueType::vaBinary:
        ReadBinary();
        break;
    case TValueType::vaSet:
        ReadSet();
        break;
    case TValueType::vaCollection: {
        TNesting nesting(*this);
        ReadValue();
        while (!EndOfList()) {
            switch (NextValue()) {
            case TValueType::vaInt8:
            case TValueType::vaInt16:
            case TValueType::vaInt32:
                ReadInteger();
                break;
            default:
                break;
            }
            ReadListBegin();
            while (!EndOfList()) {
                ReadPropName();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    }
    }
}

std::string TReader::ReadPropName()
{
    std::string name = ReadStr();
    if (!IsFormIdent(name, true))
        InvalidFormat();
    return name;
}

void TReader::ReadSignature()
{
    if (Remaining() < 4 || FData.substr(FPos, 4) != "TPF0")
        InvalidFormat();
    FPos += 4;
}

TReader::TComponentHeader TReader::ReadComponentHeader()
{
    TComponentHeader header;
    Need(1);
    auto first = static_cast<uint8_t>(FData[FPos]);
    if ((first & 0xF0) == 0xF0) {
        ++FPos;
        header.Flags = first & 0x0F;
        if (header.Flags & ~(ffInherited | ffChildPos | ffInline))
            InvalidFormat();
        if (header.Flags & ffChildPos) {
            header.ChildPos = ReadInteger();
            if (header.ChildPos < 0)
                InvalidFormat();
        }
    }
    header.ClassName = ReadStr();
    header.Name = ReadStr();
    if (!IsFormIdent(header.ClassName) || (!header.Name.empty() && !IsFormIdent(header.Name)))
        InvalidFormat();
    return header;
}

void TReader::ReadProperty(TPersistent& Instance)
{
    std::string fullName = ReadPropName();
    TPersistent* target = &Instance;
    size_t start = 0;
    for (size_t dot = fullName.find('.'); dot != std::string::npos;
         start = dot + 1, dot = fullName.find('.', start)) {
        target = target->PropertyObject(std::string_view(fullName).substr(start, dot - start));
        if (!target)
            throw platform::EReadError(Format(LoadStr(SUnknownProperty), {fullName}));
    }
    FPropName = fullName.substr(start);
    FPropHandled = false;
    target->DefineProperties(*this);
    if (!FPropHandled && !target->ReadProperty(FPropName, *this))
        throw platform::EReadError(Format(LoadStr(SUnknownProperty), {fullName}));
    FPropHandled = true;
}

void TReader::DefineProperty(std::string_view Name, const TReadProc& ReadData, const TWriteProc&,
                             bool)
{
    if (!FPropHandled && ReadData && Name == FPropName) {
        FPropHandled = true;
        ReadData(*this);
    }
}

void TReader::DefineBinaryProperty(std::string_view Name, const TReadBinaryProc& ReadData,
                                   const TWriteBinaryProc&, bool)
{
    if (!FPropHandled && ReadData && Name == FPropName) {
        FPropHandled = true;
        std::string bytes = ReadBinary();
        ReadData(bytes);
    }
}

TFormComponent& TReader::FindComponent(std::string_view Name)
{
    TFormComponent* found = FRoot ? FRoot->FindFormComponent(Name) : nullptr;
    if (!found)
        throw platform::EReadError(Format(LoadStr(SComponentNotFound), {std::string(Name)}));
    return *found;
}

void TReader::ReadComponentBody(TFormComponent& Instance, std::vector<TFormComponent*>& Read)
{
    TNesting nesting(*this);
    Read.push_back(&Instance);
    while (!EndOfList()) {
        size_t at = FPos;
        try {
            ReadProperty(Instance);
        } catch (const platform::EReadError& error) {
            // Name the component and property, as the user edits them in the form.
            TReader again(FData);
            again.FPos = at;
            std::string prop = again.ReadStr();
            throw platform::EReadError(Format(LoadStr(SErrorReadingProperty),
                                              {Instance.FormName(), prop, error.Message()}));
        }
    }
    ReadListEnd();
    while (!EndOfList()) {
        TComponentHeader header = ReadComponentHeader();
        TFormComponent* child = FRoot ? FRoot->FindFormComponent(header.Name) : nullptr;
        if (!child)
            throw platform::EReadError(Format(LoadStr(SComponentNotFound), {header.Name}));
        if (child->ClassName() != header.ClassName)
            throw platform::EReadError(
                Format(LoadStr(SComponentClassMismatch), {header.Name, header.ClassName}));
        Instance.ReadingChild(*child);
        ReadComponentBody(*child, Read);
    }
    ReadListEnd();
}

void TReader::ReadRootComponent(TFormComponent& Root)
{
    ReadSignature();
    TComponentHeader header = ReadComponentHeader();
    if (header.ClassName != Root.ClassName())
        throw platform::EReadError(
            Format(LoadStr(SComponentClassMismatch), {Root.FormName(), header.ClassName}));
    FRoot = &Root;
    std::vector<TFormComponent*> read;
    ReadComponentBody(Root, read);
    for (TFormComponent* component : read)
        component->Loaded();
}

}  // namespace tavo::tools
