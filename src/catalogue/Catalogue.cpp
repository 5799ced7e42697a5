#include "Catalogue.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/DiscPath.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;
using namespace objects;

namespace {

// The name to open: as given when it exists, else as the platform resolves a name written
// on Windows; a file found nowhere keeps the given name, so that the error names it.
std::string FileToOpen(const std::string& FileName)
{
    std::error_code Ignored;
    if (FileName.empty() || fs::exists(FileName, Ignored))
        return FileName;
    fs::path Resolved = platform::ResolvePath(FileName);
    return fs::exists(Resolved, Ignored) ? Resolved.string() : FileName;
}

const TDocItem0& DocItemAt(const TObjectCollection& Catalogue, int32_t Index)
{
    const TStreamableObject* Item = Catalogue.ItemAt(Index);
    const auto* Entry = dynamic_cast<const TDocItem0*>(Item);
    if (!Entry)
        throw EObjectStream(osWriteInvalid, {Item ? Item->ClassName() : std::string("NIL")});
    return *Entry;
}

}  // namespace

std::unique_ptr<TObjectCollection> LoadCatalogue(const std::string& FileName, TFileVerInfo& VerInfo,
                                                 TCatalogueLoadInfo* Info)
{
    const std::string Name = FileToOpen(FileName);
    std::unique_ptr<TObjectStream> Stream = TObjectStream::CreateVer(Name, VerInfo, fmOpenRead);
    TCatalogueLoadInfo Found;
    Found.Version = Stream->Version();
    Found.DataOffset = Stream->GetPos();
    // Cut inside the header or the count: as any file that ends early, not an empty one.
    if (Stream->Remaining() < static_cast<int64_t>(sizeof(int32_t))) {
        Found.Complete = false;
        if (Info)
            *Info = Found;
        return std::make_unique<TObjectCollection>(0);
    }
    int32_t Count = 0;
    Stream->ReadInt(Count);
    Found.DeclaredCount = Count;
    if (Count < 0)
        throw platform::EReadError(
            platform::Format(platform::LoadStr(SCatalogueBadCount), {Name, int64_t{Count}}));
    // Every record takes at least MinRecordSize bytes: a count read from a damaged file
    // cannot reserve more than the file could hold.
    const int64_t Possible = Stream->Remaining() / MinRecordSize + 1;
    auto Catalogue = std::make_unique<TObjectCollection>(
        static_cast<int32_t>(std::min<int64_t>(Count, Possible)));
    for (int32_t I = 0; I < Count; ++I) {
        if (Stream->AtEnd()) {
            Found.Complete = false;
            break;
        }
        const int64_t Start = Stream->GetPos();
        std::unique_ptr<TStreamableObject> Item = LoadObject<TDocItem0>(*Stream);
        // A record cut by the end of the file read fewer bytes than its fields take.
        if (Stream->GetPos() - Start < StoredRecordSize(static_cast<TDocItem0&>(*Item)))
            Found.Complete = false;
        Catalogue->InsertOwned(Item);
    }
    if (Info)
        *Info = Found;
    return Catalogue;
}

void StoreCatalogue(const std::string& FileName, const TObjectCollection& Catalogue,
                    TFileVerInfo& VerInfo)
{
    for (int32_t I = 0; I < Catalogue.Count(); ++I)
        DocItemAt(Catalogue, I);
    // Written beside the old catalogue and renamed over it once on the disk: a full disk
    // or a crash leaves the old one as it was.
    platform::TAtomicFile File(FileName);
    if (!File.Ok())
        throw platform::EFCreateError::ForFile(FileName);
    {
        std::unique_ptr<TObjectStream> Stream;
        try {
            Stream = TObjectStream::CreateVer(File.TemporaryPath().string(), VerInfo, fmCreate);
        } catch (const platform::EFCreateError&) {
            throw platform::EFCreateError::ForFile(FileName);
        }
        Stream->WriteInt(Catalogue.Count());
        for (int32_t I = 0; I < Catalogue.Count(); ++I)
            DocItemAt(Catalogue, I).Store(*Stream);
        Stream->Flush();
    }
    if (!File.Commit())
        throw platform::EWriteError(platform::LoadStr(SWriteError) + " (" +
                                    std::strerror(File.Error()) + ")");
}

}  // namespace tavo::catalogue
