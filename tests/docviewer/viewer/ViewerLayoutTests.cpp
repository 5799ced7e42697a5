// The remembered layout on real settings files, alone and across two viewer lifetimes.
#include <QCheckBox>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ViewerLayout.h"
#include "platform/Folders.h"
#include "split/OxSplit.h"
#include "tools/SettingsStore.h"

using namespace tavo;
using docviewer::TViewerLayout;
using tavo::test::ReadFile;
using tavo::test::WaitFor;

namespace {

class ViewerLayout : public tavo::test::ViewerTest {
protected:
    static void StoreRaw(const char* Name, int32_t Value)
    {
        tools::GetSettingsStore(tools::ssShared)->WriteInteger(TViewerLayout::Section, Name, Value);
    }
    std::unique_ptr<objects::TObjectCollection> Manual()
    {
        auto c = std::make_unique<objects::TObjectCollection>();
        c->Insert(Entry(0, "Rozdział", ""));
        c->Insert(Entry(1, "Opis", ":Opis.pdf"));
        c->Insert(Entry(1, "Firma", ":Firma.pdf"));
        return c;
    }
};

TEST_F(ViewerLayout, FirstRunGivesTheDefaults)
{
    TViewerLayout l = TViewerLayout::Load();
    EXPECT_EQ(l, TViewerLayout());
    EXPECT_EQ(l.PercentX, 25);
    EXPECT_EQ(l.PercentY, 25);
    EXPECT_TRUE(l.OrientV);
    EXPECT_TRUE(l.AutoExpandTree);
}

TEST_F(ViewerLayout, ValuesAreStoredUnderTheViewersNameAndReadBack)
{
    TViewerLayout l;
    l.PercentX = 40;
    l.PercentY = 60;
    l.OrientV = false;
    l.AutoExpandTree = false;
    l.Store();
    EXPECT_EQ(TViewerLayout::Load(), l);
    std::string file = ReadFile(platform::UserHivePath());
    EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer]"),
              std::string::npos);
    EXPECT_NE(file.find("\"PercentX\"=dword:00000028"), std::string::npos);
    EXPECT_NE(file.find("\"OrientV\"=\"0\""), std::string::npos);
}

TEST_F(ViewerLayout, PercentagesAboveTheCapApplyAsTheCapAndOutOfRangeReadsAsTheDefault)
{
    StoreRaw("PercentX", 90);
    StoreRaw("PercentY", 300);
    TViewerLayout l = TViewerLayout::Load();
    EXPECT_EQ(l.PercentX, 90);
    EXPECT_EQ(l.AppliedPercentX(), 75);
    EXPECT_EQ(l.PercentY, 25);
    EXPECT_EQ(l.AppliedPercentY(), 25);
    StoreRaw("PercentX", -1);
    EXPECT_EQ(TViewerLayout::Load().PercentX, 25);
    StoreRaw("PercentX", 75);
    EXPECT_EQ(TViewerLayout::Load().AppliedPercentX(), 75);
}

TEST_F(ViewerLayout, AFirstViewerHasTheTreeLeftAtAQuarterFullyExpanded)
{
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    EXPECT_EQ(viewer->Split->Orientation(), split::oxsVert);
    EXPECT_EQ(viewer->Split->PercentX(), 25);
    EXPECT_TRUE(viewer->OrientV());
    EXPECT_TRUE(viewer->CB_ExpandAll->isChecked());
    EXPECT_TRUE(viewer->PdfTreeView->isExpanded(Node(*viewer, "Rozdział")));
    // Offering the other place only.
    EXPECT_TRUE(viewer->SB_TreeH->isVisible());
    EXPECT_FALSE(viewer->SB_TreeV->isVisible());
    EXPECT_EQ(viewer->SB_TreeH->toolTip(), "Table of contents on top");
    EXPECT_LT(viewer->TreePane->x(), viewer->PDFPane->x());
}

TEST_F(ViewerLayout, OrientationExpandAndTheBarSurviveARestart)
{
    auto c = Manual();
    {
        auto viewer = ShowViewer(c.get());
        QTest::mouseClick(viewer->SB_TreeH, Qt::LeftButton);
        EXPECT_EQ(viewer->Split->Orientation(), split::oxsHorz);
        EXPECT_FALSE(viewer->OrientV());
        EXPECT_TRUE(viewer->SB_TreeV->isVisible());
        EXPECT_FALSE(viewer->SB_TreeH->isVisible());
        EXPECT_LT(viewer->TreePane->y(), viewer->PDFPane->y());
        viewer->CB_ExpandAll->click();
        EXPECT_FALSE(viewer->PdfTreeView->isExpanded(Node(*viewer, "Rozdział")));
        viewer->Split->SetPercentY(40);
    }
    auto viewer = ShowViewer(c.get());
    EXPECT_EQ(viewer->Split->Orientation(), split::oxsHorz);
    EXPECT_EQ(viewer->Split->PercentY(), 40);
    EXPECT_EQ(viewer->Split->PercentX(), 25);
    EXPECT_FALSE(viewer->CB_ExpandAll->isChecked());
    EXPECT_FALSE(viewer->PdfTreeView->isExpanded(Node(*viewer, "Rozdział")));
    EXPECT_TRUE(viewer->SB_TreeV->isVisible());

    // Back to the left, also across a restart.
    QTest::mouseClick(viewer->SB_TreeV, Qt::LeftButton);
    viewer.reset();
    EXPECT_TRUE(TViewerLayout::Load().OrientV);
}

TEST_F(ViewerLayout, StoredValuesBeyondTheRulesComeUpWithinThem)
{
    StoreRaw("PercentX", 90);
    auto c = Manual();
    {
        auto viewer = ShowViewer(c.get());
        EXPECT_EQ(viewer->Split->PercentX(), 75);
    }
    EXPECT_EQ(TViewerLayout::Load().PercentX, 75);
    StoreRaw("PercentX", 300);
    auto viewer = ShowViewer(c.get());
    EXPECT_EQ(viewer->Split->PercentX(), 25);
}

TEST_F(ViewerLayout, TheTreeIsNeverNarrowerOrLowerThan56Pixels)
{
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    split::ToxSplit* s = viewer->Split;
    // Dragging the bar to the far left.
    QPoint bar(s->PositionX() + s->Inset() + 2, s->height() / 2);
    QWindow* window = viewer->windowHandle();
    ASSERT_NE(window, nullptr);
    auto at = [&](QPoint P) { return window->mapFromGlobal(s->mapToGlobal(P)); };
    QTest::mouseEvent(QTest::MousePress, window, Qt::LeftButton, {}, at(bar));
    for (int x : {bar.x() - 20, bar.x() - 80, 3})
        QTest::mouseEvent(QTest::MouseMove, window, Qt::NoButton, {}, at(QPoint(x, bar.y())));
    QTest::mouseEvent(QTest::MouseRelease, window, Qt::LeftButton, {}, at(QPoint(3, bar.y())));
    EXPECT_EQ(s->PositionX(), 56);
    EXPECT_EQ(viewer->TreePane->width(), 56);

    QTest::mouseClick(viewer->SB_TreeH, Qt::LeftButton);
    s->SetPositionY(10);
    EXPECT_EQ(s->PositionY(), 56);
    EXPECT_EQ(viewer->TreePane->height(), 56);
}

}  // namespace
