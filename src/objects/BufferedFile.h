#pragma once
// The file under an object stream. Catalogues are read on every start, so a primitive of
// a few bytes must not cost a system call: reads and writes go through one 64 KiB buffer,
// and the operating system sees large reads and writes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace tavo::objects {

// The platform's 16-bit file-open modes. The low two bits choose the access; the sharing
// flags are accepted and have no effect here; fmCreate creates or truncates the file.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFFFF;

class TBufferedFile {
public:
    static constexpr size_t BufferSize = 64 * 1024;

    // Opens FileName (a path in the file system's own encoding) with Mode. Raises
    // EFCreateError for fmCreate and EFOpenError for every other mode when that fails.
    TBufferedFile(const std::string& FileName, uint16_t Mode);
    // Writes what is still buffered; a failure here can no longer be reported, so callers
    // that must know call Flush first.
    ~TBufferedFile();
    TBufferedFile(const TBufferedFile&) = delete;
    TBufferedFile& operator=(const TBufferedFile&) = delete;

    // Reads up to Count bytes; fewer at the end of the file. A failing device raises
    // EReadError; the end of the file is not an error.
    int32_t Read(void* Buffer, int32_t Count)
    {
        if (Count > 0 && FPos >= FReadStart && FPos - FReadStart + Count <= FReadLength) {
            std::memcpy(Buffer, FBuffer.get() + (FPos - FReadStart), static_cast<size_t>(Count));
            FPos += Count;
            return Count;
        }
        return ReadSlow(static_cast<char*>(Buffer), Count);
    }

    // The next Count bytes when the buffer holds them all, else null; Skip moves past them.
    const char* Peek(int32_t Count) const
    {
        if (FPos >= FReadStart && FPos - FReadStart + Count <= FReadLength)
            return FBuffer.get() + (FPos - FReadStart);
        return nullptr;
    }
    void Skip(int32_t Count) { FPos += Count; }

    // Writes Count bytes and returns Count. A write the file system refuses raises
    // EWriteError (perhaps at a later write or at Flush, since writes are buffered).
    int32_t Write(const void* Buffer, int32_t Count);

    void Flush();
    int64_t Position() const { return FPos; }
    // Moves to Position; a negative position is refused by the file system and ignored.
    void SetPosition(int64_t Position);
    int64_t Size() const { return FSize; }
    bool Writable() const { return FWritable; }

private:
    int32_t ReadSlow(char* Buffer, int32_t Count);
    int64_t ReadAt(char* Buffer, size_t Count, int64_t Offset);
    void WriteAt(const char* Buffer, size_t Count, int64_t Offset);

    int FHandle = -1;
    bool FReadable = false;
    bool FWritable = false;
    int64_t FPos = 0;
    int64_t FSize = 0;
    std::unique_ptr<char[]> FBuffer;
    // The buffer holds either file bytes [FReadStart, FReadStart + FReadLength) or pending
    // writes [FWriteStart, FWriteStart + FWriteLength); never both.
    int64_t FReadStart = 0;
    int64_t FReadLength = 0;
    int64_t FWriteStart = 0;
    int64_t FWriteLength = 0;
};

}  // namespace tavo::objects
