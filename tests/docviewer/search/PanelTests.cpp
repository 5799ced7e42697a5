// Finding in the viewer: the search field above the table of contents, its keys, the
// results in the tree's place, opening a result as an entry is opened with its words
// marked, what the panel says while the index is being built, and closing meanwhile.
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/ManualSearchPanel.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ReaderControl.h"
#include "docviewer/search/ManualIndex.h"
#include "identity/ApplCons.h"

using namespace tavo;
using docviewer::TManualSearchPanel;
namespace fs = std::filesystem;

namespace {

class SearchPanel : public test::ViewerTest {
protected:
    std::unique_ptr<objects::TObjectCollection> Sample()
    {
        return catalogue::LoadCatalogue(FFolder.Written() + catalogue::CatalogueFileName,
                                        *identity::CatalogueVerInfo());
    }
    // Count copies of a six-page document, one entry each, in a folder of the test's own.
    std::unique_ptr<objects::TObjectCollection> Copies(int Count)
    {
        const fs::path folder = fs::absolute(test::TestFolder() / "Documentation");
        fs::create_directories(folder);
        FFolder = catalogue::TDocumentFolder(folder.string() + "/");
        auto catalogue = std::make_unique<objects::TObjectCollection>();
        for (int i = 1; i <= Count; ++i) {
            const std::string name = "rozdzial" + std::to_string(i) + ".pdf";
            fs::copy_file(fs::path(TEST_DOCS) / "rozdzialy.pdf", folder / name);
            catalogue->Insert(Entry(0, "Rozdział " + std::to_string(i), ":" + name, "1"));
        }
        return catalogue;
    }
    static bool Settled(TManualSearchPanel& Panel)
    {
        return test::WaitFor([&] { return !Panel.Indexing(); }, 30000);
    }
    fs::path IndexFile() const
    {
        return docviewer::ManualIndexFile(FFolder.ResolveInside(catalogue::CatalogueFileName));
    }
    // Green marks on the page the reader shows.
    static int MarkedRuns(docviewer::TF_DocPDFViewer& Viewer)
    {
        const QImage image = Viewer.CurrentControl()->grab().toImage();
        int runs = 0;
        for (int y = 0; y < image.height(); y += 2) {
            bool in = false;
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                const bool green =
                    c.green() > 150 && c.red() < 200 && c.blue() < 200 && c.green() > c.red() + 30;
                runs += green && !in;
                in = green;
            }
        }
        return runs;
    }
};

TEST_F(SearchPanel, CtrlFFindsInTheWholeManualAndEnterOpensTheHitWithItsWordsMarked)
{
    auto catalogue = Sample();
    auto viewer = ShowViewer(catalogue.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    TManualSearchPanel& panel = *viewer->SearchPanel;
    EXPECT_FALSE(panel.ResultsShown());
    EXPECT_TRUE(panel.E_ManualSearch->isVisible());

    viewer->PdfTreeView->setFocus();
    QTest::keyClick(viewer->PdfTreeView, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(panel.E_ManualSearch->hasFocus());
    QTest::keyClicks(panel.E_ManualSearch, "CIEPLA");
    ASSERT_TRUE(test::WaitFor(
        [&] { return !panel.Indexing() && panel.ResultsShown() && panel.Results().size() == 1; },
        30000));
    EXPECT_TRUE(viewer->PdfTreeView->isHidden());
    EXPECT_EQ(panel.L_SearchStatus->text(), QStringLiteral("1 result"));
    const QModelIndex first = panel.LV_SearchResults->model()->index(0, 0);
    EXPECT_EQ(first.data().toString(), QStringLiteral("Straty ciepła"));
    EXPECT_EQ(first.data(docviewer::TSearchResultsModel::PageRole).toInt(), 4);
    EXPECT_EQ(first.data(Qt::AccessibleTextRole).toString(),
              QStringLiteral("Straty ciepła, page 4: Straty ciepła The heat loss of a room is the "
                             "sum of its transmission and ventilation losses. Page 4"));
    EXPECT_TRUE(first.data(docviewer::TSearchResultsModel::SnippetRole)
                    .toString()
                    .startsWith(QStringLiteral("Straty <b>ciepła</b>")));

    // Enter opens it the way the tree opens an entry: the entry's file, at the hit's page.
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Return);
    EXPECT_EQ(viewer->CurrentFile(), test::SampleFile("Podrecznik.pdf"));
    EXPECT_EQ(viewer->CurrentPage(), 4);
    EXPECT_EQ(viewer->CurrentDest(), "");
    ASSERT_TRUE(test::WaitFor([&] {
        return ShownPage(*viewer) == 4 && ReaderProperty(*viewer, "settled").toBool() &&
               MarkedRuns(*viewer) > 0;
    }));
    EXPECT_TRUE(panel.E_ManualSearch->hasFocus());  // F3 goes on from here
}

TEST_F(SearchPanel, KeysGoThroughTheResultsAndEscapeReturnsToTheTree)
{
    auto catalogue = Sample();
    auto viewer = ShowViewer(catalogue.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.FindInManual();
    QTest::keyClicks(panel.E_ManualSearch, "radiat*");
    ASSERT_TRUE(
        test::WaitFor([&] { return !panel.Indexing() && panel.Results().size() >= 4; }, 30000));
    const auto& results = panel.Results();
    const int count = static_cast<int>(results.size());
    auto opened = [&](int Row) {
        const docviewer::TSearchResult& r = results[static_cast<size_t>(Row)];
        return panel.LV_SearchResults->currentIndex().row() == Row &&
               viewer->CurrentFile() == fs::path(r.Entry->File.toStdString()) &&
               viewer->CurrentPage() == r.Page;
    };
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_F3);
    EXPECT_TRUE(opened(0));
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_F3);
    EXPECT_TRUE(opened(1));
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(opened(0));
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(opened(count - 1));  // round to the last

    // Down enters the list, Enter opens, Up from the first row goes back to the field.
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Down);
    ASSERT_TRUE(panel.LV_SearchResults->hasFocus());
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Home);
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Down);
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Return);
    EXPECT_TRUE(opened(1));
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_F3);
    EXPECT_TRUE(opened(2));
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Home);
    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Up);
    EXPECT_TRUE(panel.E_ManualSearch->hasFocus());

    // A click opens a result too.
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Down);
    const QRect third =
        panel.LV_SearchResults->visualRect(panel.LV_SearchResults->model()->index(2, 0));
    QTest::mouseClick(panel.LV_SearchResults->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_TRUE(opened(2));

    QTest::keyClick(panel.LV_SearchResults, Qt::Key_Escape);
    EXPECT_FALSE(panel.ResultsShown());
    EXPECT_TRUE(viewer->PdfTreeView->isVisible());
    EXPECT_TRUE(viewer->PdfTreeView->hasFocus());
    EXPECT_EQ(panel.E_ManualSearch->text(), QStringLiteral("radiat*"));
    // F3 belongs to the results only while they are shown.
    const fs::path file = viewer->CurrentFile();
    QTest::keyClick(viewer->PdfTreeView, Qt::Key_F3);
    EXPECT_EQ(viewer->CurrentFile(), file);

    // Ctrl+F brings them back with the text ready to be typed over.
    QTest::keyClick(viewer->PdfTreeView, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(panel.ResultsShown());
    EXPECT_TRUE(panel.E_ManualSearch->hasFocus());
    EXPECT_EQ(panel.E_ManualSearch->selectedText(), QStringLiteral("radiat*"));
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Escape);
    EXPECT_TRUE(viewer->PdfTreeView->isVisible());

    // Emptying the field gives the tree back as well.
    panel.FindInManual();
    EXPECT_TRUE(panel.ResultsShown());
    panel.E_ManualSearch->clear();
    EXPECT_FALSE(panel.ResultsShown());
    EXPECT_TRUE(viewer->PdfTreeView->isVisible());
}

TEST_F(SearchPanel, QueriesWithoutWordsAndHostileTextsSaySoCalmly)
{
    auto catalogue = Sample();
    auto viewer = ShowViewer(catalogue.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.StartIndexing();
    ASSERT_TRUE(Settled(panel));
    for (const char* text : {"\"*", "NEAR(", "'; --", "\"\"", "NOT", "grzejnik OR"}) {
        panel.E_ManualSearch->setText(QString::fromUtf8(text));
        panel.Search();
        EXPECT_TRUE(panel.ResultsShown()) << text;
        EXPECT_FALSE(panel.L_SearchStatus->text().contains(QStringLiteral("cannot")))
            << text << ": " << panel.L_SearchStatus->text().toStdString();
    }
    panel.E_ManualSearch->setText(QStringLiteral("\"*"));
    panel.Search();
    EXPECT_EQ(panel.L_SearchStatus->text(), QStringLiteral("The search has no words to find."));
    panel.E_ManualSearch->setText(QStringLiteral("zzzyyy"));
    panel.Search();
    EXPECT_EQ(panel.L_SearchStatus->text(), QStringLiteral("No results"));
}

TEST_F(SearchPanel, WhileTheIndexIsBuiltResultsComeFromWhatIsIndexedAndSaySo)
{
    auto catalogue = Copies(12);
    auto viewer = ShowViewer(catalogue.get());
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.StartIndexing();
    EXPECT_TRUE(panel.Indexing());
    EXPECT_EQ(panel.L_SearchStatus->text(),
              QStringLiteral("Indexing the manual: 1 of 12 documents"));

    std::vector<QString> statuses;
    std::vector<size_t> counts;
    QObject::connect(&panel, &TManualSearchPanel::IndexChanged, &panel, [&] {
        statuses.push_back(panel.L_SearchStatus->text());
        counts.push_back(panel.Results().size());
    });
    panel.E_ManualSearch->setText(QStringLiteral("delta"));
    panel.Search();
    EXPECT_TRUE(
        panel.L_SearchStatus->text().endsWith(QStringLiteral(" of 12 documents indexed so far")))
        << panel.L_SearchStatus->text().toStdString();
    ASSERT_TRUE(Settled(panel));
    ASSERT_GE(statuses.size(), 2u);
    const QRegularExpression soFar(QStringLiteral(
        R"(^(No results|1 result|\d+ results) in the (\d+) of 12 documents indexed so far$)"));
    int lastDone = -1;
    for (size_t i = 0; i + 1 < statuses.size(); ++i) {
        const QRegularExpressionMatch m = soFar.match(statuses[i]);
        ASSERT_TRUE(m.hasMatch()) << statuses[i].toStdString();
        const int done = m.captured(2).toInt();
        EXPECT_GE(done, lastDone);
        EXPECT_GE(counts[i], size_t(done));  // every document done has its result shown
        lastDone = done;
    }
    EXPECT_EQ(statuses.back(), QStringLiteral("12 results"));
    EXPECT_EQ(panel.Results().size(), 12u);
    // Each hit belongs to its own copy's entry.
    for (const docviewer::TSearchResult& r : panel.Results())
        EXPECT_EQ(r.Page, 4);
}

TEST_F(SearchPanel, ClosingWhileIndexingLeavesASoundIndexThatTheNextVisitCompletes)
{
    auto catalogue = Copies(40);
    {
        auto viewer = ShowViewer(catalogue.get());
        TManualSearchPanel& panel = *viewer->SearchPanel;
        bool stored = false;
        QObject::connect(&panel, &TManualSearchPanel::IndexChanged, &panel,
                         [&] { stored = stored || panel.DocumentsDone() > 0; });
        panel.StartIndexing();
        ASSERT_TRUE(test::WaitFor([&] { return stored; }, 30000));
    }  // the program closes: the viewer goes, the work stops at the next page
    size_t kept = 0;
    {
        docviewer::TManualIndex index(IndexFile());
        EXPECT_TRUE(index.SetAside().empty());
        kept = index.Documents().size();
        EXPECT_GE(kept, 1u);
        for (const docviewer::TIndexedDocument& d : index.Documents())
            EXPECT_EQ(d.Pages, 6);  // whole documents only
    }
    auto viewer = ShowViewer(catalogue.get());
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.E_ManualSearch->setText(QStringLiteral("dzeta"));
    panel.Search();
    ASSERT_TRUE(Settled(panel));
    EXPECT_EQ(panel.Results().size(), 40u);
    docviewer::TManualIndex index(IndexFile());
    EXPECT_EQ(index.Documents().size(), 40u);
}

TEST_F(SearchPanel, AnIndexDamagedInsideIsCheckedSetAsideAndRebuiltWhenASearchFails)
{
    auto catalogue = Sample();
    {
        auto viewer = ShowViewer(catalogue.get());
        viewer->SearchPanel->StartIndexing();
        ASSERT_TRUE(Settled(*viewer->SearchPanel));
    }
    {
        // Full-text pages gone from a file whose structure is sound.
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("harm"));
        db.setDatabaseName(QString::fromStdString(IndexFile().string()));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM pages_data WHERE id > 10"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("harm"));

    auto viewer = ShowViewer(catalogue.get());
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.StartIndexing();
    ASSERT_TRUE(Settled(panel));  // every document unchanged: the quick check trusts it
    panel.E_ManualSearch->setText(QStringLiteral("ciepla"));
    panel.Search();
    ASSERT_TRUE(
        test::WaitFor([&] { return !panel.Indexing() && panel.Results().size() == 1; }, 30000));
    EXPECT_EQ(panel.L_SearchStatus->text(), QStringLiteral("1 result"));
    fs::path aside = IndexFile();
    aside += ".damaged";
    EXPECT_TRUE(fs::exists(aside));
}

TEST_F(SearchPanel, AnIndexThatCannotBeMadeIsSaidPlainly)
{
    test::WriteFile(test::TestFolder() / "cache-file", "x");
    ::setenv("XDG_CACHE_HOME", (test::TestFolder() / "cache-file").c_str(), 1);
    auto catalogue = Sample();
    auto viewer = ShowViewer(catalogue.get());
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.E_ManualSearch->setText(QStringLiteral("ciepla"));
    panel.Search();
    ASSERT_TRUE(Settled(panel));
    EXPECT_TRUE(panel.L_SearchStatus->text().startsWith(QStringLiteral(
        "The manual cannot be searched: The index of the manual cannot be created in ")))
        << panel.L_SearchStatus->text().toStdString();
    EXPECT_TRUE(panel.Results().empty());
}

TEST_F(SearchPanel, TheFieldAndResultsAreReachedByTabAndNamedForScreenReaders)
{
    auto catalogue = Sample();
    auto viewer = ShowViewer(catalogue.get());
    TManualSearchPanel& panel = *viewer->SearchPanel;
    EXPECT_EQ(panel.E_ManualSearch->accessibleName(), QStringLiteral("Find in the manual"));
    EXPECT_FALSE(panel.E_ManualSearch->accessibleDescription().isEmpty());
    EXPECT_EQ(panel.LV_SearchResults->accessibleName(),
              QStringLiteral("Results of the search in the manual"));
    viewer->CB_ExpandAll->setFocus();
    QTest::keyClick(viewer->CB_ExpandAll, Qt::Key_Tab);
    EXPECT_TRUE(panel.E_ManualSearch->hasFocus());
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Tab);
    EXPECT_TRUE(viewer->PdfTreeView->hasFocus());  // the results are hidden: the tree is next
}

TEST_F(SearchPanel, TheResultLineCountsTheDocumentsNotSearchedAndListsThemOnRequest)
{
    const fs::path folder = fs::absolute(test::TestFolder() / "Documentation");
    fs::create_directories(folder);
    FFolder = catalogue::TDocumentFolder(folder.string() + "/");
    fs::copy_file(fs::path(TEST_DOCS) / "rozdzialy.pdf", folder / "rozdziały.pdf");
    test::WriteFile(folder / "zepsuty.pdf", "%PDF-1.4\nno document here\n");
    test::WriteFile(folder / "pusty.pdf", "");
    objects::TObjectCollection catalogue;
    // The stored name is Windows-1250, as on a disc made on Windows.
    catalogue.Insert(Entry(0, "Rozdziały", ":rozdzia\xB3y.pdf", "1"));
    catalogue.Insert(Entry(0, "Zepsuty", ":zepsuty.pdf"));
    catalogue.Insert(Entry(0, "Pusty", ":pusty.pdf"));
    catalogue.Insert(Entry(0, "Brak", ":brak.pdf"));
    auto viewer = ShowViewer(&catalogue);
    TManualSearchPanel& panel = *viewer->SearchPanel;
    panel.E_ManualSearch->setText(QStringLiteral("delta"));
    panel.Search();
    ASSERT_TRUE(Settled(panel));
    EXPECT_EQ(panel.L_SearchStatus->text(),
              QStringLiteral("1 result; 3 documents could not be searched"));
    ASSERT_EQ(panel.NotSearched().size(), 3u);
    EXPECT_TRUE(panel.Btn_NotSearched->isVisible());
    EXPECT_FALSE(panel.L_NotSearched->isVisible());

    // On request, by keyboard: the list of them, why, and selectable.
    panel.E_ManualSearch->setFocus();
    QTest::keyClick(panel.E_ManualSearch, Qt::Key_Tab);
    ASSERT_TRUE(panel.Btn_NotSearched->hasFocus());
    QTest::keyClick(panel.Btn_NotSearched, Qt::Key_Space);
    ASSERT_TRUE(panel.L_NotSearched->isVisible());
    const QStringList lines = panel.L_NotSearched->text().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("zepsuty.pdf: cannot be read: ")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("pusty.pdf: cannot be read: ")));
    EXPECT_EQ(lines[2], QStringLiteral("brak.pdf: missing"));
    EXPECT_TRUE(panel.L_NotSearched->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(panel.Btn_NotSearched->text(), QStringLiteral("Hide the list"));
    QTest::keyClick(panel.Btn_NotSearched, Qt::Key_Space);
    EXPECT_FALSE(panel.L_NotSearched->isVisible());

    // One that could not be searched is one document.
    test::WriteFile(folder / "zepsuty.pdf", "");
    fs::copy_file(fs::path(TEST_DOCS) / "rozdzialy.pdf", folder / "pusty.pdf",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(TEST_DOCS) / "rozdzialy.pdf", folder / "brak.pdf");
    const catalogue::TDocCatalogue again(catalogue, FTypes->DocTypes(), FFolder,
                                         folder / catalogue::CatalogueFileName);
    viewer->SearchPanel->SetCatalogue(&again);
    panel.E_ManualSearch->setText(QStringLiteral("delta"));
    panel.Search();
    ASSERT_TRUE(Settled(panel));
    panel.Search();
    EXPECT_EQ(panel.L_SearchStatus->text(),
              QStringLiteral("3 results; 1 document could not be searched"));
}

}  // namespace
