#pragma once
// TObjectStream: a binary file of typed values with fixed little-endian encodings, opened
// with or without a version header. Objects write themselves field by field through the
// primitives; a reader calls the same primitives in the same order as the writer.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "BufferedFile.h"
#include "FileVerInfo.h"

namespace tavo::objects {

class TStreamableObject;

// The libraries' no-value integer (one above the smallest 32-bit value).
constexpr int32_t NullInt = -2147483647;
// The longest text WriteStr can store: its length field has 16 bits.
constexpr size_t MaxStreamText = 65535;
// Class-coded objects inside class-coded objects deeper than this are refused when
// reading, so that a damaged file cannot exhaust the stack.
constexpr int32_t MaxObjectNesting = 200;

class TObjectStream {
public:
    // Opens FileName with Mode (fmOpenRead, fmCreate, ...); no header; Version() 0.
    TObjectStream(const std::string& FileName, uint16_t Mode);
    // Opens FileName, then reads and checks the header (modes 0 and 2) or writes it
    // (modes 1 and fmCreate); other modes have no header. A version text that VerInfo
    // does not accept raises EFVersionError and closes the file again.
    TObjectStream(const std::string& FileName, TFileVerInfo& VerInfo, uint16_t Mode);
    // As above; HeaderFlag is the flag byte written into, or read from, long headers of
    // format 2 and later (0 after reading a header without one).
    TObjectStream(const std::string& FileName, TFileVerInfo& VerInfo, uint16_t Mode,
                  uint8_t& HeaderFlag);
    ~TObjectStream();
    TObjectStream(const TObjectStream&) = delete;
    TObjectStream& operator=(const TObjectStream&) = delete;

    // The versioned constructors by their design names.
    static std::unique_ptr<TObjectStream> CreateVer(const std::string& FileName,
                                                    TFileVerInfo& VerInfo, uint16_t Mode);
    static std::unique_ptr<TObjectStream> CreateVerEx(const std::string& FileName,
                                                      TFileVerInfo& VerInfo, uint16_t Mode,
                                                      uint8_t& HeaderFlag);

    // 0 for the current format, -n for the format n versions older.
    int32_t Version() const { return FVersion; }
    // The file name as given to the constructor.
    const std::string& FileName() const { return FFileName; }

    // Primitives. Reading past the end of the file raises nothing: the missing bytes read
    // as zeros and ReadStr keeps the characters that are there.
    int32_t Read(void* Buffer, int32_t Count) { return FFile.Read(Buffer, Count); }
    int32_t Write(const void* Buffer, int32_t Count) { return FFile.Write(Buffer, Count); }
    void ReadInt(int32_t& I) { ReadValue(I); }
    void WriteInt(int32_t I) { WriteValue(I); }
    void ReadWord(uint16_t& W) { ReadValue(W); }
    void WriteWord(uint16_t W) { WriteValue(W); }
    void ReadByte(uint8_t& B) { ReadValue(B); }
    void WriteByte(uint8_t B) { WriteValue(B); }
    // Boolean fields are bytes: 0 false, 1 true; any non-zero byte reads as true.
    void ReadBool(bool& B)
    {
        uint8_t Byte = 0;
        ReadValue(Byte);
        B = Byte != 0;
    }
    void WriteBool(bool B) { WriteValue(static_cast<uint8_t>(B ? 1 : 0)); }
    // A 16-bit length, then the characters. A text longer than 65535 characters is
    // refused with EWriteError before anything is written.
    void ReadStr(std::string& S)
    {
        uint16_t Length = 0;
        ReadValue(Length);
        if (const char* Bytes = FFile.Peek(Length)) {
            S.assign(Bytes, Length);
            FFile.Skip(Length);
        } else {
            ReadText(S, Length);
        }
    }
    void WriteStr(std::string_view S);
    // A 32-bit integer in 16 bits: 0x8000 stands for NullInt and for values outside
    // -65536..65535; other values keep their low 16 bits and read back sign-extended.
    void ReadSmallInt(int32_t& I);
    void WriteSmallInt(int32_t I);

    int64_t GetPos() const { return FFile.Position(); }
    void SetPos(int64_t P) { FFile.SetPosition(P); }
    // Bytes between the position and the end of the file; loaders bound what they
    // allocate for counts read from the file by it.
    int64_t Remaining() const
    {
        const int64_t Left = FFile.Size() - FFile.Position();
        return Left > 0 ? Left : 0;
    }
    bool AtEnd() const { return Remaining() == 0; }
    // Writes out what is buffered; raises EWriteError when the file system refuses it.
    // Destroying the stream flushes too, but can no longer report a failure.
    void Flush() { FFile.Flush(); }

    // Class-coded objects: the class's registration code, then the object's own data in
    // the matching form. Get* return a new object owned by the caller.
    std::unique_ptr<TStreamableObject> GetObject();
    std::unique_ptr<TStreamableObject> GetObjectSmall();
    // Reads what PutObjectEx writes: a code of 10000 or more is the class's code plus
    // 10000 and the object is built with LoadEx; a smaller code is built with Load.
    std::unique_ptr<TStreamableObject> GetObjectEx();
    void PutObject(const TStreamableObject* Obj);
    void PutObjectSmall(const TStreamableObject* Obj);
    void PutObjectEx(const TStreamableObject* Obj);

private:
    template <class T> void ReadValue(T& Value)
    {
        using U = std::make_unsigned_t<T>;
        unsigned char Bytes[sizeof(T)] = {};
        FFile.Read(Bytes, sizeof(T));
        U Result = 0;
        for (size_t I = 0; I < sizeof(T); ++I)
            Result = static_cast<U>(Result | static_cast<U>(U{Bytes[I]} << (8 * I)));
        Value = static_cast<T>(Result);
    }
    template <class T> void WriteValue(T Value)
    {
        using U = std::make_unsigned_t<T>;
        unsigned char Bytes[sizeof(T)];
        for (size_t I = 0; I < sizeof(T); ++I)
            Bytes[I] = static_cast<unsigned char>(static_cast<U>(Value) >> (8 * I));
        FFile.Write(Bytes, sizeof(T));
    }
    void ReadText(std::string& S, uint16_t Length);
    void HeaderStep(TFileVerInfo& VerInfo, uint16_t Mode, uint8_t& HeaderFlag);

    friend class TObjectNesting;
    std::string FFileName;
    TBufferedFile FFile;
    int32_t FVersion = 0;
    int32_t FNesting = 0;
};

}  // namespace tavo::objects
