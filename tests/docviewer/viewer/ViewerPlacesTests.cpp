// Back and forward through places, across two documents, with the keys, the mouse's buttons
// and the strip; and the zoom mode the user chose, kept across two viewer lifetimes.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ViewerTestSupport.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ViewerLayout.h"
#include "docviewer/ViewerPlaces.h"

using namespace tavo;
using docviewer::TF_DocPDFViewer;
using docviewer::TPlace;
using docviewer::TPlaces;
using platform::TPdfZoomMode;
using tavo::test::SampleFile;
using tavo::test::WaitFor;

namespace {

TEST(PlacesList, BackForwardAndANewJumpAfterBackDropsWhatLayForward)
{
    TPlaces places;
    const TPlace a{"a.pdf", 1, 0}, b{"a.pdf", 5, 20}, c{"b.pdf", 2, 0}, d{"b.pdf", 7, 0};
    EXPECT_FALSE(places.Back(a));
    places.Record(a);  // a -> b
    places.Record(b);  // b -> c
    EXPECT_EQ(places.Back(c), b);
    EXPECT_EQ(places.Back(b), a);
    EXPECT_FALSE(places.CanGoBack());
    EXPECT_EQ(places.Forward(a), b);
    EXPECT_EQ(places.Forward(b), c);
    EXPECT_FALSE(places.CanGoForward());
    EXPECT_EQ(places.Back(c), b);
    places.Record(b);  // from b, after Back, to d: c is gone
    EXPECT_FALSE(places.CanGoForward());
    EXPECT_EQ(places.Back(d), b);
    EXPECT_EQ(places.Back(b), a);

    TPlaces bounded;
    for (int page = 1; page <= int(TPlaces::kLimit) + 20; ++page)
        bounded.Record({"a.pdf", page, 0});
    EXPECT_EQ(bounded.BackCount(), TPlaces::kLimit);
    std::optional<TPlace> oldest;
    TPlace at{"a.pdf", 999, 0};
    while (auto back = bounded.Back(at))
        oldest = at = *back;
    EXPECT_EQ(oldest->Page, 21) << "the oldest places went first";
}

class ViewerPlaces : public tavo::test::ViewerTest {
protected:
    std::unique_ptr<objects::TObjectCollection> TwoFiles()
    {
        auto c = std::make_unique<objects::TObjectCollection>();
        c->Insert(Entry(0, "Opis", ":Opis.pdf", "1"));
        c->Insert(Entry(0, "Opis, strona 3", ":Opis.pdf", "3"));
        c->Insert(Entry(0, "Firma", ":Firma.pdf"));
        return c;
    }
    static QWidget* Reader(TF_DocPDFViewer& Viewer) { return Viewer.PdfControl()->Control(); }
    static QAbstractScrollArea* PageView(TF_DocPDFViewer& Viewer)
    {
        return Reader(Viewer)->findChild<QAbstractScrollArea*>(QStringLiteral("PageView"));
    }
    static QAction* Action(TF_DocPDFViewer& Viewer, const char* Name)
    {
        return Reader(Viewer)->findChild<QAction*>(QString::fromLatin1(Name));
    }
    static void MouseButton(TF_DocPDFViewer& Viewer, Qt::MouseButton Button)
    {
        QWidget* viewport = PageView(Viewer)->viewport();
        QTest::mousePress(viewport, Button, {}, viewport->rect().center());
        QTest::mouseRelease(viewport, Button, {}, viewport->rect().center());
    }
};

TEST_F(ViewerPlaces, BackAndForwardAcrossTwoDocumentsWithKeysMouseButtonsAndTheStrip)
{
    auto c = TwoFiles();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    Select(*viewer, "Opis, strona 3");
    ASSERT_EQ(ShownPage(*viewer), 3);
    // The viewer opened the first entry itself; choosing another left that place.
    ASSERT_EQ(viewer->Places().BackCount(), 1u);
    Select(*viewer, "Firma");
    ASSERT_EQ(viewer->CurrentFile(), SampleFile("Firma.pdf"));
    EXPECT_TRUE(Action(*viewer, "Back")->isEnabled());
    EXPECT_FALSE(Action(*viewer, "Forward")->isEnabled());

    // Alt+Left in the document: back to the other document, at its page, its entry marked.
    PageView(*viewer)->setFocus();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == PageView(*viewer); }));
    QTest::keyClick(PageView(*viewer), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Opis.pdf"));
    EXPECT_EQ(ShownPage(*viewer), 3);
    EXPECT_EQ(viewer->MarkedEntry(), Node(*viewer, "Opis, strona 3"));
    EXPECT_TRUE(Action(*viewer, "Forward")->isEnabled());

    // The mouse's forward button, then back with its back button.
    MouseButton(*viewer, Qt::ForwardButton);
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Firma.pdf"));
    EXPECT_EQ(viewer->MarkedEntry(), Node(*viewer, "Firma"));
    MouseButton(*viewer, Qt::BackButton);
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Opis.pdf"));
    EXPECT_EQ(ShownPage(*viewer), 3);

    // A typed page number is a jump too; Alt+Right from the contents goes forward.
    auto* field = Reader(*viewer)->findChild<QLineEdit*>(QStringLiteral("PageField"));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("1"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(ShownPage(*viewer), 1);
    EXPECT_FALSE(viewer->Places().CanGoForward()) << "a new jump drops what lay forward";
    Action(*viewer, "Back")->trigger();  // the strip's button
    EXPECT_EQ(ShownPage(*viewer), 3);
    viewer->PdfTreeView->setFocus();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == viewer->PdfTreeView; }));
    QTest::keyClick(viewer->PdfTreeView, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(ShownPage(*viewer), 1);
    EXPECT_EQ(viewer->MarkedEntry(), Node(*viewer, "Opis"));
}

TEST_F(ViewerPlaces, TheChosenZoomModeIsKeptForTheNextRun)
{
    auto c = TwoFiles();
    {
        auto viewer = ShowViewer(c.get());
        ASSERT_TRUE(WaitForControl(*viewer));
        Select(*viewer, "Opis");
        EXPECT_TRUE(ReaderProperty(*viewer, "fitWidth").toBool()) << "nothing chosen yet: FitH";
        Action(*viewer, "FitPage")->trigger();
        EXPECT_EQ(docviewer::LoadZoomMode(), TPdfZoomMode::zmFitPage);
        viewer->CloseDocument();
    }
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    // The pooled control may still fit the page: make it fit the width as a new one would.
    viewer->PdfControl()->setView("FitH,0");
    ASSERT_TRUE(ReaderProperty(*viewer, "fitWidth").toBool());
    Select(*viewer, "Opis, strona 3");
    EXPECT_EQ(ShownPage(*viewer), 3);
    EXPECT_FALSE(ReaderProperty(*viewer, "fitWidth").toBool());
    auto* view = qobject_cast<platform::IPdfView*>(Reader(*viewer));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->ZoomMode(), TPdfZoomMode::zmFitPage);

    // Back to fitting the width: stored, and the viewer opens with "FitH,0" again.
    Action(*viewer, "FitWidth")->trigger();
    EXPECT_EQ(docviewer::LoadZoomMode(), TPdfZoomMode::zmFitWidth);
}

}  // namespace
