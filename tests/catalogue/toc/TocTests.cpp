// The catalogue as plain data: the table of contents in display order, the documents its
// entries name on this file system, and the entry a place in a document belongs to.
#include <gtest/gtest.h>

#include <fstream>

#include "TestEnvironment.h"
#include "catalogue/DocCatalogue.h"

using namespace tavo;
using catalogue::NullInt;
using catalogue::TDocCatalogue;
using catalogue::TDocItem0;
using catalogue::TDocumentFolder;
using catalogue::TToc;
namespace fs = std::filesystem;

namespace {

struct TEntry {
    int32_t Level;
    std::string Caption;
    std::string File;  // stored form
    std::string Pages = {};
    std::string Destination = {};
    int32_t Type = NullInt;
    bool Visible = true;
};

std::unique_ptr<objects::TObjectCollection> Entries(const std::vector<TEntry>& List)
{
    auto C = std::make_unique<objects::TObjectCollection>();
    for (const TEntry& E : List) {
        auto* Item = new TDocItem0;
        Item->SetLevel(E.Level);
        Item->SetCaption(E.Caption);
        Item->SetStoredFileName(E.File);
        Item->SetPages(E.Pages);
        Item->SetDestination(E.Destination);
        Item->SetCaptionTyp(E.Type);
        Item->SetVisibleForUser(E.Visible);
        C->Insert(Item);
    }
    return C;
}

class Toc : public ::testing::Test {
protected:
    void SetUp() override
    {
        FDocs = test::TestFolder() / "disc" / "Setup" / "PdfViewer" / "Documentation";
        for (const char* Name : {"A.pdf", "B.pdf", "Katalog/cennik.pdf"})
            test::WriteFile(FDocs / Name, "%PDF");
    }
    std::unique_ptr<TDocCatalogue> Make(const std::vector<TEntry>& List)
    {
        return std::make_unique<TDocCatalogue>(
            Entries(List), catalogue::StandardDocTypes(),
            TDocumentFolder((test::TestFolder() / "disc").string() +
                            "/setup\\PDFVIEWER\\documentation\\"));
    }
    static std::vector<std::string> Captions(const TDocCatalogue& C)
    {
        std::vector<std::string> Out;
        for (int32_t Node : C.Toc().DisplayOrder())
            Out.push_back(C.Toc().Caption(Node));
        return Out;
    }
    fs::path FDocs;
};

}  // namespace

// Levels 0, 1, 0, 2: the fourth record hangs under the second's node, so the tree shows it
// before the third; the viewer's first document is the first in that order.
TEST_F(Toc, DisplayOrderIsTheTreesNotTheCatalogues)
{
    auto C = Make({{0, "A", ""}, {1, "a1", ""}, {0, "B", ":B.pdf"}, {2, "deep", ":A.pdf"}});
    EXPECT_EQ(Captions(*C), (std::vector<std::string>{"A", "a1", "deep", "B"}));
    const TToc& T = C->Toc();
    const int32_t Deep = T.NodeOfEntry(3);
    EXPECT_EQ(T.Caption(T.Parent(Deep)), "a1");
    EXPECT_EQ(T.Entry(Deep), 3);
    EXPECT_EQ(C->FirstNodeWithFile(), Deep) << "display order, not record order";
    EXPECT_EQ(C->FirstNodeWithFile([](const TDocItem0& I) { return I.StoredCaption() == "B"; }),
              T.NodeOfEntry(2));
    EXPECT_EQ(C->FirstNodeWithFile([](const TDocItem0&) { return false; }), 0);
}

TEST_F(Toc, EntriesTheTreeLeavesOutAreNeverFound)
{
    auto C = Make({{0, "Hidden", ":A.pdf", "", "", NullInt, false},
                   {0, "<Intern>", ":A.pdf"},
                   {0, "", ":A.pdf", "", "", 29},
                   {0, "", ":B.pdf", "3", "", 3}});
    ASSERT_EQ(C->Toc().NodeCount(), 1);
    EXPECT_EQ(C->Toc().Caption(1), "Cennik") << "the type's caption";
    EXPECT_EQ(C->Toc().Picture(1), catalogue::GlyphPriceList);
    EXPECT_EQ(C->Toc().NodeOfEntry(0), 0);
    EXPECT_EQ(C->Toc().Item(C->FirstNodeWithFile())->Pages(), "3");
    EXPECT_EQ(C->Documents(), (std::vector<fs::path>{FDocs / "B.pdf"}))
        << "a document named only by hidden entries is none of the manual's";
}

TEST_F(Toc, EveryEntryCarriesOneDocumentFoundOnThisFileSystem)
{
    auto C = Make({{0, "Cennik", ":KATALOG\\Cennik.pdf"},
                   {0, "Again", ":katalog/CENNIK.PDF"},
                   {0, "Other drive", "D:\\Elsewhere\\b.pdf"},
                   {0, "Chapter", ""},
                   {0, "Missing", ":Brak.pdf"}});
    EXPECT_EQ(C->Document(0), FDocs / "Katalog" / "cennik.pdf");
    EXPECT_EQ(C->Document(1), C->Document(0)) << "two spellings, one document";
    EXPECT_EQ(C->Document(2), FDocs / "B.pdf");
    EXPECT_EQ(C->Document(3), fs::path());
    EXPECT_EQ(C->Document(4), FDocs / "Brak.pdf") << "named as it was looked for";
    EXPECT_EQ(C->Documents(), (std::vector<fs::path>{FDocs / "Katalog" / "cennik.pdf",
                                                     FDocs / "B.pdf", FDocs / "Brak.pdf"}));
    EXPECT_EQ(C->NodesOf(C->Document(0)).size(), 2u);

    // A disc put in later, spelling the name otherwise: found then, not kept as missing.
    test::WriteFile(FDocs / "BRAK.pdf", "%PDF");
    EXPECT_EQ(C->Document(4), FDocs / "BRAK.pdf");
}

// The section on screen: of the document's entries, the last one opening at or before the
// page, the first of those at the same page; destinations where the document says they lie.
TEST_F(Toc, TheEntryOfAPlaceInADocument)
{
    auto C = Make({{0, "Start", ":A.pdf", "1"},
                   {0, "Also one", ":A.pdf", "1"},
                   {0, "Five", ":A.pdf", "5"},
                   {0, "Expression", ":A.pdf", "-2*3"},
                   {0, "By name", ":A.pdf", "", "ch9"},
                   {0, "Other", ":B.pdf", "2"}});
    const fs::path A = FDocs / "A.pdf";
    const TToc& T = C->Toc();
    auto Caption = [&](int32_t Node) { return Node ? T.Caption(Node) : std::string("none"); };
    EXPECT_EQ(Caption(C->NodeAt(A, 1)), "Start");
    EXPECT_EQ(Caption(C->NodeAt(A, 4)), "Start");
    EXPECT_EQ(Caption(C->NodeAt(A, 7)), "Five");
    EXPECT_EQ(Caption(C->NodeAt(A, 0)), "none");
    EXPECT_EQ(Caption(C->NodeAt(A, 100)), "Five") << "an unknown destination opens at page 1";
    const catalogue::TDestinationPage Dest = [](const std::string& Name) {
        return Name == "ch9" ? 9 : 0;
    };
    EXPECT_EQ(Caption(C->NodeAt(A, 8, Dest)), "Five");
    EXPECT_EQ(Caption(C->NodeAt(A, 9, Dest)), "By name");
    EXPECT_EQ(Caption(C->NodeAt(FDocs / "B.pdf", 1)), "none");
    EXPECT_EQ(Caption(C->FirstNodeOf(FDocs / "B.pdf")), "Other") << "before its first page";
    EXPECT_EQ(Caption(C->FirstNodeOf(FDocs / "Brak.pdf")), "none");
    EXPECT_EQ(C->OpeningPage(T.NodeOfEntry(3)), 0) << "an expression moves no page";
}

// The disc is put in after the catalogue was read: its folder, spelled otherwise, is found
// then and not kept as it was looked for while it was missing.
TEST(DocumentFolder, AFolderThatAppearsLaterIsFoundThen)
{
    const fs::path Disc = test::TestFolder() / "late";
    const TDocumentFolder Folder(Disc.string() + "/Setup\\Docs\\");
    EXPECT_EQ(Folder.ResolveInside("A.pdf"), Disc / "Setup" / "Docs" / "A.pdf");
    test::WriteFile(Disc / "SETUP" / "docs" / "a.PDF", "%PDF");
    EXPECT_EQ(Folder.Path(), Disc / "SETUP" / "docs");
    EXPECT_EQ(Folder.ResolveInside("A.pdf"), Disc / "SETUP" / "docs" / "a.PDF");
}

TEST(DocumentFolder, NamesInsideTheFolderWhateverTheirSpelling)
{
    const TDocumentFolder Folder("D:\\Setup\\PdfViewer\\Documentation\\");
    EXPECT_EQ(Folder.PrefixOf("d:/setup/pdfviewer/documentation/A.pdf"), 33u);
    EXPECT_EQ(Folder.PrefixOf("D:\\Setup\\PdfViewer\\Documentatio"), std::nullopt);
    EXPECT_EQ(Folder.PrefixOf("C:\\Setup\\PdfViewer\\Documentation\\A.pdf"), std::nullopt);
    EXPECT_EQ(TDocumentFolder().PrefixOf("A.pdf"), std::nullopt);
    // Letters beyond ASCII: the folder in UTF-8, the name in the code page, one byte each.
    const TDocumentFolder Polish("/Dokumentacja/\xC5\x81\xC3\xB3"
                                 "d\xC5\xBA/");
    EXPECT_EQ(Polish.PrefixOf("/DOKUMENTACJA/\xA3\xD3"
                              "D\x8F/x.pdf"),
              19u);
}
