// Using the viewer as people do: the keyboard alone, the mark on the section being read, the
// first click on the document, and names for screen readers.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ViewerTestSupport.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfPanel.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/TransparentPanel.h"
#include "split/OxSplit.h"

using namespace tavo;
using docviewer::TF_DocPDFViewer;
using tavo::test::SampleDocumentation;
using tavo::test::SampleFile;
using tavo::test::WaitFor;

namespace {

class ViewerUse : public tavo::test::ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        FCatalogue = std::make_unique<objects::TObjectCollection>();
        FCatalogue->Insert(Entry(0, "Opis", ":Opis.pdf", "1"));
        FCatalogue->Insert(Entry(1, "Nowości", ":Opis.pdf", "3"));
        FCatalogue->Insert(Entry(1, "Szczegóły", ":Opis.pdf", "3"));
        FCatalogue->Insert(Entry(0, "Rozdział", ""));
        FCatalogue->Insert(Entry(1, "Firma", ":Firma.pdf"));
        FViewer = ShowViewer(FCatalogue.get());
        FViewer->activateWindow();
        ASSERT_TRUE(WaitForControl(*FViewer));
    }
    static void Key(QWidget* W, int K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::keyClick(W, static_cast<Qt::Key>(K), M);
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    bool ReaderHasFocus() const
    {
        QWidget* f = Focus();
        return f && (f == FViewer->PdfControl() || FViewer->PdfControl()->isAncestorOf(f));
    }
    std::unique_ptr<objects::TObjectCollection> FCatalogue;
    std::unique_ptr<TF_DocPDFViewer> FViewer;
};

TEST_F(ViewerUse, TheKeyboardAloneReachesTheTreeAndTheDocument)
{
    FViewer->PdfTreeView->setFocus();
    ASSERT_TRUE(WaitFor([&] { return Focus() == FViewer->PdfTreeView; }));
    // Down moves to the next entry and opens it.
    Key(FViewer->PdfTreeView, Qt::Key_Down);
    EXPECT_EQ(FViewer->PdfTreeView->currentIndex(), Node(*FViewer, "Nowości"));
    EXPECT_EQ(ShownPage(*FViewer), 3);
    // Type-ahead finds an entry by its first letters.
    Key(FViewer->PdfTreeView, Qt::Key_F);
    EXPECT_EQ(FViewer->PdfTreeView->currentIndex(), Node(*FViewer, "Firma"));
    EXPECT_EQ(FViewer->CurrentFile(), SampleFile("Firma.pdf"));

    // F6 to the document and back; Tab from the tree reaches the document too.
    Key(FViewer->PdfTreeView, Qt::Key_F6);
    EXPECT_TRUE(ReaderHasFocus());
    EXPECT_FALSE(FViewer->ClickPanel->isVisible());
    Key(Focus(), Qt::Key_F6);
    EXPECT_EQ(Focus(), FViewer->PdfTreeView);
    Key(FViewer->PdfTreeView, Qt::Key_Tab);
    EXPECT_TRUE(ReaderHasFocus()) << (Focus() ? Focus()->metaObject()->className() : "none") << " "
                                  << (Focus() ? Focus()->objectName().toStdString() : "");
    // The buttons above the tree come before it.
    FViewer->SB_TreeH->setFocus();
    Key(FViewer->SB_TreeH, Qt::Key_Tab);
    EXPECT_EQ(Focus(), FViewer->CB_ExpandAll);
}

TEST_F(ViewerUse, EnterOpensTheEntryAgainAtItsPage)
{
    Select(*FViewer, "Nowości");
    FViewer->PdfControl()->setCurrentPage(1);  // the user scrolled back
    ASSERT_EQ(ShownPage(*FViewer), 1);
    FViewer->PdfTreeView->setFocus();
    Key(FViewer->PdfTreeView, Qt::Key_Return);
    EXPECT_EQ(ShownPage(*FViewer), 3);
    // On an entry without a file Enter opens the branch.
    FViewer->CB_ExpandAll->setChecked(false);
    FViewer->PdfTreeView->setCurrentIndex(Node(*FViewer, "Rozdział"));
    FViewer->PdfTreeView->collapse(Node(*FViewer, "Rozdział"));
    Key(FViewer->PdfTreeView, Qt::Key_Return);
    EXPECT_TRUE(FViewer->PdfTreeView->isExpanded(Node(*FViewer, "Rozdział")));
}

TEST_F(ViewerUse, TheSectionOnScreenIsMarkedWithoutBeingOpened)
{
    QSignalSpy loads(FViewer.get(), &TF_DocPDFViewer::DocumentLoaded);
    EXPECT_EQ(FViewer->MarkedEntry(), Node(*FViewer, "Opis"));
    QStyleOptionViewItem option;
    option.initFrom(FViewer->PdfTreeView);
    auto width = [&](const char* Caption) {
        return FViewer->PdfTreeView->itemDelegate()
            ->sizeHint(option, Node(*FViewer, Caption))
            .width();
    };
    int plain = width("Nowości");
    // The user scrolls the document to page 3: the first entry there is marked bold; the
    // selection stays and nothing is opened.
    FViewer->PdfControl()->setCurrentPage(3);
    ASSERT_TRUE(WaitFor([&] { return FViewer->MarkedEntry() == Node(*FViewer, "Nowości"); }));
    EXPECT_EQ(FViewer->PdfTreeView->currentIndex(), Node(*FViewer, "Opis"));
    EXPECT_EQ(loads.count(), 0);
    EXPECT_GT(width("Nowości"), plain);  // drawn bold
    EXPECT_NE(FViewer->PdfTreeView->accessibleDescription().indexOf("Nowości"), -1);
    // Another document: its own entries are marked.
    Select(*FViewer, "Firma");
    EXPECT_EQ(FViewer->MarkedEntry(), Node(*FViewer, "Firma"));
}

TEST_F(ViewerUse, TheFirstClickOnTheDocumentGivesItTheFocus)
{
    FViewer->PdfTreeView->setFocus();
    ASSERT_TRUE(FViewer->ClickPanel);
    EXPECT_TRUE(FViewer->ClickPanel->isVisible());
    // Laid over the whole document once the pane has been resized.
    FViewer->resize(950, 620);
    ASSERT_TRUE(WaitFor([&] {
        return FViewer->ClickPanel->geometry() ==
               QRect(FViewer->P_Pdf->mapTo(FViewer.get(), QPoint(0, 0)), FViewer->P_Pdf->size());
    }));
    QTest::mouseClick(FViewer->ClickPanel, Qt::LeftButton, {},
                      FViewer->ClickPanel->rect().center());
    EXPECT_FALSE(FViewer->ClickPanel->isVisible());
    EXPECT_TRUE(ReaderHasFocus());
    // Every opening puts it back.
    Select(*FViewer, "Nowości");
    EXPECT_TRUE(FViewer->ClickPanel->isVisible());
}

TEST_F(ViewerUse, TheClickPanelLetsTheDocumentShowThrough)
{
    ASSERT_TRUE(FViewer->ClickPanel->isVisible());
    QRect area = FViewer->ClickPanel->geometry();
    ASSERT_TRUE(WaitFor([&] { return FViewer->PdfControl()->grab().toImage().pixel(5, 5) != 0; }));
    QImage with = FViewer->grab(area).toImage();
    FViewer->ClickPanel->hide();
    QImage without = FViewer->grab(area).toImage();
    EXPECT_EQ(with, without);
}

TEST_F(ViewerUse, PanesAndButtonsHaveNamesForScreenReaders)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             FViewer->Split, FViewer->TreePane, FViewer->PDFPane, FViewer->Panel1,
             FViewer->SB_TreeH, FViewer->SB_TreeV, FViewer->PdfTreeView, FViewer->P_Pdf,
             FViewer->ClickPanel.data(), FViewer->P_AcrobatSetup})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    EXPECT_EQ(FViewer->SB_TreeV->accessibleName(), "Table of contents on the left");
    EXPECT_EQ(FViewer->CB_ExpandAll->text(), "Expand");
}

}  // namespace
