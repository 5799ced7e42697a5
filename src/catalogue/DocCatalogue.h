#pragma once
// The documentation catalogue as its users see it: the entries read from the file, the
// document types and the documentation folder they are read with, the table of contents
// built from them, each entry's document found on this file system, and the questions the
// viewer and the search ask of it. Plain data: no widgets, no process-wide values.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "DocItem.h"
#include "Toc.h"

namespace tavo::catalogue {

// Where a named destination of the document lies (1-based), 0 when that is not known.
using TDestinationPage = std::function<int32_t(const std::string& Destination)>;

class TDocCatalogue {
public:
    // Entries may be none (an empty catalogue). File is the catalogue file read, whose
    // folder the manual's index belongs to.
    TDocCatalogue(std::unique_ptr<objects::TObjectCollection> Entries, TDocTypes Types,
                  TDocumentFolder Folder, std::filesystem::path File = {});
    // The same over entries owned elsewhere, which must outlive this.
    TDocCatalogue(const objects::TObjectCollection& Entries, TDocTypes Types,
                  TDocumentFolder Folder, std::filesystem::path File = {});
    ~TDocCatalogue();
    TDocCatalogue(const TDocCatalogue&) = delete;
    TDocCatalogue& operator=(const TDocCatalogue&) = delete;

    const objects::TObjectCollection& Collection() const { return *FEntries; }
    int32_t Count() const { return FEntries->Count(); }
    const TDocItem0& Item(int32_t Entry) const;
    const TDocTypes& Types() const { return FTypes; }
    const TDocumentFolder& Folder() const { return FFolder; }
    const std::filesystem::path& File() const { return FFile; }
    const TToc& Toc() const { return FToc; }

    // The document entry Entry names, as the viewer loads it and the index keys it: found
    // on this file system, links and "." resolved. Empty for an entry without a file.
    // Each stored name is looked for once it is found; a missing one is looked for again
    // on every question, as a disc may be put in later.
    std::filesystem::path Document(int32_t Entry) const;
    // The page of a node's entry in its document: where its destination lies when it names
    // one that Destinations knows, else its page number (0 for an expression).
    int32_t OpeningPage(int32_t Node, const TDestinationPage& Destinations = {}) const;

    // The first node in display order whose entry names a document and passes Test (none:
    // every such entry); 0 when there is none.
    int32_t FirstNodeWithFile(const std::function<bool(const TDocItem0&)>& Test = {}) const;

    // The documents in the order the table of contents first names them.
    const std::vector<std::filesystem::path>& Documents() const;
    // The nodes whose entries open Document, in display order.
    const std::vector<int32_t>& NodesOf(const std::filesystem::path& Document) const;
    // The entry a place of Document belongs to: of its nodes, the one opening nearest at
    // or before Page, the first in display order among equals; 0 when none opens there or
    // before.
    int32_t NodeAt(const std::filesystem::path& Document, int32_t Page,
                   const TDestinationPage& Destinations = {}) const;
    // The node of Document opening first; with no page at all, its first node; 0 when no
    // shown entry names Document.
    int32_t FirstNodeOf(const std::filesystem::path& Document,
                        const TDestinationPage& Destinations = {}) const;

private:
    void IndexDocuments() const;

    std::unique_ptr<objects::TObjectCollection> FOwned;
    const objects::TObjectCollection* FEntries;
    TDocTypes FTypes;
    TDocumentFolder FFolder;
    std::filesystem::path FFile;
    TToc FToc;
    mutable std::unordered_map<std::string, std::filesystem::path> FFound;  // by stored name
    mutable bool FIndexed = false;
    mutable std::vector<std::filesystem::path> FDocuments;
    mutable std::unordered_map<std::string, std::vector<int32_t>> FNodesOf;  // by document
};

}  // namespace tavo::catalogue
