// The table of contents: which entries become nodes, where they hang, which picture they
// get, and how the tree expands, collapses and reports its current node.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QSignalSpy>
#include <QStringList>

#include "docviewer/DMDocItem.h"
#include "docviewer/PdfTreeView.h"
#include "platform/AnsiText.h"

using namespace tavo;
using catalogue::NullInt;
using catalogue::TDocCatalogue;
using catalogue::TDocItem0;
using docviewer::TPdfTreeView;
using docviewer::TTocModel;

namespace {

struct TEntry {
    int32_t Level;
    std::string Caption;
    int32_t CaptionTyp = NullInt;
    bool Visible = true;
};

std::unique_ptr<objects::TObjectCollection> Catalogue(const std::vector<TEntry>& Entries)
{
    auto C = std::make_unique<objects::TObjectCollection>();
    for (const TEntry& E : Entries) {
        auto* Item = new TDocItem0;
        Item->SetLevel(E.Level);
        Item->SetCaption(E.Caption);
        Item->SetCaptionTyp(E.CaptionTyp);
        Item->SetVisibleForUser(E.Visible);
        C->Insert(Item);
    }
    return C;
}

std::unique_ptr<TDocCatalogue> Doc(const std::vector<TEntry>& Entries,
                                   const docviewer::TDM_DocItem& Types)
{
    return std::make_unique<TDocCatalogue>(Catalogue(Entries), Types.DocTypes(),
                                           catalogue::TDocumentFolder());
}

// One line per node in display order: two spaces per depth, "[picture] caption".
void Outline(const TTocModel& Model, const QModelIndex& Parent, int Depth, QStringList& Lines)
{
    for (int Row = 0; Row < Model.rowCount(Parent); ++Row) {
        QModelIndex Node = Model.index(Row, 0, Parent);
        EXPECT_EQ(Model.parent(Node), Parent);
        Lines << QString(Depth * 2, ' ') + QStringLiteral("[%1] ").arg(Model.Picture(Node)) +
                     Model.data(Node).toString();
        Outline(Model, Node, Depth + 1, Lines);
    }
}

QStringList Outline(const TTocModel& Model)
{
    QStringList Lines;
    Outline(Model, QModelIndex(), 0, Lines);
    return Lines;
}

class Tree : public ::testing::Test {
protected:
    QStringList Fill(const std::vector<TEntry>& Entries)
    {
        // The one shown until now goes once the tree shows the new one.
        std::unique_ptr<TDocCatalogue> Shown = std::move(FCatalogue);
        FCatalogue = Doc(Entries, FTypes);
        FView.FillTree(FCatalogue.get(), FTypes.Glyphs);
        return Outline(*FView.TocModel());
    }
    const objects::TStreamableObject* EntryAt(int32_t Index) const
    {
        return FCatalogue->Collection().ItemAt(Index);
    }

    docviewer::TDM_DocItem FTypes;
    TPdfTreeView FView;
    std::unique_ptr<TDocCatalogue> FCatalogue;
};

TEST_F(Tree, TwoChaptersWithTheirChildren)
{
    EXPECT_EQ(Fill({{0, "A"}, {1, "a1"}, {1, "a2"}, {0, "B"}, {1, "b1"}}),
              QStringList({"[0] A", "  [2] a1", "  [2] a2", "[0] B", "  [2] b1"}));
}

TEST_F(Tree, LevelGapsHangUnderTheLastNodeOneLevelUp)
{
    EXPECT_EQ(Fill({{0, "A"}, {2, "deep"}}), QStringList({"[0] A", "[2] deep"}))
        << "no node at level 1 yet: the entry goes to the top";
    EXPECT_EQ(Fill({{0, "A"}, {1, "a1"}, {0, "B"}, {2, "deep"}}),
              QStringList({"[0] A", "  [2] a1", "    [2] deep", "[0] B"}))
        << "level 1's entry is still a1 from the earlier branch";
    EXPECT_EQ(Fill({{1, "orphan"}, {0, "A"}}), QStringList({"[2] orphan", "[2] A"}));
    EXPECT_EQ(Fill({{-3, "negative"}, {1, "child"}}), QStringList({"[0] negative", "  [2] child"}));
}

TEST_F(Tree, PicturesFollowTheNextStoredEntryAndTheType)
{
    EXPECT_EQ(Fill({{0, "", 3}, {0, "Own", 3}, {0, "Group", 10}, {1, "last"}}),
              QStringList({"[4] Cennik", "[4] Own", "[0] Group", "  [2] last"}));
    // A chapter followed only by hidden deeper entries still shows the closed book.
    EXPECT_EQ(Fill({{0, "Chapter"}, {1, "hidden", NullInt, false}, {0, "Next"}}),
              QStringList({"[0] Chapter", "[2] Next"}));
    // The last entry never gets the closed book, whatever its type.
    EXPECT_EQ(Fill({{0, "A"}, {1, "", 3}}), QStringList({"[0] A", "  [4] Cennik"}));
}

TEST_F(Tree, HiddenBlankAndAngleBracketEntriesAreLeftOut)
{
    EXPECT_EQ(Fill({{0, "A"},
                    {0, ""},
                    {0, "   "},
                    {0, "", NullInt},
                    {0, "", 29},
                    {0, "Hidden", NullInt, false},
                    {0, "<X>"},
                    {0, "<>"},
                    {0, "", 4}}),
              QStringList({"[2] A", "[2] <>", "[2] O firmie"}));
    // Skipped entries never become parents.
    EXPECT_EQ(Fill({{0, "A"}, {1, "<hidden chapter>"}, {2, "deep"}}),
              QStringList({"[0] A", "[2] deep"}));
}

TEST_F(Tree, EntriesDeeperThanTheParentTableAreLeftOut)
{
    EXPECT_EQ(Fill({{63, "63"}, {64, "64"}, {65, "65"}, {1000, "1000"}, {64, "64 again"}}),
              QStringList({"[0] 63", "  [0] 64", "  [2] 64 again"}));
}

TEST_F(Tree, EmptyOrAbsentCatalogueGivesAnEmptyTree)
{
    EXPECT_TRUE(Fill({}).isEmpty());
    FView.FillTree(nullptr, FTypes.Glyphs);
    EXPECT_EQ(FView.TocModel()->rowCount(), 0);
    EXPECT_EQ(FView.TocModel()->NodeCount(), 0);
}

TEST_F(Tree, RefillingReplacesEveryNode)
{
    Fill({{0, "A"}, {1, "a1"}});
    EXPECT_EQ(Fill({{0, "B"}}), QStringList({"[2] B"}));
}

TEST_F(Tree, NodesCarryTheirEntriesAndPictures)
{
    Fill({{0, "Chapter"}, {1, "", 3}});
    const TTocModel& Model = *FView.TocModel();
    QModelIndex Chapter = Model.index(0, 0);
    QModelIndex Price = Model.index(0, 0, Chapter);
    EXPECT_EQ(FView.ItemOf(Chapter), EntryAt(0));
    EXPECT_EQ(static_cast<TDocItem0*>(Model.data(Price, TTocModel::ItemRole).value<void*>()),
              EntryAt(1));
    const QIcon Icon = Model.data(Price, Qt::DecorationRole).value<QIcon>();
    ASSERT_FALSE(Icon.isNull());
    EXPECT_EQ(
        Icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
        FTypes.Glyphs->Image(catalogue::GlyphPriceList).convertToFormat(QImage::Format_ARGB32));
    EXPECT_FALSE(Model.flags(Price) & Qt::ItemIsEditable);
    EXPECT_TRUE(Model.flags(Price) & Qt::ItemNeverHasChildren);
    EXPECT_FALSE(Model.data(Price, Qt::ToolTipRole).isValid()) << "no hints";
}

TEST_F(Tree, CaptionsShowInTheCentralEuropeanCodePage)
{
    EXPECT_EQ(Fill({{0, "Wskaz\xF3wki monta\xBFowe \x8A"}}),
              QStringList({QString::fromUtf8("[2] Wskazówki montażowe Š")}));
}

TEST_F(Tree, AutoExpandBuildsEverythingExpandedOrCollapsed)
{
    Fill({{0, "A"}, {1, "a1"}, {2, "a11"}, {0, "B"}, {1, "b1"}});
    const TTocModel& Model = *FView.TocModel();
    QModelIndex A = Model.index(0, 0), A1 = Model.index(0, 0, A), B = Model.index(1, 0);
    EXPECT_TRUE(FView.isExpanded(A));
    EXPECT_TRUE(FView.isExpanded(A1));
    EXPECT_TRUE(FView.isExpanded(B));

    FView.SetAutoExpand(false);
    Fill({{0, "A"}, {1, "a1"}, {2, "a11"}});
    A = Model.index(0, 0);
    EXPECT_FALSE(FView.isExpanded(A));
    EXPECT_FALSE(FView.isExpanded(Model.index(0, 0, A)));
}

TEST_F(Tree, ExpandCheckBoxExpandsAndCollapsesEverything)
{
    QCheckBox CB_ExpandAll;
    CB_ExpandAll.setChecked(false);
    FView.LinkExpandCheckBox(&CB_ExpandAll);
    EXPECT_FALSE(FView.AutoExpand());
    Fill({{0, "A"}, {1, "a1"}, {2, "a11"}, {0, "B"}, {1, "b1"}});
    const TTocModel& Model = *FView.TocModel();
    const QModelIndex A = Model.index(0, 0), A1 = Model.index(0, 0, A), B = Model.index(1, 0);
    EXPECT_FALSE(FView.isExpanded(A));

    CB_ExpandAll.click();
    EXPECT_TRUE(FView.AutoExpand());
    EXPECT_TRUE(FView.isExpanded(A) && FView.isExpanded(A1) && FView.isExpanded(B));
    CB_ExpandAll.setChecked(false);  // as the stored layout sets it
    EXPECT_FALSE(FView.isExpanded(A) || FView.isExpanded(A1) || FView.isExpanded(B));

    // Expanding and collapsing a node by hand changes no picture.
    FView.expand(A);
    EXPECT_EQ(Model.Picture(A), 0);
    FView.collapse(A);
    EXPECT_EQ(Model.Picture(A), 0);
}

TEST_F(Tree, BusyWhileFillingThenInitialSelection)
{
    QSignalSpy Changes(&FView, &TPdfTreeView::Change);
    bool BusyInSelection = true;
    FView.OnSelectInitial = [&] {
        BusyInSelection = FView.Busy();
        EXPECT_FALSE(FView.updatesEnabled()) << "drawn once, after the selection";
        FView.setCurrentIndex(FView.TocModel()->index(0, 0));
    };
    Fill({{0, "A"}, {1, "a1"}});
    EXPECT_FALSE(BusyInSelection);
    EXPECT_FALSE(FView.Busy());
    EXPECT_TRUE(FView.updatesEnabled());
    ASSERT_EQ(Changes.count(), 1);
    EXPECT_EQ(Changes.at(0).at(0).value<QModelIndex>(), FView.TocModel()->index(0, 0));

    // While busy, moving the current node reports nothing.
    FView.SetBusy(true);
    FView.setCurrentIndex(FView.TocModel()->index(0, 0, FView.TocModel()->index(0, 0)));
    EXPECT_EQ(Changes.count(), 1);
    FView.SetBusy(false);
    FView.setCurrentIndex(FView.TocModel()->index(0, 0));
    EXPECT_EQ(Changes.count(), 2);
}

TEST_F(Tree, FailingSelectionStillResumesDrawing)
{
    FView.OnSelectInitial = [] { throw platform::EListError("List index out of bounds (3)"); };
    EXPECT_THROW(Fill({{0, "A"}}), platform::EListError);
    EXPECT_FALSE(FView.Busy());
    EXPECT_TRUE(FView.updatesEnabled());
    EXPECT_EQ(FView.TocModel()->NodeCount(), 1);
}

TEST_F(Tree, ViewIsAReadOnlyRowSelectingTreeWithUniformRows)
{
    EXPECT_EQ(FView.objectName(), "PdfTreeView");
    EXPECT_EQ(FView.accessibleName(), "Table of contents");
    EXPECT_EQ(FView.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(FView.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(FView.indentation(), 15);
    EXPECT_TRUE(FView.uniformRowHeights());
    EXPECT_EQ(FView.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(FView.palette().color(QPalette::Inactive, QPalette::Highlight),
              FView.palette().color(QPalette::Active, QPalette::Highlight));
}

TEST_F(Tree, BigCatalogueBuildsEveryNode)
{
    std::vector<TEntry> Entries;
    for (int32_t I = 0; I < 100000; ++I)
        Entries.push_back({I % 4, "Entry " + std::to_string(I)});
    const QStringList Lines = Fill(Entries);
    ASSERT_EQ(Lines.size(), 100000);
    EXPECT_EQ(Lines[99999], "      [2] Entry 99999");
    EXPECT_EQ(FView.TocModel()->rowCount(), 25000);
    EXPECT_TRUE(FView.isExpanded(FView.TocModel()->index(24999, 0)));
}

}  // namespace

// The model keeps Qt's contract through every change a viewer puts it through: the tester
// checks indexes, parents and row counts after each signal.
TEST(TocModelContract, HoldsThroughFillExpandCollapseRefillAndEmpty)
{
    docviewer::TDM_DocItem Types;
    TPdfTreeView View;
    QAbstractItemModelTester Tester(View.TocModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto First = Doc({{0, "A"}, {1, "a1"}, {2, "a1x"}, {1, "a2"}, {0, "B"}, {3, "deep"}}, Types);
    View.FillTree(First.get(), Types.Glyphs);
    View.expandAll();
    View.collapseAll();
    auto Second = Doc({{0, "Only"}, {1, "child"}}, Types);
    View.FillTree(Second.get(), Types.Glyphs);
    EXPECT_EQ(Outline(*View.TocModel()), QStringList({"[0] Only", "  [2] child"}));
    auto Empty = Doc({}, Types);
    View.FillTree(Empty.get(), Types.Glyphs);
    EXPECT_EQ(View.TocModel()->rowCount(), 0);
    View.FillTree(First.get(), Types.Glyphs);
    EXPECT_EQ(View.TocModel()->rowCount(), 2);
}
