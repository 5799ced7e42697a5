#include "DocCatalogue.h"

#include <system_error>

namespace tavo::catalogue {

namespace fs = std::filesystem;

TDocCatalogue::TDocCatalogue(std::unique_ptr<objects::TObjectCollection> Entries, TDocTypes Types,
                             TDocumentFolder Folder, fs::path File)
    : FOwned(Entries ? std::move(Entries) : std::make_unique<objects::TObjectCollection>()),
      FEntries(FOwned.get()), FTypes(std::move(Types)), FFolder(std::move(Folder)),
      FFile(std::move(File))
{
    FToc.Build(FEntries, FTypes);
}

TDocCatalogue::TDocCatalogue(const objects::TObjectCollection& Entries, TDocTypes Types,
                             TDocumentFolder Folder, fs::path File)
    : FEntries(&Entries), FTypes(std::move(Types)), FFolder(std::move(Folder)),
      FFile(std::move(File))
{
    FToc.Build(FEntries, FTypes);
}

TDocCatalogue::~TDocCatalogue() = default;

const TDocItem0& TDocCatalogue::Item(int32_t Entry) const
{
    return static_cast<const TDocItem0&>(*FEntries->ItemAt(Entry));
}

fs::path TDocCatalogue::Document(int32_t Entry) const
{
    const TDocItem0* Item = dynamic_cast<const TDocItem0*>(FEntries->ItemAt(Entry));
    if (!Item || !Item->HasFile(FFolder))
        return {};
    const std::string& Stored = Item->StoredFileName();
    if (auto Found = FFound.find(Stored); Found != FFound.end())
        return Found->second;
    const fs::path Resolved = Item->ResolvedFileName(FFolder);
    std::error_code Error;
    fs::path Key = fs::weakly_canonical(Resolved, Error);
    if (Error)
        Key = Resolved.lexically_normal();
    if (fs::exists(Key, Error))
        FFound.emplace(Stored, Key);
    return Key;
}

int32_t TDocCatalogue::OpeningPage(int32_t Node, const TDestinationPage& Destinations) const
{
    const TDocItem0* Entry = FToc.Item(Node);
    if (!Entry)
        return 0;
    if (Destinations && !IsBlank(Entry->Destination()))
        if (const int32_t Page = Destinations(Entry->Destination()); Page > 0)
            return Page;
    return Entry->PlainPageNumber();
}

int32_t TDocCatalogue::FirstNodeWithFile(const std::function<bool(const TDocItem0&)>& Test) const
{
    for (int32_t Node : FToc.DisplayOrder()) {
        const TDocItem0* Entry = FToc.Item(Node);
        if (Entry && Entry->HasFile(FFolder) && (!Test || Test(*Entry)))
            return Node;
    }
    return 0;
}

void TDocCatalogue::IndexDocuments() const
{
    if (FIndexed)
        return;
    FIndexed = true;
    for (int32_t Node : FToc.DisplayOrder()) {
        const fs::path File = Document(FToc.Entry(Node));
        if (File.empty())
            continue;
        std::vector<int32_t>& Nodes = FNodesOf[File.string()];
        if (Nodes.empty())
            FDocuments.push_back(File);
        Nodes.push_back(Node);
    }
}

const std::vector<fs::path>& TDocCatalogue::Documents() const
{
    IndexDocuments();
    return FDocuments;
}

const std::vector<int32_t>& TDocCatalogue::NodesOf(const fs::path& Document) const
{
    static const std::vector<int32_t> None;
    IndexDocuments();
    const auto Found = FNodesOf.find(Document.string());
    return Found == FNodesOf.end() ? None : Found->second;
}

int32_t TDocCatalogue::NodeAt(const fs::path& Document, int32_t Page,
                              const TDestinationPage& Destinations) const
{
    int32_t Best = 0, BestPage = 0;
    for (int32_t Node : NodesOf(Document)) {
        const int32_t Opens = OpeningPage(Node, Destinations);
        if (Opens > 0 && Opens <= Page && (Best == 0 || Opens > BestPage)) {
            Best = Node;
            BestPage = Opens;
        }
    }
    return Best;
}

int32_t TDocCatalogue::FirstNodeOf(const fs::path& Document,
                                   const TDestinationPage& Destinations) const
{
    const std::vector<int32_t>& Nodes = NodesOf(Document);
    int32_t First = 0, FirstPage = 0;
    for (int32_t Node : Nodes) {
        const int32_t Opens = OpeningPage(Node, Destinations);
        if (Opens > 0 && (First == 0 || Opens < FirstPage)) {
            First = Node;
            FirstPage = Opens;
        }
    }
    if (First == 0 && !Nodes.empty())
        First = Nodes.front();
    return First;
}

}  // namespace tavo::catalogue
