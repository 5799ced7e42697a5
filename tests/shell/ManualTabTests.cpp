// The "Manual" tab: the catalogue read at the first visit, the viewer embedded in the tab, the
// errors of a catalogue that cannot be read, and what closing the window releases.
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ShellTestSupport.h"
#include "TestEnvironment.h"
#include "catalogue/Catalogue.h"
#include "docviewer/FAdobeRader6Warrning.h"
#include "docviewer/FDOCPDFViewer.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ReaderPool.h"
#include "docviewer/ViewerLayout.h"
#include "identity/ApplCons.h"
#include "platform/ComponentRegistry.h"
#include "platform/DiscPath.h"

using namespace tavo;
using tavo::test::RecordedMessages;
using tavo::test::StartedShell;
using tavo::test::TestFolder;
using tavo::test::WaitFor;
namespace fs = std::filesystem;

namespace {

class ManualTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TAVO_PLUGIN_PATH", READER_PLUGIN_DIR, 1);
        platform::TComponentRegistry::Instance().Rescan();
        docviewer::SetWarningPresenter([](docviewer::TF_AdobeRader6Warrning& Form) {
            Form.CB_DontShowAgain->setChecked(true);
        });
        FShell = std::make_unique<StartedShell>();
        FSample = Main()->DocumentationFolder();
    }
    void TearDown() override
    {
        FShell.reset();
        docviewer::SetWarningPresenter({});
    }
    // A documentation folder of the test's own, with the sample disc's documents.
    fs::path OwnDocumentation(bool WithCatalogue = true)
    {
        fs::path folder = TestFolder() / "Documentation";
        fs::create_directories(folder);
        fs::path sample = platform::ResolvePath(FSample);
        for (const char* name : {"Opis.pdf", "Podrecznik.pdf", "Firma.pdf"})
            fs::copy_file(sample / name, folder / name);
        if (WithCatalogue)
            fs::copy_file(sample / catalogue::CatalogueFileName,
                          folder / catalogue::CatalogueFileName);
        Main()->SetDocumentationFolder(folder.string() + "/");
        return folder;
    }
    shell::TF_Main* Main() const { return FShell->Main(); }
    QWidget* TS_Doc() const { return Main()->findChild<QWidget*>("TS_Doc"); }

    std::unique_ptr<StartedShell> FShell;
    std::string FSample;
};

TEST_F(ManualTab, TheFirstVisitReadsTheCatalogueAndASecondOnlyBringsTheViewerBack)
{
    fs::path folder = OwnDocumentation();
    RecordedMessages boxes;
    FShell->SelectTab(shell::TF_Main::TabManual);
    docviewer::TF_DocPDFViewer* viewer = Main()->Viewer();
    ASSERT_NE(viewer, nullptr);
    const objects::TObjectCollection* catalogue = Main()->Catalogue();
    ASSERT_NE(catalogue, nullptr);
    EXPECT_EQ(viewer->parentWidget(), TS_Doc());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->geometry(), TS_Doc()->rect());
    EXPECT_GT(viewer->PdfTreeView->model()->rowCount(), 0);
    EXPECT_EQ(identity::CatalogueVerInfo()->ReadVersion(), 0);
    ASSERT_TRUE(WaitFor([&] { return viewer->CurrentControl() != nullptr; }));
    EXPECT_FALSE(Main()->findChild<QWidget*>("P_Main")->isVisible());

    // The catalogue is not read again: its file may go.
    fs::remove(folder / catalogue::CatalogueFileName);
    FShell->SelectTab(shell::TF_Main::TabPrograms);
    EXPECT_FALSE(viewer->isVisible());
    FShell->SelectTab(shell::TF_Main::TabManual);
    EXPECT_EQ(Main()->Viewer(), viewer);
    EXPECT_EQ(Main()->Catalogue(), catalogue);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ManualTab, AMissingCatalogueIsReportedAtEachVisitUntilItIsThere)
{
    fs::path folder = OwnDocumentation(false);
    RecordedMessages boxes;
    for (size_t visit = 1; visit <= 2; ++visit) {
        FShell->SelectTab(shell::TF_Main::TabManual);
        ASSERT_EQ(boxes.Shown.size(), visit);
        EXPECT_NE(boxes.Shown.back().Text.find(catalogue::CatalogueFileName), std::string::npos);
        EXPECT_NE(boxes.Shown.back().Flags & tools::MB_ICONERROR, 0);
        EXPECT_EQ(Main()->Viewer(), nullptr);
        EXPECT_EQ(Main()->Catalogue(), nullptr);
        EXPECT_EQ(TS_Doc()->findChildren<QWidget*>().size(), 0);
        FShell->SelectTab(shell::TF_Main::TabPrograms);
    }
    fs::copy_file(platform::ResolvePath(FSample) / catalogue::CatalogueFileName,
                  folder / catalogue::CatalogueFileName);
    FShell->SelectTab(shell::TF_Main::TabManual);
    EXPECT_EQ(boxes.Shown.size(), 2u);
    ASSERT_NE(Main()->Viewer(), nullptr);
    EXPECT_TRUE(Main()->Viewer()->isVisible());
}

TEST_F(ManualTab, ACatalogueWithoutEntriesGivesAnEmptyTree)
{
    fs::path folder = OwnDocumentation(false);
    objects::TObjectCollection empty;
    catalogue::StoreCatalogue((folder / catalogue::CatalogueFileName).string(), empty,
                              *identity::CatalogueVerInfo());
    RecordedMessages boxes;
    FShell->SelectTab(shell::TF_Main::TabManual);
    ASSERT_NE(Main()->Viewer(), nullptr);
    EXPECT_EQ(Main()->Viewer()->PdfTreeView->model()->rowCount(), 0);
    ASSERT_TRUE(WaitFor([&] { return !Main()->Viewer()->FirstShow(); }));
    EXPECT_TRUE(Main()->Viewer()->L_NoDocMsg->isVisible());
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ManualTab, AnotherVersionIsRefusedWithTheFilesName)
{
    fs::path folder = OwnDocumentation(false);
    objects::TObjectCollection empty;
    objects::TFileVerInfo other(true, "KALPDFV_2.00");
    catalogue::StoreCatalogue((folder / catalogue::CatalogueFileName).string(), empty, other);
    RecordedMessages boxes;
    FShell->SelectTab(shell::TF_Main::TabManual);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_NE(boxes.Shown[0].Text.find("The incorrect file version '"), std::string::npos);
    EXPECT_NE(boxes.Shown[0].Text.find(catalogue::CatalogueFileName), std::string::npos);
    EXPECT_EQ(Main()->Viewer(), nullptr);
}

TEST_F(ManualTab, ClosingWithoutEverVisitingReleasesThePool)
{
    RecordedMessages boxes;
    QPointer<docviewer::TPDF> control = docviewer::TakeControl().New;
    ASSERT_FALSE(control.isNull());
    EXPECT_TRUE(Main()->close());
    EXPECT_TRUE(control.isNull());
    EXPECT_EQ(docviewer::NewControlPool[0], nullptr);
    EXPECT_EQ(Main()->Viewer(), nullptr);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ManualTab, ClosingTheWindowReleasesTheReaderAndTheLayoutIsKept)
{
    OwnDocumentation();
    FShell->SelectTab(shell::TF_Main::TabManual);
    docviewer::TF_DocPDFViewer* viewer = Main()->Viewer();
    ASSERT_TRUE(WaitFor([&] { return viewer->CurrentControl() != nullptr; }));
    QPointer<docviewer::TPDF> control = viewer->PdfControl();
    viewer->SB_TreeHClick();
    EXPECT_TRUE(Main()->close());
    EXPECT_TRUE(control.isNull());
    EXPECT_TRUE(viewer->Busy());
    FShell->Program.reset();  // the window goes: the viewer stores its layout
    EXPECT_FALSE(docviewer::TViewerLayout::Load().OrientV);
}

TEST_F(ManualTab, TheSampleDiscsManualOpensInTheTab)
{
    RecordedMessages boxes;
    FShell->SelectTab(shell::TF_Main::TabManual);
    docviewer::TF_DocPDFViewer* viewer = Main()->Viewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(WaitFor([&] { return viewer->CurrentControl() != nullptr; }));
    EXPECT_NE(viewer->CurrentFile().string().find("Opis.pdf"), std::string::npos);
    EXPECT_TRUE(viewer->CurrentControl()->isVisible());
    EXPECT_TRUE(boxes.Shown.empty());
}

}  // namespace

namespace {

TEST_F(ManualTab, ACatalogueThatEndsEarlyShowsItsEntriesAndSaysSo)
{
    fs::path folder = OwnDocumentation();
    const fs::path file = folder / catalogue::CatalogueFileName;
    // The last record loses its last bytes.
    fs::resize_file(file, fs::file_size(file) - 3);
    RecordedMessages boxes;
    FShell->SelectTab(shell::TF_Main::TabManual);
    docviewer::TF_DocPDFViewer* viewer = Main()->Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_GT(viewer->PdfTreeView->model()->rowCount(), 0);
    EXPECT_TRUE(viewer->L_CatalogueWarning->isVisible());
    EXPECT_TRUE(viewer->L_CatalogueWarning->text().contains(QString::fromStdString(file.string())))
        << viewer->L_CatalogueWarning->text().toStdString();
    EXPECT_TRUE(viewer->L_CatalogueWarning->text().contains("ends before"));
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ManualTab, ACatalogueCutInItsHeaderIsNoEmptyCatalogue)
{
    fs::path folder = OwnDocumentation();
    fs::resize_file(folder / catalogue::CatalogueFileName, 60);
    FShell->SelectTab(shell::TF_Main::TabManual);
    docviewer::TF_DocPDFViewer* viewer = Main()->Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->PdfTreeView->model()->rowCount(), 0);
    EXPECT_TRUE(viewer->L_CatalogueWarning->isVisible());
}

TEST_F(ManualTab, TheStartTabAskedForOpensOnceTheWindowShows)
{
    OwnDocumentation();
    FShell.reset();
    FShell = std::make_unique<StartedShell>(false);
    FShell->Program->SetStartTab(shell::TF_Main::TabManual);
    FShell->Program->ShowMainWindow();
    auto* tabs = Main()->findChild<QTabWidget*>("PageControl1");
    ASSERT_TRUE(WaitFor([&] { return Main()->Viewer() != nullptr; }));
    EXPECT_EQ(tabs->currentIndex(), shell::TF_Main::TabManual);
    EXPECT_TRUE(Main()->Viewer()->isVisible());
    EXPECT_EQ(shell::TabNamed("Manual"), shell::TF_Main::TabManual);
    EXPECT_EQ(shell::TabNamed("internet"), shell::TF_Main::TabInternet);
    EXPECT_EQ(shell::TabNamed("manuals"), -1);
}

}  // namespace
