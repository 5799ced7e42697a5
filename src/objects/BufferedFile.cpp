#include "BufferedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::objects {

using platform::LoadStr;

TBufferedFile::TBufferedFile(const std::string& FileName, uint16_t Mode)
    : FBuffer(new char[BufferSize])
{
    int Flags = O_CLOEXEC;
    if (Mode == fmCreate) {
        Flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (Mode & 3) {
        case 0:
            Flags |= O_RDONLY;
            break;
        case 1:
            Flags |= O_WRONLY;
            break;
        case 2:
            Flags |= O_RDWR;
            break;
        default:
            throw platform::EFOpenError::ForFile(FileName);
        }
    }
    do
        FHandle = ::open(FileName.c_str(), Flags, 0666);
    while (FHandle < 0 && errno == EINTR);
    struct stat Info {};
    if (FHandle >= 0 && (::fstat(FHandle, &Info) != 0 || S_ISDIR(Info.st_mode))) {
        ::close(FHandle);
        FHandle = -1;
    }
    if (FHandle < 0) {
        if (Mode == fmCreate)
            throw platform::EFCreateError::ForFile(FileName);
        throw platform::EFOpenError::ForFile(FileName);
    }
    int Access = Flags & O_ACCMODE;
    FReadable = Access != O_WRONLY;
    FWritable = Access != O_RDONLY;
    FSize = S_ISREG(Info.st_mode) ? Info.st_size : 0;
}

TBufferedFile::~TBufferedFile()
{
    try {
        Flush();
    } catch (const platform::Exception&) {
        // Nothing can be reported from here; callers that care call Flush themselves.
    }
    ::close(FHandle);
}

int64_t TBufferedFile::ReadAt(char* Buffer, size_t Count, int64_t Offset)
{
    size_t Done = 0;
    while (Done < Count) {
        const int64_t At = Offset + static_cast<int64_t>(Done);
        ssize_t Got = ::pread(FHandle, Buffer + Done, Count - Done, At);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            throw platform::EReadError(LoadStr(SReadError));
        if (Got == 0)
            break;
        Done += static_cast<size_t>(Got);
    }
    return static_cast<int64_t>(Done);
}

void TBufferedFile::WriteAt(const char* Buffer, size_t Count, int64_t Offset)
{
    size_t Done = 0;
    while (Done < Count) {
        const int64_t At = Offset + static_cast<int64_t>(Done);
        ssize_t Put = ::pwrite(FHandle, Buffer + Done, Count - Done, At);
        if (Put < 0 && errno == EINTR)
            continue;
        if (Put <= 0) {
            // The system's reason (a full disk, a file size limit) is what the user needs.
            const int Reason = Put < 0 ? errno : ENOSPC;
            throw platform::EWriteError(LoadStr(SWriteError) + " (" + std::strerror(Reason) + ")");
        }
        Done += static_cast<size_t>(Put);
    }
}

int32_t TBufferedFile::ReadSlow(char* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    Flush();
    if (!FReadable)
        throw platform::EReadError(LoadStr(SReadError));
    int32_t Done = 0;
    while (Done < Count) {
        if (FPos >= FReadStart && FPos < FReadStart + FReadLength) {
            int64_t Part = std::min<int64_t>(Count - Done, FReadStart + FReadLength - FPos);
            std::memcpy(Buffer + Done, FBuffer.get() + (FPos - FReadStart),
                        static_cast<size_t>(Part));
            Done += static_cast<int32_t>(Part);
            FPos += Part;
            continue;
        }
        size_t Wanted = static_cast<size_t>(Count - Done);
        if (Wanted >= BufferSize) {
            // Large blocks go straight into the caller's memory.
            int64_t Got = ReadAt(Buffer + Done, Wanted, FPos);
            Done += static_cast<int32_t>(Got);
            FPos += Got;
            break;
        }
        FReadStart = FPos;
        FReadLength = ReadAt(FBuffer.get(), BufferSize, FPos);
        if (FReadLength == 0)
            break;
    }
    return Done;
}

int32_t TBufferedFile::Write(const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    if (!FWritable)
        throw platform::EWriteError(LoadStr(SWriteError));
    FReadLength = 0;
    if (FWriteLength > 0 && FWriteStart + FWriteLength != FPos)
        Flush();
    const char* Bytes = static_cast<const char*>(Buffer);
    size_t Size = static_cast<size_t>(Count);
    if (static_cast<size_t>(FWriteLength) + Size > BufferSize)
        Flush();
    if (Size >= BufferSize) {
        WriteAt(Bytes, Size, FPos);
    } else {
        if (FWriteLength == 0)
            FWriteStart = FPos;
        std::memcpy(FBuffer.get() + FWriteLength, Bytes, Size);
        FWriteLength += Count;
    }
    FPos += Count;
    FSize = std::max(FSize, FPos);
    return Count;
}

void TBufferedFile::Flush()
{
    if (FWriteLength == 0)
        return;
    int64_t Length = FWriteLength;
    FWriteLength = 0;  // a failed write is reported once, not again by the destructor
    WriteAt(FBuffer.get(), static_cast<size_t>(Length), FWriteStart);
}

void TBufferedFile::SetPosition(int64_t Position)
{
    if (Position < 0)
        return;
    Flush();
    FPos = Position;
}

}  // namespace tavo::objects
