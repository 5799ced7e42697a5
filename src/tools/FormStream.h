#pragma once
// The form stream: how a window or data module keeps its components with their property
// values, and how a component stores extra data of its own ("Items", "SubSet").
//
// Binary form (all numbers little-endian):
//   form         = "TPF0" component
//   component    = [flags] shortstr(class name) shortstr(name) {property} 0 {component} 0
//   flags        = one byte 0xF0 | ffInherited | ffChildPos | ffInline; with ffChildPos an
//                  integer value (the child's position) follows
//   property     = shortstr(name) value; a property of a sub-object is named with a dot,
//                  "Items.Items"
//   value        = a TValueType byte and its payload:
//     vaNull             nothing: ends a list, a collection or a collection item
//     vaList             values up to vaNull
//     vaInt8/16/32/64    signed integer of that width
//     vaExtended         80-bit real; vaSingle 32-bit real; vaDate 64-bit real;
//     vaCurrency         64-bit integer, ten-thousandths
//     vaString           shortstr; vaLString and vaUTF8String int32 length, bytes;
//     vaWString          int32 count, UTF-16 code units
//     vaIdent            shortstr: an enumeration value or a component's name
//     vaFalse, vaTrue, vaNil   nothing
//     vaBinary           int32 length, bytes
//     vaSet              shortstr names up to an empty one
//     vaCollection       items up to vaNull; an item is an optional integer value (its
//                        position), vaList, properties up to an empty name
//   shortstr     = length byte, bytes
// The writer picks the smallest integer tag that holds a number, vaString for texts up to
// 255 bytes and vaLString beyond.
//
// Text form (FormStreamText.h), the same content as it reads in a form file:
//   object LUp_Types: TLookUp
//     DrawStyle = ldsStandard
//     Items.Items = ('' '' 'USER' -2147483647 True -1 False)
//   end
//
// Reading never trusts a length or a count: everything is checked against the bytes that
// remain, nesting is bounded, and bad data raises EReadError with a clear message.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Codec.h"
#include "platform/Errors.h"
#include "strings/StringIds.h"

namespace tavo::tools {

enum class TValueType : uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String
};

// Component flags in the binary form.
constexpr uint8_t ffInherited = 1;
constexpr uint8_t ffChildPos = 2;
constexpr uint8_t ffInline = 4;

// Errors in the text form carry the line where reading stopped.
class EParserError : public platform::EReadError {
public:
    using EReadError::EReadError;
};

class TReader;
class TWriter;

// What a reader and a writer offer to a component that defines stored properties of its
// own. A reader calls ReadData when the stream holds the named property; a writer writes the
// name and calls WriteData when HasData is true.
class TFiler {
public:
    using TReadProc = std::function<void(TReader&)>;
    using TWriteProc = std::function<void(TWriter&)>;
    using TReadBinaryProc = std::function<void(std::string_view Data)>;
    using TWriteBinaryProc = std::function<std::string()>;

    virtual void DefineProperty(std::string_view Name, const TReadProc& ReadData,
                                const TWriteProc& WriteData, bool HasData) = 0;
    // The property is one vaBinary value; the procedures see only its bytes.
    virtual void DefineBinaryProperty(std::string_view Name, const TReadBinaryProc& ReadData,
                                      const TWriteBinaryProc& WriteData, bool HasData) = 0;

protected:
    ~TFiler() = default;
};

// An object with stored properties.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual std::string ClassName() const;

    // Copies Source into this object: Source's AssignTo decides; neither knowing the other
    // raises EConvertError "Cannot assign a ... to a ...".
    virtual void Assign(const TPersistent& Source);
    // Declares the properties the object stores itself (TFiler).
    virtual void DefineProperties(TFiler& Filer);
    // Reads the published property Name; false when the object has no such property.
    virtual bool ReadProperty(std::string_view Name, TReader& Reader);
    // Writes the published properties that are stored, in their order.
    virtual void WriteProperties(TWriter& Writer);
    // The object held by a published object property ("Items" of a lookup), or none.
    virtual TPersistent* PropertyObject(std::string_view Name);

protected:
    virtual void AssignTo(TPersistent& Dest) const;
};

// A component of a form: it has a name and may hold components of its own.
class TFormComponent : public TPersistent {
public:
    virtual std::string FormName() const = 0;
    // The components written after this one's properties, in order.
    virtual std::vector<TFormComponent*> FormChildren() const;
    // Runs once after the whole form has been read.
    virtual void Loaded();
    // The reader met Child among this component's children in a form (before reading it);
    // a component that keeps children of its own takes it here.
    virtual void ReadingChild(TFormComponent& Child);

    // This component or one below it with that name (letter case ignored), or none.
    TFormComponent* FindFormComponent(std::string_view Name);
};

// Reads the binary form from a block of bytes (which must outlive the reader).
class TReader final : public TFiler {
public:
    explicit TReader(std::string_view Data);

    size_t Position() const { return FPos; }
    size_t Remaining() const { return FData.size() - FPos; }
    bool AtEnd() const { return FPos >= FData.size(); }

    // Raw data, checked against what remains.
    uint8_t ReadByte();
    int16_t ReadRawInt16();
    int32_t ReadRawInt32();
    int64_t ReadRawInt64();
    std::string ReadBytes(size_t Count);
    // A short string: length byte and bytes.
    std::string ReadStr();

    // Typed values.
    TValueType NextValue();
    TValueType ReadValue();
    void CheckValue(TValueType Expected);
    bool EndOfList();  // the next value is vaNull
    void ReadListBegin();
    void ReadListEnd();
    int32_t ReadInteger();  // vaInt8, vaInt16, vaInt32, or vaInt64 when it fits
    int64_t ReadInt64();
    bool ReadBoolean();
    std::string ReadString();  // Windows-1250; wide and UTF-8 texts are converted
    std::u16string ReadWideString();
    std::string ReadIdent();  // vaIdent, or the name of vaFalse, vaTrue, vaNil, vaNull
    long double ReadFloat();
    float ReadSingle();
    int64_t ReadCurrency();
    double ReadDate();
    std::string ReadBinary();  // the bytes of a vaBinary value
    std::vector<std::string> ReadSet();
    void SkipValue();
    // A property name: a dotted identifier.
    std::string ReadPropName();

    // Components.
    struct TComponentHeader {
        uint8_t Flags = 0;
        int32_t ChildPos = -1;
        std::string ClassName;
        std::string Name;
    };
    void ReadSignature();
    TComponentHeader ReadComponentHeader();
    // Reads a whole form into Root and the components it holds (found by name), then runs
    // every read component's Loaded.
    void ReadRootComponent(TFormComponent& Root);
    // Reads one property into Instance; raises when Instance has no such property.
    void ReadProperty(TPersistent& Instance);
    // The component being read into, for references by name (Images = Glyphs).
    TFormComponent* Root() const { return FRoot; }
    // The component called Name on the form being read; raises when there is none.
    TFormComponent& FindComponent(std::string_view Name);

    void DefineProperty(std::string_view Name, const TReadProc& ReadData,
                        const TWriteProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(std::string_view Name, const TReadBinaryProc& ReadData,
                              const TWriteBinaryProc& WriteData, bool HasData) override;

    // Keeps nested values from exhausting the stack.
    class TNesting {
    public:
        explicit TNesting(TReader& Reader);
        ~TNesting() { --FReader.FDepth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TReader& FReader;
    };

    [[noreturn]] static void InvalidFormat();
    [[noreturn]] static void InvalidValue();

private:
    void Need(size_t Count) const;
    void ReadComponentBody(TFormComponent& Instance, std::vector<TFormComponent*>& Read);

    std::string_view FData;
    size_t FPos = 0;
    int FDepth = 0;
    TFormComponent* FRoot = nullptr;
    std::string FPropName;  // last part of the property being read
    bool FPropHandled = false;
};

// Writes the binary form into a growing block of bytes.
class TWriter final : public TFiler {
public:
    const std::string& Data() const { return FData; }
    std::string TakeData() { return std::move(FData); }

    void WriteByte(uint8_t Value) { FData.push_back(static_cast<char>(Value)); }
    void WriteRawInt16(int16_t Value);
    void WriteRawInt32(int32_t Value);
    void WriteRawInt64(int64_t Value);
    void WriteBytes(std::string_view Bytes) { FData.append(Bytes); }
    void WriteStr(std::string_view Text);  // raises EWriteError beyond 255 bytes

    void WriteValue(TValueType Value) { WriteByte(static_cast<uint8_t>(Value)); }
    void WriteListBegin() { WriteValue(TValueType::vaList); }
    void WriteListEnd() { WriteValue(TValueType::vaNull); }
    void WriteInteger(int64_t Value);
    void WriteBoolean(bool Value);
    void WriteString(std::string_view Text);
    void WriteWideString(std::u16string_view Text);
    // "False", "True" and "nil" (any letter case) get their own tags. vaNull is never
    // written for a name: inside a list it would end the list.
    void WriteIdent(std::string_view Ident);
    void WriteFloat(long double Value);
    void WriteSingle(float Value);
    void WriteCurrency(int64_t TenThousandths);
    void WriteDate(double Value);
    void WriteBinary(std::string_view Bytes);
    void WriteSet(const std::vector<std::string>& Names);
    // The name with the prefix of the object property being written ("Items.").
    void WritePropName(std::string_view Name);

    void WriteSignature();
    void WriteComponentHeader(const TReader::TComponentHeader& Header);
    // Writes Object's properties as properties of the current one: "Name.Property".
    void WriteObjectProperty(std::string_view Name, TPersistent& Object);
    void WriteComponent(TFormComponent& Component);
    void WriteRootComponent(TFormComponent& Root);

    void DefineProperty(std::string_view Name, const TReadProc& ReadData,
                        const TWriteProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(std::string_view Name, const TReadBinaryProc& ReadData,
                              const TWriteBinaryProc& WriteData, bool HasData) override;

private:
    std::string FData;
    std::string FPrefix;
};

// Identifiers of the form stream: a letter or '_', then letters, digits and '_'; Dotted
// also allows "A.B".
bool IsFormIdent(std::string_view Text, bool Dotted = false);
// Identifiers of a form (False, True, nil, property names) match without regard to ASCII case.
bool SameFormIdent(std::string_view A, std::string_view B);

// UTF-16 to UTF-8 and back, for wide texts in forms (the platform's codec).
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

}  // namespace tavo::tools
