// The document item: level and caption rules, the type table, file-name forms and their
// places on this file system, the page rule, emptiness and copies.
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "catalogue/DocItem.h"
#include "tools/MessageBoxes.h"
#include "tools/TextToNumber.h"
#include "tools/ToolsModule.h"

using namespace tavo;
using catalogue::NullInt;
using catalogue::TDocItem0;
using catalogue::TDocumentFolder;
namespace fs = std::filesystem;

namespace {

class DocItem : public ::testing::Test {
protected:
    void SetUp() override { tools::StartToolsModule(); }

    std::string Caption(const TDocItem0& Item) const { return Item.Caption(FTypes); }
    int32_t Picture(const TDocItem0& Item) const { return Item.TypeImageIndex(FTypes); }
    bool IsDocItem(const TDocItem0& Item) const { return Item.IsDocItem(FTypes); }

    // The types the data module's form holds (the viewer's tests check it is the same table).
    catalogue::TDocTypes FTypes = catalogue::StandardDocTypes();
    TDocumentFolder Folder;
};

TDocItem0 WithCaption(const std::string& Caption, int32_t CaptionTyp = NullInt)
{
    TDocItem0 Item;
    Item.SetCaption(Caption);
    Item.SetCaptionTyp(CaptionTyp);
    return Item;
}

TEST_F(DocItem, NewItemIsVisibleTopLevelWithoutTypesAndEmpty)
{
    TDocItem0 Item;
    EXPECT_TRUE(Item.VisibleForUser());
    EXPECT_EQ(Item.Level(), 0);
    EXPECT_EQ(Item.CaptionTyp(), NullInt);
    EXPECT_EQ(Item.Typ(), NullInt);
    EXPECT_EQ(Item.LineNo(), 0);
    EXPECT_EQ(Item.Kind(), 0);
    EXPECT_TRUE(Item.IsEmpty());
    Item.SetVisibleForUser(false);
    EXPECT_TRUE(Item.IsEmpty());
    Item.SetHint("   ");
    EXPECT_TRUE(Item.IsEmpty()) << "spaces are blank";
    Item.SetTyp(0);
    EXPECT_FALSE(Item.IsEmpty()) << "a type of its own is data";
    TDocItem0 Paged;
    Paged.SetStoredFileName(":");
    EXPECT_FALSE(Paged.IsEmpty());
}

TEST_F(DocItem, NegativeLevelsReadAsTopLevel)
{
    TDocItem0 Item;
    Item.SetLevel(-3);
    EXPECT_EQ(Item.Level(), 0);
    EXPECT_EQ(Item.StoredLevel(), -3);
    Item.SetLevel(7);
    EXPECT_EQ(Item.Level(), 7);
}

TEST_F(DocItem, EmptyCaptionFallsBackToTheTypesCaption)
{
    EXPECT_EQ(Caption(WithCaption("", 3)), "Cennik");
    EXPECT_EQ(Caption(WithCaption("", 10)), "Grupa produkt\xF3w");
    EXPECT_EQ(Caption(WithCaption("", NullInt)), "") << "row 0 has no caption";
    EXPECT_EQ(Caption(WithCaption("", 29)), "") << "no row carries 29";
    EXPECT_EQ(Caption(WithCaption("Own", 3)), "Own");
    EXPECT_EQ(Caption(WithCaption("  ", 3)), "  ") << "spaces are a caption of their own";
    EXPECT_EQ(WithCaption("", 3).StoredCaption(), "");
}

TEST_F(DocItem, TypePictureComesFromTheTypeRow)
{
    EXPECT_EQ(Picture(WithCaption("", 3)), 4);
    EXPECT_EQ(Picture(WithCaption("x", 10)), -1);
    EXPECT_EQ(Picture(WithCaption("x", NullInt)), -1);
    EXPECT_EQ(Picture(WithCaption("x", 12345)), -1);
}

TEST(DocItemWithoutTypes, NoTypeTableMeansNoTypes)
{
    const catalogue::TDocTypes None;
    EXPECT_EQ(WithCaption("", 3).Caption(None), "");
    EXPECT_EQ(WithCaption("", 3).TypeImageIndex(None), -1);
}

TEST_F(DocItem, AngleBracketCaptionsAreDocItems)
{
    EXPECT_TRUE(IsDocItem(WithCaption("<X>")));
    EXPECT_TRUE(IsDocItem(WithCaption("<Cennik ceny>")));
    EXPECT_FALSE(IsDocItem(WithCaption("<>"))) << "only two characters";
    EXPECT_FALSE(IsDocItem(WithCaption("<X")));
    EXPECT_FALSE(IsDocItem(WithCaption("X>")));
    EXPECT_FALSE(IsDocItem(WithCaption(" <X>")));
    EXPECT_FALSE(IsDocItem(WithCaption("", 3)));
    // A type caption counts like a stored one.
    std::vector<catalogue::TDocTypeRow> Rows = FTypes.Rows();
    Rows.push_back({99, "<Intern>", -1});
    FTypes = catalogue::TDocTypes(Rows);
    EXPECT_TRUE(IsDocItem(WithCaption("", 99)));
}

TEST_F(DocItem, FileNameInsideTheFolderIsStoredWithAColon)
{
    Folder = TDocumentFolder("D:\\Setup\\PdfViewer\\Documentation\\");
    TDocItem0 Item;
    Item.SetStoredFileName(":A.pdf");
    EXPECT_EQ(Item.FileName(Folder), "D:\\Setup\\PdfViewer\\Documentation\\A.pdf");
    Item.SetStoredFileName(":");
    EXPECT_EQ(Item.FileName(Folder), Folder.Written());

    Item.SetFileName("  d:\\setup\\pdfviewer\\documentation\\B.pdf  ", Folder);
    EXPECT_EQ(Item.StoredFileName(), ":B.pdf");
    Item.SetFileName("D:/Setup/PdfViewer/Documentation/Katalog\\C.pdf", Folder);
    EXPECT_EQ(Item.StoredFileName(), ":Katalog\\C.pdf") << "'/' and '\\' are one separator";
    Item.SetFileName("C:\\Other\\B.pdf", Folder);
    EXPECT_EQ(Item.StoredFileName(), "C:\\Other\\B.pdf");
    EXPECT_EQ(Item.FileName(Folder), "C:\\Other\\B.pdf");
    Item.SetFileName("Relative\\B.pdf", Folder);
    EXPECT_EQ(Item.StoredFileName(), "Relative\\B.pdf");
    Item.SetFileName("   ", Folder);
    EXPECT_EQ(Item.StoredFileName(), "");

    Folder = TDocumentFolder();
    Item.SetFileName("D:\\Setup\\PdfViewer\\Documentation\\B.pdf", Folder);
    EXPECT_EQ(Item.StoredFileName(), "D:\\Setup\\PdfViewer\\Documentation\\B.pdf")
        << "an empty folder never matches";
    Item.SetStoredFileName(":B.pdf");
    EXPECT_EQ(Item.FileName(Folder), "B.pdf");
}

TEST_F(DocItem, FolderLettersBeyondAsciiMatchInTheCodePage)
{
    Folder = TDocumentFolder("/m\xC3\xBCll/Dokumentacja/");  // "müll" as this file system spells it
    TDocItem0 Item;
    Item.SetFileName("/M\xDCLL/Dokumentacja/A.pdf", Folder);  // Windows-1250 'Ü'
    EXPECT_EQ(Item.StoredFileName(), ":A.pdf");
}

// A disc made on Windows: the folders spelled in other letter cases than the catalogue.
class DocItemOnDisc : public DocItem {
protected:
    void SetUp() override
    {
        DocItem::SetUp();
        FDisc = test::TestFolder() / "disc";
        FDocs = FDisc / "setup" / "PDFVIEWER" / "Documentation";
        test::WriteFile(FDocs / "Katalog" / "cennik.pdf", "%PDF");
        test::WriteFile(FDocs / "A.pdf", "%PDF");
        Folder = TDocumentFolder(FDisc.string() + "/Setup\\PdfViewer\\Documentation\\");
    }
    fs::path FDisc, FDocs;
};

TEST_F(DocItemOnDisc, StoredNamesResolveWithBackslashesAndAnyLetterCase)
{
    TDocItem0 Item;
    Item.SetStoredFileName(":Katalog\\Cennik.pdf");
    EXPECT_EQ(Item.ResolvedFileName(Folder), FDocs / "Katalog" / "cennik.pdf");
    EXPECT_EQ(Folder.Resolve(Item.FileName(Folder)), FDocs / "Katalog" / "cennik.pdf");
    Item.SetStoredFileName(":a.PDF");
    EXPECT_EQ(Item.ResolvedFileName(Folder), FDocs / "A.pdf");
    Item.SetStoredFileName(":Missing\\X.pdf");
    EXPECT_EQ(Item.ResolvedFileName(Folder), FDocs / "Missing" / "X.pdf") << "kept as written";
    Item.SetStoredFileName("");
    EXPECT_EQ(Item.ResolvedFileName(Folder), fs::path());
}

TEST_F(DocItemOnDisc, DriveLetterNamesFindTheirTailBelowTheFolder)
{
    auto ResolveDocumentFile = [this](const std::string& Name) { return Folder.Resolve(Name); };
    EXPECT_EQ(ResolveDocumentFile("D:\\Tavo\\Setup\\PdfViewer\\Documentation\\Katalog\\CENNIK.pdf"),
              FDocs / "Katalog" / "cennik.pdf");
    EXPECT_EQ(ResolveDocumentFile("d:\\Elsewhere\\a.pdf"), FDocs / "A.pdf");
    EXPECT_EQ(ResolveDocumentFile("\\\\server\\share\\Katalog\\cennik.pdf"),
              FDocs / "Katalog" / "cennik.pdf");
    EXPECT_EQ(ResolveDocumentFile("\\Katalog\\cennik.pdf"), FDocs / "Katalog" / "cennik.pdf");
    EXPECT_EQ(ResolveDocumentFile("D:\\Nowhere\\Gone.pdf"), FDocs / "Gone.pdf")
        << "a name found nowhere is looked for beside the catalogue";
    EXPECT_EQ(ResolveDocumentFile((FDocs / "A.pdf").string()), FDocs / "A.pdf")
        << "an absolute name of this system stays";
}

TEST_F(DocItem, PageRule)
{
    auto Page = [](const std::string& Pages) {
        TDocItem0 Item;
        Item.SetPages(Pages);
        return Item.PageNumber([](const std::string& Text) {
            int32_t Value = NullInt;
            tools::TextToInt(Text, Value);
            return Value;
        });
    };
    test::RecordedMessages Boxes;
    EXPECT_EQ(Page(""), 1);
    EXPECT_EQ(Page("1"), 1);
    EXPECT_EQ(Page("25"), 25);
    EXPECT_EQ(Page("25-30"), 25);
    EXPECT_EQ(Page("7 and 9"), 7);
    EXPECT_EQ(Page("x5"), 1);
    EXPECT_EQ(Page("0"), 0);
    EXPECT_EQ(Page(" 12 "), 12) << "the setter trims";
    EXPECT_EQ(Page("99999999999"), 1) << "no page has that number";
    EXPECT_EQ(Page("-5"), -5);
    EXPECT_EQ(Page("-2*3"), -6) << "a leading '-' is an expression";
    EXPECT_TRUE(Boxes.Shown.empty());

    EXPECT_EQ(Page("-"), NullInt);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_NE(Boxes.Shown[0].Flags & tools::MB_ICONERROR, 0);
}

TEST_F(DocItem, PagesAndDestinationAreTrimmedWhenSet)
{
    TDocItem0 Item;
    Item.SetPages("  5 ");
    EXPECT_EQ(Item.Pages(), "5");
    Item.SetDestination("  ch2 ");
    EXPECT_EQ(Item.Destination(), "ch2");
    Item.SetCaption(" Own ");
    EXPECT_EQ(Item.StoredCaption(), " Own ") << "captions are kept as given";
}

TEST_F(DocItem, CopyToMakesAnEqualIndependentItem)
{
    TDocItem0 Item;
    Item.SetLevel(-2);
    Item.SetCaption("Cennik 2026");
    Item.SetHint("hint");
    Item.SetStoredFileName(":Katalog\\Cennik.pdf");
    Item.SetVisibleForUser(false);
    Item.SetPages("3");
    Item.SetDestination("ceny");
    Item.SetCaptionTyp(3);
    Item.SetTyp(17);
    Item.SetLineNo(9);

    std::unique_ptr<objects::TStreamableObject> Dest;
    Item.CopyTo(Dest);
    auto* Copy = dynamic_cast<TDocItem0*>(Dest.get());
    ASSERT_NE(Copy, nullptr);
    EXPECT_EQ(Copy->StoredLevel(), -2);
    EXPECT_EQ(Copy->StoredCaption(), "Cennik 2026");
    EXPECT_EQ(Copy->Hint(), "hint");
    EXPECT_EQ(Copy->StoredFileName(), ":Katalog\\Cennik.pdf");
    EXPECT_FALSE(Copy->VisibleForUser());
    EXPECT_EQ(Copy->Pages(), "3");
    EXPECT_EQ(Copy->Destination(), "ceny");
    EXPECT_EQ(Copy->CaptionTyp(), 3);
    EXPECT_EQ(Copy->Typ(), 17);
    EXPECT_EQ(Copy->LineNo(), 0) << "the line number is the display's, not the entry's";

    // Into an existing item: overwritten, same object.
    TDocItem0 Other;
    Other.CopyTo(Dest);
    EXPECT_EQ(Dest.get(), Copy);
    EXPECT_EQ(Copy->StoredCaption(), "");
    EXPECT_TRUE(Copy->VisibleForUser());

    std::unique_ptr<objects::TStreamableObject> Collection =
        std::make_unique<objects::TObjectCollection>();
    EXPECT_THROW(Item.CopyTo(Collection), objects::EObjectStream);
}

}  // namespace
