// The catalogue file: records as bytes, loading as the documentation tab does it, damaged
// files, and writing.
#include <gtest/gtest.h>
#include <unistd.h>

#include "CatalogueBytes.h"
#include "TestEnvironment.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "identity/ApplCons.h"

using namespace tavo;
using catalogue::LoadCatalogue;
using catalogue::StoreCatalogue;
using catalogue::TCatalogueLoadInfo;
using catalogue::TDocItem0;
using test::LongHeader;
using test::RecordBytes;
using test::TRecordBytes;
namespace fs = std::filesystem;

namespace {

class CatalogueFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        objects::StartObjectsModule();
        objects::SetHeaderSettings(identity::kHeaderFormat, identity::kHeaderTexts);
        FVerInfo = std::make_unique<objects::TFileVerInfo>(true, identity::kCatalogueVersion);
        FFolder = test::TestFolder();
    }
    void TearDown() override { objects::StopObjectsModule(); }

    std::string Write(const std::string& Name, const std::string& Bytes)
    {
        return test::WriteFile(FFolder / Name, Bytes).string();
    }
    std::unique_ptr<objects::TObjectCollection> Load(const std::string& File,
                                                     TCatalogueLoadInfo* Info = nullptr)
    {
        return LoadCatalogue(File, *FVerInfo, Info);
    }
    static const TDocItem0& At(const objects::TObjectCollection& C, int32_t I)
    {
        return dynamic_cast<const TDocItem0&>(*C.ItemAt(I));
    }

    std::unique_ptr<objects::TFileVerInfo> FVerInfo;
    fs::path FFolder;
};

TRecordBytes Full()
{
    TRecordBytes R;
    R.Level = 2;
    R.Caption = "Zdj\xEA"
                "cie ";  // trailing space kept: loading does not trim
    R.Hint = "hint";
    R.FileName = ":Katalog\\Cennik.pdf";
    R.Visible = 2;  // any non-zero byte is true
    R.Pages = " 7";
    R.Destination = "ceny ";
    R.CaptionTyp = 3;
    R.Typ = 17;
    return R;
}

TEST_F(CatalogueFile, LoadsEveryFieldAsStored)
{
    TCatalogueLoadInfo Info;
    auto Catalogue = Load(
        Write("c.pdfv", LongHeader() + test::Int32Bytes(2) + RecordBytes(Full()) + RecordBytes({})),
        &Info);
    EXPECT_EQ(Info.Version, 0);
    EXPECT_EQ(Info.DataOffset, 110);
    EXPECT_EQ(Info.DeclaredCount, 2);
    EXPECT_TRUE(Info.Complete);
    ASSERT_EQ(Catalogue->Count(), 2);
    const TDocItem0& A = At(*Catalogue, 0);
    EXPECT_EQ(A.StoredLevel(), 2);
    EXPECT_EQ(A.StoredCaption(), "Zdj\xEA"
                                 "cie ");
    EXPECT_EQ(A.Hint(), "hint");
    EXPECT_EQ(A.StoredFileName(), ":Katalog\\Cennik.pdf");
    EXPECT_TRUE(A.VisibleForUser());
    EXPECT_EQ(A.Pages(), " 7");
    EXPECT_EQ(A.Destination(), "ceny ");
    EXPECT_EQ(A.CaptionTyp(), 3);
    EXPECT_EQ(A.Typ(), 17);
    EXPECT_EQ(A.LineNo(), 0);
    const TDocItem0& B = At(*Catalogue, 1);
    EXPECT_EQ(B.StoredCaption(), "");
    EXPECT_EQ(B.CaptionTyp(), test::NoType);
    EXPECT_EQ(FVerInfo->ReadVersion(), 0);
}

TEST_F(CatalogueFile, StoreWritesTheBytesLoadReads)
{
    // Full() has a VisibleForUser byte of 2: it goes back as 2, not as 1.
    const std::string In =
        LongHeader() + test::Int32Bytes(2) + RecordBytes(Full()) + RecordBytes({});
    auto Catalogue = Load(Write("in.pdfv", In));
    const std::string Out = (FFolder / "out.pdfv").string();
    StoreCatalogue(Out, *Catalogue, *FVerInfo);
    EXPECT_EQ(test::ReadFile(Out), In);
    EXPECT_FALSE(fs::exists(Out + ".tmp" + std::to_string(::getpid())));
}

TEST_F(CatalogueFile, VisibilityBytesSurviveLoadCopyAndStore)
{
    std::string Records;
    for (uint8_t Visible : {0x00, 0x01, 0x02, 0x80, 0xFF}) {
        TRecordBytes R;
        R.Caption = "v" + std::to_string(Visible);
        R.Visible = Visible;
        Records += RecordBytes(R);
    }
    const std::string In = LongHeader() + test::Int32Bytes(5) + Records;
    auto Catalogue = Load(Write("flags.pdfv", In));
    ASSERT_EQ(Catalogue->Count(), 5);
    EXPECT_FALSE(At(*Catalogue, 0).VisibleForUser());
    for (int32_t I = 1; I < 5; ++I)
        EXPECT_TRUE(At(*Catalogue, I).VisibleForUser()) << "any non-zero byte is true: " << I;

    const std::string Out = (FFolder / "flags-out.pdfv").string();
    StoreCatalogue(Out, *Catalogue, *FVerInfo);
    EXPECT_EQ(test::ReadFile(Out), In);

    std::unique_ptr<objects::TStreamableObject> Copy;
    Catalogue->CopyTo(Copy);
    const std::string CopyOut = (FFolder / "flags-copy.pdfv").string();
    StoreCatalogue(CopyOut, dynamic_cast<objects::TObjectCollection&>(*Copy), *FVerInfo);
    EXPECT_EQ(test::ReadFile(CopyOut), In);

    // Setting the value is a new value: true is written as 1.
    auto& Changed = dynamic_cast<TDocItem0&>(*Catalogue->ItemAt(3));
    Changed.SetVisibleForUser(true);
    StoreCatalogue(Out, *Catalogue, *FVerInfo);
    TRecordBytes Expected;
    Expected.Caption = "v128";
    Expected.Visible = 1;
    const std::string Bytes = test::ReadFile(Out);
    EXPECT_NE(Bytes.find(RecordBytes(Expected)), std::string::npos);
    EXPECT_EQ(Bytes.size(), In.size());
}

TEST_F(CatalogueFile, ShortHeaderAndOlderFormatsAreRead)
{
    TCatalogueLoadInfo Info;
    auto Catalogue = Load(
        Write("short.pdfv", "KALPDFV_1.00" + test::Int32Bytes(1) + RecordBytes(Full())), &Info);
    EXPECT_EQ(Info.DataOffset, 12);
    ASSERT_EQ(Catalogue->Count(), 1);
    EXPECT_EQ(At(*Catalogue, 0).Typ(), 17);
}

TEST_F(CatalogueFile, EmptyCatalogue)
{
    auto Catalogue = Load(Write("empty.pdfv", LongHeader() + test::Int32Bytes(0)));
    EXPECT_EQ(Catalogue->Count(), 0);
}

TEST_F(CatalogueFile, MissingFileAndWrongVersionNameTheFile)
{
    const std::string Missing = (FFolder / "none.pdfv").string();
    try {
        Load(Missing);
        FAIL();
    } catch (const platform::EFOpenError& Error) {
        EXPECT_EQ(Error.Message(), "Cannot open file " + Missing);
    }
    const std::string Other = Write("other.pdfv", LongHeader("kalpdfv_1.00") + test::Int32Bytes(0));
    try {
        Load(Other);
        FAIL();
    } catch (const objects::EFVersionError& Error) {
        EXPECT_EQ(Error.Message(), "The incorrect file version '" + Other + "'");
    }
    EXPECT_THROW(Load(Write("zero.pdfv", "")), objects::EFVersionError);
}

TEST_F(CatalogueFile, NameWrittenOnWindowsIsFound)
{
    test::WriteFile(FFolder / "Setup" / "PdfViewer" / "documentation" / "TAVO_ENG.pdfv",
                    LongHeader() + test::Int32Bytes(1) + RecordBytes(Full()));
    auto Catalogue = Load(FFolder.string() + "/setup\\PdfViewer\\Documentation\\" +
                          catalogue::CatalogueFileName);
    EXPECT_EQ(Catalogue->Count(), 1);
}

TEST_F(CatalogueFile, TruncatedFileLoadsWhatIsThere)
{
    const std::string Whole = LongHeader() + test::Int32Bytes(3) + RecordBytes(Full()) +
                              RecordBytes(Full()) + RecordBytes(Full());
    // Cut inside the third record's caption.
    const size_t Cut = Whole.size() - RecordBytes(Full()).size() + 7;
    TCatalogueLoadInfo Info;
    auto Catalogue = Load(Write("cut.pdfv", Whole.substr(0, Cut)), &Info);
    EXPECT_FALSE(Info.Complete);
    EXPECT_EQ(Info.DeclaredCount, 3);
    ASSERT_EQ(Catalogue->Count(), 3);
    EXPECT_EQ(At(*Catalogue, 1).Typ(), 17);
    EXPECT_EQ(At(*Catalogue, 2).StoredCaption(), "Z") << "the part that is there";
    EXPECT_EQ(At(*Catalogue, 2).Typ(), 0);

    // Cut exactly after the second record: two entries, not three.
    Catalogue =
        Load(Write("cut2.pdfv", Whole.substr(0, Whole.size() - RecordBytes(Full()).size())), &Info);
    EXPECT_FALSE(Info.Complete);
    EXPECT_EQ(Catalogue->Count(), 2);
}

TEST_F(CatalogueFile, HugeCountLoadsOnlyWhatTheFileHolds)
{
    TCatalogueLoadInfo Info;
    auto Catalogue =
        Load(Write("huge.pdfv", LongHeader() + test::Int32Bytes(0x7FFFFFFF) + RecordBytes(Full())),
             &Info);
    EXPECT_EQ(Catalogue->Count(), 1);
    EXPECT_FALSE(Info.Complete);
    EXPECT_LE(Catalogue->Capacity(), 16) << "nothing reserved for entries that are not there";
}

TEST_F(CatalogueFile, NegativeCountIsRefusedWithAClearMessage)
{
    const std::string File = Write("neg.pdfv", LongHeader() + test::Int32Bytes(-5));
    try {
        Load(File);
        FAIL();
    } catch (const platform::EReadError& Error) {
        EXPECT_EQ(Error.Message(),
                  "The catalogue '" + File + "' is damaged: it announces -5 entries.");
    }
}

TEST_F(CatalogueFile, FailedStoreLeavesTheOldFile)
{
    const std::string Out = Write("keep.pdfv", "old");
    objects::TObjectCollection Mixed;
    Mixed.Insert(new TDocItem0);
    Mixed.Insert(new objects::TObjectCollection);
    EXPECT_THROW(StoreCatalogue(Out, Mixed, *FVerInfo), objects::EObjectStream);
    EXPECT_EQ(test::ReadFile(Out), "old");

    const std::string Nowhere = (FFolder / "no-such-folder" / "x.pdfv").string();
    try {
        StoreCatalogue(Nowhere, objects::TObjectCollection(), *FVerInfo);
        FAIL();
    } catch (const platform::EFCreateError& Error) {
        EXPECT_EQ(Error.Message(), "Cannot create file " + Nowhere);
    }
}

TEST_F(CatalogueFile, TooLongTextIsRefusedNotCut)
{
    objects::TObjectCollection Catalogue;
    auto* Item = new TDocItem0;
    Item->SetHint(std::string(70000, 'h'));
    Catalogue.Insert(Item);
    const std::string Out = (FFolder / "long.pdfv").string();
    EXPECT_THROW(StoreCatalogue(Out, Catalogue, *FVerInfo), platform::EWriteError);
    EXPECT_FALSE(fs::exists(Out));
}

}  // namespace
