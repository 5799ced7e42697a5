// Arbitrary bytes as a documentation catalogue: loaded as the documentation tab loads it,
// then built into the table of contents and walked as a view walks it, and asked what the
// viewer asks of it. The same
// bytes are also tried behind a valid header, so that mutations reach the records.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "objects/Objects7.h"

using namespace tavo;

namespace {

struct TSetup {
    std::string File;
    std::unique_ptr<objects::TFileVerInfo> VerInfo;
    catalogue::TDocumentFolder Folder{"/tmp/catalogue-fuzz-docs\\"};

    TSetup()
    {
        objects::StartObjectsModule();
        VerInfo = std::make_unique<objects::TFileVerInfo>(true, "KALPDFV_1.00");
        char Name[] = "/tmp/catalogue-fuzz-XXXXXX";
        const int Handle = mkstemp(Name);
        if (Handle < 0)
            std::abort();
        close(Handle);
        File = Name;
    }
    ~TSetup() { std::remove(File.c_str()); }
};

TSetup& Setup()
{
    static TSetup S;
    return S;
}

void WriteBytes(const std::string& File, const std::string& Bytes)
{
    FILE* Out = std::fopen(File.c_str(), "wb");
    if (!Out)
        std::abort();
    std::fwrite(Bytes.data(), 1, Bytes.size(), Out);
    std::fclose(Out);
}

size_t Walk(const catalogue::TToc& Toc, int32_t Parent, int Depth)
{
    if (Depth > catalogue::MaxTocLevel + 1)
        std::abort();  // deeper than the parent table allows
    size_t Nodes = 0;
    for (int32_t Row = 0; Row < Toc.ChildCount(Parent); ++Row) {
        const int32_t Node = Toc.Child(Parent, Row);
        if (Toc.Parent(Node) != Parent || Toc.Row(Node) != Row || Toc.Item(Node) == nullptr ||
            Toc.NodeOfEntry(Toc.Entry(Node)) != Node)
            std::abort();
        Nodes += 1 + Walk(Toc, Node, Depth + 1);
    }
    return Nodes;
}

void LoadAndFill(const std::string& Bytes)
{
    TSetup& S = Setup();
    WriteBytes(S.File, Bytes);
    std::unique_ptr<objects::TObjectCollection> Catalogue;
    catalogue::TCatalogueLoadInfo Info;
    try {
        Catalogue = catalogue::LoadCatalogue(S.File, *S.VerInfo, &Info);
    } catch (const platform::Exception&) {
        return;
    }
    if (Catalogue->Count() > Info.DeclaredCount ||
        Catalogue->Count() > static_cast<int64_t>(Bytes.size()))
        std::abort();
    const catalogue::TDocTypes& Types = catalogue::StandardDocTypes();
    for (int32_t I = 0; I < Catalogue->Count(); ++I) {
        const auto& Item = static_cast<const catalogue::TDocItem0&>(*Catalogue->ItemAt(I));
        (void)Item.IsDocItem(Types);
        (void)Item.PlainPageNumber();
        (void)Item.FileName(S.Folder);
    }
    const catalogue::TDocCatalogue Doc(std::move(Catalogue), Types, S.Folder);
    const catalogue::TToc& Toc = Doc.Toc();
    if (Walk(Toc, catalogue::TToc::Root, 0) != static_cast<size_t>(Toc.NodeCount()) ||
        Toc.DisplayOrder().size() != static_cast<size_t>(Toc.NodeCount()))
        std::abort();
    const int32_t First = Doc.FirstNodeWithFile();
    if (First < 0 || First > Toc.NodeCount())
        std::abort();
    for (const auto& Document : Doc.Documents()) {
        const int32_t Node = Doc.NodeAt(Document, 1 << 30);
        if (Node != 0 && Doc.Document(Toc.Entry(Node)) != Document)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    LoadAndFill(Bytes);
    LoadAndFill("KALPDFV_1.00" + Bytes);
    return 0;
}
