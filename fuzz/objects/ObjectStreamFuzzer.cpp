// Opens arbitrary bytes as an object stream (with a version header when they carry an
// accepted one, as a plain stream otherwise) and loads class-coded objects from it until
// the file ends. Whatever loads must store, load again and store to the same bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "objects/Objects7.h"

using namespace tavo::objects;

namespace {

// A file in memory, opened by name like any other.
class TMemoryFile {
public:
    TMemoryFile() : FHandle(memfd_create("objects-fuzz", 0))
    {
        if (FHandle < 0)
            std::abort();
        FName = "/proc/self/fd/" + std::to_string(FHandle);
    }
    ~TMemoryFile() { close(FHandle); }
    void Fill(const uint8_t* Data, size_t Size)
    {
        if (ftruncate(FHandle, 0) != 0 || pwrite(FHandle, Data, Size, 0) != ssize_t(Size))
            std::abort();
    }
    std::string Bytes() const
    {
        std::string Result;
        char Buffer[4096];
        ssize_t Got;
        off_t Offset = 0;
        while ((Got = pread(FHandle, Buffer, sizeof Buffer, Offset)) > 0) {
            Result.append(Buffer, size_t(Got));
            Offset += Got;
        }
        return Result;
    }
    const std::string& Name() const { return FName; }

private:
    int FHandle;
    std::string FName;
};

enum TForm { fNormal, fSmall, fEx, fDirect };

std::unique_ptr<TStreamableObject> LoadIn(TObjectStream& Stream, TForm Form)
{
    switch (Form) {
    case fNormal:
        return Stream.GetObject();
    case fSmall:
        return Stream.GetObjectSmall();
    case fEx:
        return Stream.GetObjectEx();
    case fDirect:
        return LoadObject<TObjectCollection>(Stream);
    }
    return nullptr;
}

void StoreIn(TObjectStream& Stream, const TStreamableObject& Object, TForm Form)
{
    switch (Form) {
    case fNormal:
        Stream.PutObject(&Object);
        break;
    case fSmall:
        Stream.PutObjectSmall(&Object);
        break;
    case fEx:
        Stream.PutObjectEx(&Object);
        break;
    case fDirect:
        Object.Store(Stream);
        break;
    }
}

std::string Stored(const TStreamableObject& Object, TForm Form, TMemoryFile& File)
{
    {
        TObjectStream Out(File.Name(), fmCreate);
        StoreIn(Out, Object, Form);
    }
    return File.Bytes();
}

// Stores Object, loads that back and stores it again: both stores must agree.
void CheckRoundTrip(const TStreamableObject& Object, TForm Form)
{
    TMemoryFile File;
    std::string First;
    try {
        First = Stored(Object, Form, File);
    } catch (const tavo::platform::Exception&) {
        return;  // e.g. a count the small form cannot hold
    }
    std::unique_ptr<TStreamableObject> Again;
    try {
        TObjectStream In(File.Name(), fmOpenRead);
        Again = LoadIn(In, Form);
    } catch (const tavo::platform::Exception&) {
        return;  // the small form wraps counts and capacities above 32767
    }
    if (Stored(*Again, Form, File) != First) {
        std::fprintf(stderr, "stored forms differ after a round trip (form %d)\n", int(Form));
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartObjectsModule();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static TFileVerInfo VerInfo(true, "FUZZ_1.00", "FUZZ_0.90");
    TMemoryFile File;
    File.Fill(Data, Size);

    std::unique_ptr<TObjectStream> Stream;
    uint8_t HeaderFlag = 0;
    try {
        Stream = TObjectStream::CreateVerEx(File.Name(), VerInfo, fmOpenRead, HeaderFlag);
    } catch (const EFVersionError&) {
        Stream = std::make_unique<TObjectStream>(File.Name(), fmOpenRead | fmShareDenyWrite);
    }
    try {
        for (int Round = 0; Round < 16 && !Stream->AtEnd(); ++Round) {
            uint8_t Selector = 0;
            Stream->ReadByte(Selector);
            const auto Form = TForm(Selector % 4);
            std::unique_ptr<TStreamableObject> Object = LoadIn(*Stream, Form);
            CheckRoundTrip(*Object, Form);
        }
    } catch (const tavo::platform::Exception&) {
        // Damaged input fails with the library's errors; anything else is a finding.
    }
    return 0;
}
