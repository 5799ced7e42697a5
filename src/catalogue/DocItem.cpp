#include "DocItem.h"

#include <optional>
#include <system_error>
#include <vector>

#include "DMDocItem.h"
#include "DocumentPaths.h"
#include "platform/Codec.h"
#include "platform/DiscPath.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char C)
{
    return C == '\\' || C == '/';
}

bool SameAnsiChar(char A, char B)
{
    if (IsSeparator(A) && IsSeparator(B))
        return true;
    return tools::AnsiUpperChar(A) == tools::AnsiUpperChar(B);
}

bool StartsWithFolder(std::string_view Name, std::string_view Folder)
{
    if (Folder.empty() || Name.size() < Folder.size())
        return false;
    for (size_t I = 0; I < Folder.size(); ++I)
        if (!SameAnsiChar(Name[I], Folder[I]))
            return false;
    return true;
}

// Length of DocumentationFolder at the start of Name, or none. The folder comes from this
// file system (UTF-8 here) while names are Windows-1250, so a folder with letters beyond
// ASCII is also tried in the code page.
std::optional<size_t> FolderPrefix(std::string_view Name)
{
    const std::string& Folder = DocumentationFolder;
    if (StartsWithFolder(Name, Folder))
        return Folder.size();
    if (std::optional<std::string> Ansi = platform::Utf8ToAnsi(Folder);
        Ansi && *Ansi != Folder && StartsWithFolder(Name, *Ansi))
        return Ansi->size();
    return std::nullopt;
}

bool Exists(const fs::path& Path)
{
    std::error_code Ignored;
    return fs::exists(Path, Ignored);
}

fs::path FolderPath()
{
    if (DocumentationFolder.empty()) {
        std::error_code Ignored;
        return fs::current_path(Ignored);
    }
    return platform::ResolvePath(DocumentationFolder);
}

std::vector<std::string> Components(std::string_view Path)
{
    std::vector<std::string> Parts;
    std::string Part;
    for (char C : Path) {
        if (IsSeparator(C)) {
            if (!Part.empty())
                Parts.push_back(std::move(Part));
            Part.clear();
        } else {
            Part += C;
        }
    }
    if (!Part.empty())
        Parts.push_back(std::move(Part));
    return Parts;
}

bool HasDriveLetter(std::string_view Path)
{
    return Path.size() >= 2 && Path[1] == ':' &&
           ((Path[0] >= 'A' && Path[0] <= 'Z') || (Path[0] >= 'a' && Path[0] <= 'z'));
}

// A Windows path that names no file here: the longest tail of it found below the
// documentation folder, else its last component there.
fs::path TailBelowFolder(std::string_view Utf8)
{
    std::vector<std::string> Parts = Components(Utf8);
    if (!Parts.empty() && HasDriveLetter(Parts.front()))
        Parts.front().erase(0, 2);  // "D:" alone, or "D:Docs" written without a separator
    if (!Parts.empty() && Parts.front().empty())
        Parts.erase(Parts.begin());
    fs::path Base = FolderPath();
    if (Parts.empty())
        return Base;
    for (size_t First = 0; First < Parts.size(); ++First) {
        std::string Tail;
        for (size_t I = First; I < Parts.size(); ++I)
            Tail += (I > First ? "/" : "") + Parts[I];
        fs::path Candidate = platform::ResolveDiscPath(Base, Tail);
        if (Exists(Candidate))
            return Candidate;
    }
    return platform::ResolveDiscPath(Base, Parts.back());
}

}  // namespace

lookup::TCustomLookUp* DocTypes()
{
    return DM_DocItem ? DM_DocItem->LUp_Types : nullptr;
}

void TDocItem0::Load(objects::TObjectStream& Stream)
{
    Stream.ReadInt(FLevel);
    Stream.ReadStr(FCaption);
    Stream.ReadStr(FHint);
    Stream.ReadStr(FFileName);
    Stream.ReadByte(FVisibleForUser);
    Stream.ReadStr(FPages);
    Stream.ReadStr(FDestination);
    Stream.ReadInt(FCaptionTyp);
    Stream.ReadInt(FTyp);
}

void TDocItem0::Store(objects::TObjectStream& Stream) const
{
    Stream.WriteInt(FLevel);
    Stream.WriteStr(FCaption);
    Stream.WriteStr(FHint);
    Stream.WriteStr(FFileName);
    Stream.WriteByte(FVisibleForUser);
    Stream.WriteStr(FPages);
    Stream.WriteStr(FDestination);
    Stream.WriteInt(FCaptionTyp);
    Stream.WriteInt(FTyp);
}

bool TDocItem0::IsEmpty() const
{
    using tools::IsBlank;
    return FCaptionTyp == NullInt && FTyp == NullInt && IsBlank(FCaption) && IsBlank(FHint) &&
           IsBlank(FFileName) && IsBlank(FPages) && IsBlank(FDestination);
}

void TDocItem0::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    if (!Dest)
        Dest = std::make_unique<TDocItem0>();
    auto* Copy = dynamic_cast<TDocItem0*>(Dest.get());
    if (!Copy)
        throw objects::EObjectStream(objects::osWrongClass,
                                     {Dest->ClassName(), std::string(StaticClassName)});
    TLinesItem::CopyTo(Dest);
    Copy->FLevel = FLevel;
    Copy->FCaption = FCaption;
    Copy->FHint = FHint;
    Copy->FFileName = FFileName;
    Copy->FVisibleForUser = FVisibleForUser;
    Copy->FPages = FPages;
    Copy->FDestination = FDestination;
    Copy->FCaptionTyp = FCaptionTyp;
    Copy->FTyp = FTyp;
}

std::string TDocItem0::Caption() const
{
    if (!FCaption.empty())
        return FCaption;
    lookup::TCustomLookUp* Types = DocTypes();
    const int32_t Row = Types ? Types->IndexOfId(FCaptionTyp) : -1;
    return Row < 0 ? std::string() : Types->GetItem(Row)->GetCaption();
}

int32_t TDocItem0::TypeImageIndex() const
{
    lookup::TCustomLookUp* Types = DocTypes();
    const int32_t Row = Types ? Types->IndexOfId(FCaptionTyp) : -1;
    return Row < 0 ? -1 : Types->GetItem(Row)->GetImageIndex();
}

bool TDocItem0::IsDocItem() const
{
    const std::string Text = Caption();
    return Text.size() >= 3 && Text.front() == '<' && Text.back() == '>';
}

std::string TDocItem0::FileName() const
{
    if (!FFileName.empty() && FFileName.front() == ':')
        return DocumentationFolder + FFileName.substr(1);
    return FFileName;
}

void TDocItem0::SetFileName(const std::string& Value)
{
    FFileName = tools::Trimmed(Value);
    if (std::optional<size_t> Prefix = FolderPrefix(FFileName))
        FFileName = ':' + FFileName.substr(*Prefix);
}

fs::path TDocItem0::ResolvedFileName() const
{
    if (!FFileName.empty() && FFileName.front() == ':')
        return platform::ResolveDiscPath(FolderPath(), platform::AnsiToUtf8(FFileName.substr(1)));
    return ResolveDocumentFile(FFileName);
}

void TDocItem0::SetPages(const std::string& Value)
{
    FPages = tools::Trimmed(Value);
}

void TDocItem0::SetDestination(const std::string& Value)
{
    FDestination = tools::Trimmed(Value);
}

int32_t TDocItem0::PageNumber() const
{
    if (FPages.empty())
        return 1;
    if (FPages.front() == '-') {
        int32_t Value = NullInt;
        tools::TextToInt(FPages, Value);
        return Value;
    }
    int64_t Value = 0;
    size_t Digits = 0;
    for (; Digits < FPages.size() && FPages[Digits] >= '0' && FPages[Digits] <= '9'; ++Digits) {
        Value = Value * 10 + (FPages[Digits] - '0');
        // More digits than any page number has: the document opens at its start.
        if (Value > INT32_MAX)
            return 1;
    }
    return Digits == 0 ? 1 : static_cast<int32_t>(Value);
}

int64_t StoredRecordSize(const TDocItem0& Item)
{
    return MinRecordSize + static_cast<int64_t>(Item.StoredCaption().size() + Item.Hint().size() +
                                                Item.StoredFileName().size() + Item.Pages().size() +
                                                Item.Destination().size());
}

fs::path ResolveDocumentFile(const std::string& Name)
{
    if (Name.empty())
        return {};
    if (std::optional<size_t> Prefix = FolderPrefix(Name))
        return platform::ResolveDiscPath(FolderPath(), platform::AnsiToUtf8(Name.substr(*Prefix)));
    const std::string Utf8 = platform::AnsiToUtf8(Name);
    const bool FromRoot = Name.front() == '\\';
    if (HasDriveLetter(Name) || FromRoot) {
        if (FromRoot && Name.size() > 1 && Name[1] != '\\') {
            fs::path Here = platform::ResolvePath(Utf8);
            if (Exists(Here))
                return Here;
        }
        return TailBelowFolder(Utf8);
    }
    return platform::ResolvePath(Utf8);
}

}  // namespace tavo::catalogue
