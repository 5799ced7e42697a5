#include "DocumentFolder.h"

#include <system_error>
#include <vector>

#include "platform/Codec.h"
#include "platform/DiscPath.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char C)
{
    return C == '\\' || C == '/';
}

bool Exists(const fs::path& Path)
{
    std::error_code Ignored;
    return fs::exists(Path, Ignored);
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

}  // namespace

TDocumentFolder::TDocumentFolder(std::string Written) : FWritten(std::move(Written)) {}

fs::path TDocumentFolder::Path() const
{
    if (!FFound.empty())
        return FFound;
    if (FWritten.empty()) {
        std::error_code Ignored;
        return fs::current_path(Ignored);
    }
    fs::path Found = platform::ResolvePath(FWritten);
    if (Exists(Found))
        FFound = Found;
    return Found;
}

std::optional<size_t> TDocumentFolder::PrefixOf(std::string_view Name) const
{
    // The folder is this file system's (UTF-8), names are Windows-1250: compared in UTF-8,
    // where one byte of the name stands for one character.
    const std::string Utf8 = platform::AnsiToUtf8(Name);
    std::string Folder = FWritten;
    if (!platform::Utf8ToAnsi(Folder))
        Folder = platform::AnsiToUtf8(Folder);  // written in the code page already
    const std::optional<size_t> Covered = platform::FolderPrefix(Utf8, Folder);
    if (!Covered)
        return std::nullopt;
    size_t Bytes = 0, Chars = 0;
    while (Bytes < *Covered && Chars < Name.size())
        Bytes += platform::AnsiToUtf8(Name.substr(Chars++, 1)).size();
    return Chars;
}

fs::path TDocumentFolder::ResolveInside(std::string_view Rest) const
{
    return platform::ResolveDiscPath(Path(), platform::AnsiToUtf8(Rest));
}

fs::path TDocumentFolder::Resolve(const std::string& Name) const
{
    if (Name.empty())
        return {};
    if (std::optional<size_t> Prefix = PrefixOf(Name))
        return ResolveInside(std::string_view(Name).substr(*Prefix));
    const std::string Utf8 = platform::AnsiToUtf8(Name);
    const bool FromRoot = Name.front() == '\\';
    if (!HasDriveLetter(Name) && !FromRoot)
        return platform::ResolvePath(Utf8);
    if (FromRoot && Name.size() > 1 && Name[1] != '\\') {
        fs::path Here = platform::ResolvePath(Utf8);
        if (Exists(Here))
            return Here;
    }
    // A Windows path that names no file here: the longest tail of it found below this
    // folder, else its last component there.
    std::vector<std::string> Parts = Components(Utf8);
    if (!Parts.empty() && HasDriveLetter(Parts.front()))
        Parts.front().erase(0, 2);  // "D:" alone, or "D:Docs" written without a separator
    if (!Parts.empty() && Parts.front().empty())
        Parts.erase(Parts.begin());
    const fs::path Base = Path();
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

}  // namespace tavo::catalogue
