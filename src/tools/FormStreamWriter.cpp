// The form stream's writer: values with their type tags, components and their properties.
#include <cstring>

#include "FormStream.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::tools {

using platform::LoadStr;

// ---- TWriter --------------------------------------------------------------------------

void TWriter::WriteRawInt16(int16_t Value)
{
    auto v = static_cast<uint16_t>(Value);
    WriteByte(static_cast<uint8_t>(v));
    WriteByte(static_cast<uint8_t>(v >> 8));
}

void TWriter::WriteRawInt32(int32_t Value)
{
    auto v = static_cast<uint32_t>(Value);
    for (int i = 0; i < 4; ++i)
        WriteByte(static_cast<uint8_t>(v >> (8 * i)));
}

void TWriter::WriteRawInt64(int64_t Value)
{
    auto v = static_cast<uint64_t>(Value);
    for (int i = 0; i < 8; ++i)
        WriteByte(static_cast<uint8_t>(v >> (8 * i)));
}

void TWriter::WriteStr(std::string_view Text)
{
    if (Text.size() > 255)
        throw platform::EWriteError(LoadStr(SWriteError));
    WriteByte(static_cast<uint8_t>(Text.size()));
    WriteBytes(Text);
}

void TWriter::WriteInteger(int64_t Value)
{
    if (Value >= INT8_MIN && Value <= INT8_MAX) {
        WriteValue(TValueType::vaInt8);
        WriteByte(static_cast<uint8_t>(Value));
    } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
        WriteValue(TValueType::vaInt16);
        WriteRawInt16(static_cast<int16_t>(Value));
    } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
        WriteValue(TValueType::vaInt32);
        WriteRawInt32(static_cast<int32_t>(Value));
    } else {
        WriteValue(TValueType::vaInt64);
        WriteRawInt64(Value);
    }
}

void TWriter::WriteBoolean(bool Value)
{
    WriteValue(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteString(std::string_view Text)
{
    if (Text.size() <= 255) {
        WriteValue(TValueType::vaString);
        WriteStr(Text);
    } else {
        if (Text.size() > INT32_MAX)
            throw platform::EWriteError(LoadStr(SWriteError));
        WriteValue(TValueType::vaLString);
        WriteRawInt32(static_cast<int32_t>(Text.size()));
        WriteBytes(Text);
    }
}

void TWriter::WriteWideString(std::u16string_view Text)
{
    if (Text.size() > INT32_MAX / 2)
        throw platform::EWriteError(LoadStr(SWriteError));
    WriteValue(TValueType::vaWString);
    WriteRawInt32(static_cast<int32_t>(Text.size()));
    for (char16_t unit : Text)
        WriteRawInt16(static_cast<int16_t>(unit));
}

void TWriter::WriteIdent(std::string_view Ident)
{
    if (SameFormIdent(Ident, "False"))
        WriteValue(TValueType::vaFalse);
    else if (SameFormIdent(Ident, "True"))
        WriteValue(TValueType::vaTrue);
    else if (SameFormIdent(Ident, "nil"))
        WriteValue(TValueType::vaNil);
    else {
        WriteValue(TValueType::vaIdent);
        WriteStr(Ident);
    }
}

void TWriter::WriteFloat(long double Value)
{
    WriteValue(TValueType::vaExtended);
    char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &Value, sizeof(long double));
    WriteBytes(std::string_view(bytes, 10));
}

void TWriter::WriteSingle(float Value)
{
    WriteValue(TValueType::vaSingle);
    uint32_t raw = 0;
    std::memcpy(&raw, &Value, 4);
    WriteRawInt32(static_cast<int32_t>(raw));
}

void TWriter::WriteCurrency(int64_t TenThousandths)
{
    WriteValue(TValueType::vaCurrency);
    WriteRawInt64(TenThousandths);
}

void TWriter::WriteDate(double Value)
{
    WriteValue(TValueType::vaDate);
    uint64_t raw = 0;
    std::memcpy(&raw, &Value, 8);
    WriteRawInt64(static_cast<int64_t>(raw));
}

void TWriter::WriteBinary(std::string_view Bytes)
{
    if (Bytes.size() > INT32_MAX)
        throw platform::EWriteError(LoadStr(SWriteError));
    WriteValue(TValueType::vaBinary);
    WriteRawInt32(static_cast<int32_t>(Bytes.size()));
    WriteBytes(Bytes);
}

void TWriter::WriteSet(const std::vector<std::string>& Names)
{
    WriteValue(TValueType::vaSet);
    for (const std::string& name : Names)
        if (!name.empty())
            WriteStr(name);
    WriteStr("");
}

void TWriter::WritePropName(std::string_view Name)
{
    WriteStr(FPrefix + std::string(Name));
}

void TWriter::WriteSignature()
{
    WriteBytes("TPF0");
}

void TWriter::WriteComponentHeader(const TReader::TComponentHeader& Header)
{
    uint8_t flags = Header.Flags & (ffInherited | ffChildPos | ffInline);
    if (flags != 0) {
        WriteByte(0xF0 | flags);
        if (flags & ffChildPos)
            WriteInteger(Header.ChildPos);
    }
    WriteStr(Header.ClassName);
    WriteStr(Header.Name);
}

void TWriter::WriteObjectProperty(std::string_view Name, TPersistent& Object)
{
    std::string saved = FPrefix;
    FPrefix += std::string(Name) + ".";
    try {
        Object.WriteProperties(*this);
        Object.DefineProperties(*this);
    } catch (...) {
        FPrefix = saved;
        throw;
    }
    FPrefix = saved;
}

void TWriter::WriteComponent(TFormComponent& Component)
{
    TReader::TComponentHeader header;
    header.ClassName = Component.ClassName();
    header.Name = Component.FormName();
    WriteComponentHeader(header);
    Component.WriteProperties(*this);
    Component.DefineProperties(*this);
    WriteListEnd();
    for (TFormComponent* child : Component.FormChildren())
        if (child)
            WriteComponent(*child);
    WriteListEnd();
}

void TWriter::WriteRootComponent(TFormComponent& Root)
{
    WriteSignature();
    WriteComponent(Root);
}

void TWriter::DefineProperty(std::string_view Name, const TReadProc&, const TWriteProc& WriteData,
                             bool HasData)
{
    if (HasData && WriteData) {
        WritePropName(Name);
        WriteData(*this);
    }
}

void TWriter::DefineBinaryProperty(std::string_view Name, const TReadBinaryProc&,
                                   const TWriteBinaryProc& WriteData, bool HasData)
{
    if (HasData && WriteData) {
        WritePropName(Name);
        WriteBinary(WriteData());
    }
}

}  // namespace tavo::tools
