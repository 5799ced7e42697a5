// Opening documents on the real reader plugin with the sample disc's documentation.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/FAdobeRader6Warrning.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfLib_TLB_Old.h"
#include "docviewer/PdfPanel.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "platform/ProgramStart.h"

using namespace tavo;
using docviewer::TF_DocPDFViewer;
using tavo::test::SampleDocumentation;
using tavo::test::SampleFile;
using tavo::test::TestFolder;
using tavo::test::WaitFor;
namespace fs = std::filesystem;

namespace {

class ViewerOpening : public tavo::test::ViewerTest {
protected:
    // Two entries of one file and one of another, none with a destination.
    std::unique_ptr<objects::TObjectCollection>
    TwoFiles(const std::string& SecondFile = ":Firma.pdf")
    {
        auto c = std::make_unique<objects::TObjectCollection>();
        c->Insert(Entry(0, "Opis", ":Opis.pdf", "1"));
        c->Insert(Entry(0, "Opis, strona 2", ":Opis.pdf", "2"));
        c->Insert(Entry(0, "Opis, strona 3", ":Opis.pdf", "3"));
        c->Insert(Entry(0, "Opis, bez zmiany strony", ":Opis.pdf", "-5"));
        c->Insert(Entry(0, "Firma", SecondFile));
        return c;
    }
};

TEST_F(ViewerOpening, NothingOpensWhileTheTreeFillsOrBeforeTheFirstTick)
{
    std::unique_ptr<objects::TObjectCollection> catalogue = catalogue::LoadCatalogue(
        SampleDocumentation() + catalogue::CatalogueFileName, *identity::CatalogueVerInfo());
    TF_DocPDFViewer viewer;
    QSignalSpy loads(&viewer, &TF_DocPDFViewer::DocumentLoaded);
    viewer.FillTree(Doc(catalogue.get()), FTypes->Glyphs);
    // The first entry with a file is selected, yet nothing is opened and no control taken.
    EXPECT_EQ(viewer.PdfTreeView->currentIndex(), Node(viewer, "Tavo C.H. 3.2"));
    EXPECT_EQ(viewer.CurrentControl(), nullptr);
    EXPECT_TRUE(viewer.CurrentFile().empty());
    EXPECT_EQ(docviewer::NewControlPool[0], nullptr);

    viewer.show();
    EXPECT_TRUE(viewer.FirstShow());
    EXPECT_TRUE(viewer.Timer->isActive());
    EXPECT_EQ(viewer.CurrentControl(), nullptr);
    EXPECT_EQ(loads.count(), 0);

    ASSERT_TRUE(WaitForControl(viewer));
    EXPECT_FALSE(viewer.FirstShow());
    EXPECT_FALSE(viewer.Timer->isActive());
    EXPECT_EQ(viewer.CurrentFile(), SampleFile("Opis.pdf"));
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(ShownPage(viewer), 1);
    EXPECT_EQ(FWarnings, 1);
    EXPECT_EQ(docviewer::NewControlPool[0].data(), viewer.PdfControl());
    EXPECT_EQ(viewer.PdfControl()->parentWidget(), viewer.P_Pdf);
    EXPECT_FALSE(viewer.L_NoDocMsg->isVisible());
    EXPECT_TRUE(viewer.PdfControl()->isVisible());
    // The tree keeps the keyboard focus when the control arrives.
    EXPECT_FALSE(viewer.PdfControl()->hasFocus());
}

TEST_F(ViewerOpening, ABlankFileNameExpandsTheNodeOnly)
{
    auto c = std::make_unique<objects::TObjectCollection>();
    c->Insert(Entry(0, "Opis", ":Opis.pdf", "2"));
    c->Insert(Entry(0, "Rozdział", ""));
    c->Insert(Entry(1, "Firma", ":Firma.pdf"));
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    viewer->CB_ExpandAll->setChecked(false);
    QModelIndex chapter = Node(*viewer, "Rozdział");
    ASSERT_FALSE(viewer->PdfTreeView->isExpanded(chapter));
    QSignalSpy loads(viewer.get(), &TF_DocPDFViewer::DocumentLoaded);

    Select(*viewer, "Rozdział");
    EXPECT_TRUE(viewer->PdfTreeView->isExpanded(chapter));
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Opis.pdf"));
    EXPECT_EQ(ShownPage(*viewer), 2);
    EXPECT_EQ(loads.count(), 0);
}

TEST_F(ViewerOpening, EntriesOfOneFileLoadItOnceAndMoveToEachPageAtTheFullWidth)
{
    auto c = TwoFiles();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    QSignalSpy loads(viewer.get(), &TF_DocPDFViewer::DocumentLoaded);
    auto* reader = viewer->PdfControl();

    for (const char* caption : {"Opis, strona 3", "Opis, strona 2"}) {
        reader->setView("Fit");  // the user zoomed to the whole page
        ASSERT_FALSE(ReaderProperty(*viewer, "fitWidth").toBool());
        Select(*viewer, caption);
        EXPECT_TRUE(ReaderProperty(*viewer, "fitWidth").toBool()) << caption;
    }
    EXPECT_EQ(ShownPage(*viewer), 2);
    EXPECT_EQ(viewer->CurrentPage(), 2);
    EXPECT_TRUE(viewer->CurrentDest().empty());
    EXPECT_EQ(loads.count(), 0);

    Select(*viewer, "Firma");
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(ShownPage(*viewer), 1);
}

TEST_F(ViewerOpening, ANamedDestinationIsShownAndKeptAsTheCurrentOne)
{
    std::unique_ptr<objects::TObjectCollection> catalogue = catalogue::LoadCatalogue(
        SampleDocumentation() + catalogue::CatalogueFileName, *identity::CatalogueVerInfo());
    auto viewer = ShowViewer(catalogue.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    Select(*viewer, "Nowości w wersji 3.2");
    EXPECT_EQ(ShownPage(*viewer), 3);
    EXPECT_EQ(viewer->CurrentDest(), "nowosci");
    // A price list in a folder written as on Windows, found where the disc keeps it.
    Select(*viewer, "Cennik");
    EXPECT_TRUE(viewer->PdfControl()->isVisible());
    EXPECT_EQ(viewer->CurrentDest(), "ceny");
}

TEST_F(ViewerOpening, ANegativePageKeepsThePageShown)
{
    auto c = TwoFiles();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    Select(*viewer, "Opis, strona 2");
    ASSERT_EQ(ShownPage(*viewer), 2);
    viewer->PdfControl()->setView("Fit");

    Select(*viewer, "Opis, bez zmiany strony");
    EXPECT_EQ(viewer->CurrentPage(), -5);
    EXPECT_EQ(ShownPage(*viewer), 2);
    EXPECT_TRUE(ReaderProperty(*viewer, "fitWidth").toBool());
}

TEST_F(ViewerOpening, AMissingFileShowsNoDocumentationAndThePreviousFileLoadsAgain)
{
    auto c = TwoFiles(":Brak.pdf");
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    Select(*viewer, "Opis, strona 3");
    QSignalSpy loads(viewer.get(), &TF_DocPDFViewer::DocumentLoaded);

    Select(*viewer, "Firma");
    EXPECT_TRUE(viewer->L_NoDocMsg->isVisible());
    EXPECT_EQ(viewer->L_NoDocMsg->text(), "No documentation");
    // And the file it looked for, to be copied.
    EXPECT_TRUE(viewer->L_NoDocFile->isVisible());
    EXPECT_EQ(
        viewer->L_NoDocFile->text(),
        QString::fromStdString("The file " + SampleDocumentation() + "Brak.pdf was not found."));
    EXPECT_TRUE(viewer->L_NoDocFile->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_FALSE(viewer->PdfControl()->isVisible());
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Brak.pdf"));
    EXPECT_TRUE(docviewer::ReaderAvailable);

    Select(*viewer, "Opis, strona 2");
    EXPECT_EQ(loads.count(), 1);
    EXPECT_FALSE(viewer->L_NoDocMsg->isVisible());
    EXPECT_FALSE(viewer->L_NoDocFile->isVisible());
    EXPECT_TRUE(viewer->PdfControl()->isVisible());
    EXPECT_EQ(ShownPage(*viewer), 2);
}

TEST_F(ViewerOpening, WithoutAnyDocumentNoDocumentationShowsAndTheTimerKeepsTicking)
{
    for (const char* file : {"", ":Brak.pdf"}) {
        auto c = std::make_unique<objects::TObjectCollection>();
        c->Insert(Entry(0, "Rozdział", ""));
        c->Insert(Entry(1, "Brakujący", file));
        auto viewer = ShowViewer(c.get());
        int ticks = 0;
        QObject::connect(viewer->Timer, &QTimer::timeout, [&] { ++ticks; });
        ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }, 10000)) << file;
        EXPECT_TRUE(viewer->L_NoDocMsg->isVisible()) << file;
        // A name is given only where there is one.
        EXPECT_EQ(viewer->L_NoDocFile->isVisible(), *file != 0) << file;
        EXPECT_TRUE(viewer->Timer->isActive()) << file;
        EXPECT_TRUE(viewer->ControlPending()) << file;
        EXPECT_EQ(viewer->CurrentControl(), nullptr) << file;
        EXPECT_EQ(FWarnings, 0) << file;
    }
}

TEST_F(ViewerOpening, AnEmptyCatalogueGivesAnEmptyTreeAndNoDocumentation)
{
    objects::TObjectCollection empty;
    auto viewer = ShowViewer(&empty);
    EXPECT_EQ(viewer->PdfTreeView->model()->rowCount(), 0);
    ASSERT_TRUE(WaitFor([&] { return !viewer->FirstShow(); }));
    EXPECT_TRUE(viewer->L_NoDocMsg->isVisible());
}

TEST_F(ViewerOpening, AFileThatAppearsLaterIsOpenedByTheNextTick)
{
    std::filesystem::path folder = TestFolder() / "docs";
    std::filesystem::create_directories(folder);
    FFolder = catalogue::TDocumentFolder(folder.string() + "/");
    auto c = std::make_unique<objects::TObjectCollection>();
    c->Insert(Entry(0, "Opis", ":Opis.pdf", "2"));
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitFor([&] { return !viewer->FirstShow(); }));
    EXPECT_TRUE(viewer->L_NoDocMsg->isVisible());
    // The disc goes back into the drive.
    std::filesystem::copy_file(SampleDocumentation() + "Opis.pdf", folder / "Opis.pdf");
    ASSERT_TRUE(WaitForControl(*viewer));
    EXPECT_EQ(ShownPage(*viewer), 2);
    EXPECT_FALSE(viewer->L_NoDocMsg->isVisible());
}

TEST_F(ViewerOpening, ClosingReturnsTheControlToThePoolAndTheNextViewerTakesIt)
{
    auto c = TwoFiles();
    auto first = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*first));
    docviewer::TPDF* control = first->PdfControl();
    first->FormClose();
    EXPECT_TRUE(first->Busy());
    EXPECT_EQ(first->CurrentControl(), nullptr);
    EXPECT_EQ(control->parentWidget(), nullptr);
    ASSERT_NE(control->View(), nullptr);
    EXPECT_EQ(control->View()->PageCount(), 0);  // unloaded
    // Closed: selections do nothing.
    Select(*first, "Opis, strona 3");
    EXPECT_TRUE(first->CurrentFile().empty());

    auto second = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*second));
    EXPECT_EQ(second->PdfControl(), control);
    EXPECT_EQ(docviewer::NewControlPool[1], nullptr);
    // The warning was answered "never again" the first time.
    EXPECT_EQ(FWarnings, 1);
}

TEST_F(ViewerOpening, ViewersBeyondThePoolWaitForAControlToComeBack)
{
    // The warning is left unticked: it comes before every control obtained.
    docviewer::SetWarningPresenter([this](docviewer::TF_AdobeRader6Warrning&) { ++FWarnings; });
    auto c = TwoFiles();
    std::vector<std::unique_ptr<TF_DocPDFViewer>> viewers;
    for (int i = 0; i < docviewer::ControlPoolSize; ++i) {
        viewers.push_back(ShowViewer(c.get()));
        ASSERT_TRUE(WaitForControl(*viewers.back()));
    }
    EXPECT_EQ(FWarnings, docviewer::ControlPoolSize);
    auto fifth = ShowViewer(c.get());
    int ticks = 0;
    QObject::connect(fifth->Timer, &QTimer::timeout, [&] { ++ticks; });
    ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }, 10000));
    EXPECT_EQ(fifth->CurrentControl(), nullptr);
    EXPECT_TRUE(fifth->ControlPending());
    EXPECT_TRUE(fifth->L_NoDocMsg->isVisible());
    EXPECT_TRUE(docviewer::ReaderAvailable);
    EXPECT_EQ(FWarnings, docviewer::ControlPoolSize);  // not asked while waiting
    viewers.front()->FormClose();
    ASSERT_TRUE(WaitForControl(*fifth));
    EXPECT_EQ(ShownPage(*fifth), 1);
    EXPECT_EQ(FWarnings, docviewer::ControlPoolSize + 1);
}

TEST_F(ViewerOpening, AnEntryThatNamesOnlyADestinationIsMarkedOnItsPages)
{
    // A document without an outline whose destinations lie on pages 3 and 8.
    const fs::path folder = TestFolder() / "Cele";
    fs::create_directories(folder);
    fs::copy_file(fs::path(TEST_DOCS) / "cele.pdf", folder / "cele.pdf");
    FFolder = catalogue::TDocumentFolder(folder.string() + "/");
    auto c = std::make_unique<objects::TObjectCollection>();
    c->Insert(Entry(0, "Wstęp", ":cele.pdf", "1"));
    c->Insert(Entry(0, "Rozdział A", ":cele.pdf", "", "rozdzial-a"));
    c->Insert(Entry(0, "Rozdział B", ":cele.pdf", "5"));
    c->Insert(Entry(0, "Rozdział C", ":cele.pdf", "", "rozdzial-c"));
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    // Opening the entry goes to its destination, and marks that entry.
    Select(*viewer, "Rozdział C");
    EXPECT_EQ(ShownPage(*viewer), 8);
    EXPECT_EQ(viewer->MarkedEntry(), Node(*viewer, "Rozdział C"));
    const char* expected[] = {"Wstęp",      "Wstęp",      "Rozdział A", "Rozdział A", "Rozdział B",
                              "Rozdział B", "Rozdział B", "Rozdział C", "Rozdział C", "Rozdział C"};
    for (int page = 1; page <= 10; ++page) {
        viewer->PdfControl()->setCurrentPage(page);
        const QModelIndex want = Node(*viewer, QString::fromUtf8(expected[page - 1]));
        EXPECT_TRUE(WaitFor([&] { return viewer->MarkedEntry() == want; }, 3000))
            << "page " << page << ": " << viewer->MarkedEntry().data().toString().toStdString();
    }
}

}  // namespace
