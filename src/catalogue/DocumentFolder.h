#pragma once
// The folder of the catalogue and its documents, as a value handed to whatever reads the
// entries' file names: written as the shell builds it (the disc folder followed by
// "Setup\PdfViewer\Documentation\"), found on this file system once it exists.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::catalogue {

class TDocumentFolder {
public:
    // No folder: a ':' name stands for the rest alone, resolved below the current folder.
    TDocumentFolder() = default;
    // Written with its trailing separator; UTF-8 as this file system names it, and it may
    // still be written with '\'.
    explicit TDocumentFolder(std::string Written);

    const std::string& Written() const { return FWritten; }
    bool Empty() const { return FWritten.empty(); }
    // The folder on this file system ('\' resolved, each component in the letter case it
    // has there); the current folder when there is none.
    std::filesystem::path Path() const;

    // Length of this folder at the start of a Windows-1250 name, letter case ignored and
    // '\' and '/' alike; none when the name lies elsewhere or there is no folder.
    std::optional<size_t> PrefixOf(std::string_view Name) const;

    // Where a file name written on Windows lies on this file system. Name is a FileName
    // getter's result (Windows-1250):
    //   - inside this folder: the rest is resolved below it;
    //   - a drive letter ("D:\...\A.pdf"), a network name ("\\server\...") or a name from
    //     the root ("\Docs\A.pdf") that does not exist here: the longest tail of its folders
    //     that exists below this folder ("Documentation\A.pdf", then "A.pdf"), else the file
    //     name alone below it, as a disc copied elsewhere keeps its documents together;
    //   - anything else: as the platform resolves it (relative to the current folder).
    // Each component is matched without regard to letter case when the exact one is absent.
    std::filesystem::path Resolve(const std::string& Name) const;
    // A name stored below this folder (the part after ':'), Windows-1250.
    std::filesystem::path ResolveInside(std::string_view Rest) const;

private:
    std::string FWritten;
    // Resolved once the folder exists; until then looked for again on every question, as
    // a disc may be put in later.
    mutable std::filesystem::path FFound;
};

}  // namespace tavo::catalogue
