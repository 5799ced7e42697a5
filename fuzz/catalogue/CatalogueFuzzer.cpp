// Arbitrary bytes as a documentation catalogue: loaded as the documentation tab loads it,
// then filled into the table of contents model and walked as a view walks it. The same
// bytes are also tried behind a valid header, so that mutations reach the records.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/DMDocItem.h"
#include "catalogue/DocumentPaths.h"
#include "catalogue/TocModel.h"
#include "objects/Objects7.h"

using namespace tavo;

namespace {

struct TSetup {
    std::string File;
    std::unique_ptr<objects::TFileVerInfo> VerInfo;
    std::unique_ptr<catalogue::TDM_DocItem> Types;

    TSetup()
    {
        objects::StartObjectsModule();
        VerInfo = std::make_unique<objects::TFileVerInfo>(true, "KALPDFV_1.00");
        Types = std::make_unique<catalogue::TDM_DocItem>();
        char Name[] = "/tmp/catalogue-fuzz-XXXXXX";
        const int Handle = mkstemp(Name);
        if (Handle < 0)
            std::abort();
        close(Handle);
        File = Name;
        catalogue::DocumentationFolder = "/tmp/catalogue-fuzz-docs\\";
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

size_t Walk(const catalogue::TTocModel& Model, const QModelIndex& Parent, int Depth)
{
    if (Depth > catalogue::MaxTocLevel + 1)
        std::abort();  // deeper than the parent table allows
    size_t Nodes = 0;
    for (int Row = 0; Row < Model.rowCount(Parent); ++Row) {
        const QModelIndex Node = Model.index(Row, 0, Parent);
        if (Model.parent(Node) != Parent || Model.Item(Node) == nullptr)
            std::abort();
        (void)Model.data(Node).toString();
        Nodes += 1 + Walk(Model, Node, Depth + 1);
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
    for (int32_t I = 0; I < Catalogue->Count(); ++I) {
        const auto& Item = static_cast<const catalogue::TDocItem0&>(*Catalogue->ItemAt(I));
        (void)Item.IsDocItem();
        (void)Item.PageNumber();
        (void)Item.FileName();
    }
    catalogue::TTocModel Model;
    Model.Fill(Catalogue.get());
    if (Walk(Model, QModelIndex(), 0) != static_cast<size_t>(Model.NodeCount()))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    LoadAndFill(Bytes);
    LoadAndFill("KALPDFV_1.00" + Bytes);
    return 0;
}
