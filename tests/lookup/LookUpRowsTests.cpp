// The row source that the lookup list, combo box and list box read their rows through: the
// same answers in all three, rows that follow the lookup, a lookup that goes first or is
// swapped for another, and ListMode only where the list reads what it shows.
#include <QImage>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "LookUpTestSupport.h"
#include "lookup/LookUpCtrls.h"

namespace tavo::lookup {
namespace {

using test::SolidGlyph;

void Fill(TLookUp& LookUp, std::initializer_list<const char*> Captions)
{
    int32_t id = 1;
    for (const char* caption : Captions)
        LookUp.Items().Add(caption, {}, id++);
}

// What each control makes of the rows: its entries (the list: its laid-out rows) and whether
// it ends with an "Edit" entry of its own.
template <class Control> struct TShown;
template <> struct TShown<TLookUpList> {
    static int Entries(const TLookUpList& List) { return List.RowCount() * List.ColCount(); }
    static constexpr bool EditEntry = true;
};
template <> struct TShown<TLookUpComboBox0> {
    static int Entries(const TLookUpComboBox0& Combo) { return Combo.count(); }
    static constexpr bool EditEntry = true;
};
template <> struct TShown<TLookUpListBox0> {
    static int Entries(const TLookUpListBox0& List) { return List.count(); }
    static constexpr bool EditEntry = false;
};

template <class Control> class RowSource : public ::testing::Test {
};
using TLookUpControls = ::testing::Types<TLookUpList, TLookUpComboBox0, TLookUpListBox0>;
TYPED_TEST_SUITE(RowSource, TLookUpControls);

TYPED_TEST(RowSource, EveryControlShowsTheSameRows)
{
    TLookUp lookup;
    const QImage glyph = SolidGlyph(qRgb(255, 0, 0));
    lookup.Items().Add("&Radiators", "RAD", 7).SetGlyph(&glyph);
    lookup.Items()[0].SetHint("Radiators|Panel and column radiators");
    lookup.Items().Add("Floor", "FLR", NullInt);
    lookup.Items()[1].SetEnabled(false);
    TypeParam control;
    control.SetLookUp(&lookup);

    ASSERT_EQ(control.GetItemCount(), 2);
    EXPECT_EQ(control.GetItemCaption(0), "Radiators") << "accelerator marks go";
    EXPECT_EQ(control.GetItemHint(0), "Radiators|Panel and column radiators");
    EXPECT_EQ(control.GetItemHint(1), "Floor") << "a row without hint: its caption";
    EXPECT_EQ(control.GetItemIdStr(0), "RAD");
    EXPECT_EQ(control.GetItemId(0), 7);
    EXPECT_EQ(control.GetItemId(1), NullInt);
    const QImage* shown = control.GetItemGlyph(0);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(control.GetItemGlyph(1), nullptr);
    EXPECT_TRUE(control.IsItemEnabled(0));
    EXPECT_FALSE(control.IsItemEnabled(1));
    // A row is no more enabled than its control.
    control.setEnabled(false);
    EXPECT_FALSE(control.IsItemEnabled(0));
    control.setEnabled(true);
    // Before the first row there is no row, nor the control's "Edit" entry.
    EXPECT_EQ(control.GetItemCaption(-1), "");
    EXPECT_EQ(control.GetItemId(-1), NullInt);
    EXPECT_FALSE(control.IsItemEnabled(-1));
}

TYPED_TEST(RowSource, RowsFollowTheLookUpAndPastThemTheControlAnswers)
{
    TLookUp lookup;
    Fill(lookup, {"A", "B"});
    lookup.SetAddEditItem(true);
    TypeParam control;
    control.SetLookUp(&lookup);
    const int edit = TShown<TypeParam>::EditEntry ? 1 : 0;
    EXPECT_EQ(TShown<TypeParam>::Entries(control), 2 + edit);

    lookup.Items().Add("C", "", 3);
    EXPECT_EQ(control.GetItemCount(), 3);
    EXPECT_EQ(control.GetItemCaption(2), "C");
    EXPECT_EQ(TShown<TypeParam>::Entries(control), 3 + edit) << "rebuilt when told";
    // Read from the lookup each time: a caption changed without notice shows at once.
    lookup.Items()[0].SetCaption("Z");
    EXPECT_EQ(control.GetItemCaption(0), "Z");

    // Past the rows the control gives its own answers: the "Edit" entry, or nothing.
    const std::string past = control.GetItemCaption(3);
    EXPECT_EQ(past.find("Edit") != std::string::npos, TShown<TypeParam>::EditEntry) << past;
    EXPECT_EQ(control.GetItemId(3), NullInt);
    EXPECT_EQ(control.GetItemIdStr(3), "");
    EXPECT_TRUE(control.IsItemEnabled(3));

    lookup.Clear();
    EXPECT_EQ(control.GetItemCount(), 0);
    EXPECT_EQ(TShown<TypeParam>::Entries(control), edit);
}

TYPED_TEST(RowSource, ALookUpFreedUnderTheControlLeavesItWithoutRows)
{
    TypeParam control;
    control.resize(120, 80);
    {
        TLookUp lookup;
        Fill(lookup, {"A", "B"});
        lookup.SetAddEditItem(true);
        control.SetLookUp(&lookup);
        ASSERT_EQ(control.GetItemCount(), 2);
    }
    EXPECT_EQ(control.LookUp(), nullptr);
    EXPECT_EQ(control.GetItemCount(), 0);
    EXPECT_EQ(control.GetItemCaption(0), "") << "no lookup, no Edit entry either";
    EXPECT_EQ(TShown<TypeParam>::Entries(control), 0);
    // Painting without rows is fine too.
    EXPECT_FALSE(control.grab().isNull());
}

TYPED_TEST(RowSource, AnotherLookUpTakesTheLinkAndTheRows)
{
    TLookUp first;
    TLookUp second;
    Fill(first, {"A", "B"});
    Fill(second, {"X"});
    TypeParam control;
    control.SetLookUp(&first);
    control.SetLookUp(&second);
    EXPECT_TRUE(first.Links().empty());
    EXPECT_EQ(second.Links(), std::vector<QObject*>{&control});
    EXPECT_EQ(control.GetItemCaption(0), "X");
    EXPECT_EQ(TShown<TypeParam>::Entries(control), 1);
    // The first lookup's changes no longer reach the control.
    first.Items().Add("C", "", 3);
    EXPECT_EQ(TShown<TypeParam>::Entries(control), 1);
    control.SetLookUp(&second);
    EXPECT_EQ(second.Links().size(), 1u) << "linked once";
}

// A lookup that notes whether it was in ListMode whenever a row was read, and can fail.
class TWatchedLookUp : public TLookUp {
public:
    TCustomLookUpItem* GetItem(int32_t Index) override
    {
        Modes.push_back(ListMode());
        if (Fail)
            throw std::runtime_error("row gone");
        return TLookUp::GetItem(Index);
    }
    std::vector<bool> Modes;
    bool Fail = false;
};

// Caption, glyph, hint, IdStr, Id and enabled state of row 0, in that order.
void ReadEverything(const TLookUpRows& Rows)
{
    Rows.Caption(0);
    Rows.Glyph(0);
    Rows.Hint(0);
    Rows.IdStr(0);
    Rows.Id(0);
    Rows.Enabled(0);
}

TEST(LookUpRows, OnlyWhatTheListShowsIsReadInListMode)
{
    TWatchedLookUp lookup;
    lookup.Items().Add("A", "", 1);
    QObject list;
    TLookUpRows listRows(&list, TLookUpRows::rfListMode);
    listRows.SetLookUp(&lookup);
    ReadEverything(listRows);
    EXPECT_EQ(lookup.Modes, (std::vector<bool>{true, true, false, false, false, false}));
    EXPECT_FALSE(lookup.ListMode());
    lookup.Fail = true;
    EXPECT_THROW(listRows.Caption(0), std::runtime_error);
    EXPECT_FALSE(lookup.ListMode()) << "off again when the lookup fails";

    lookup.Fail = false;
    lookup.Modes.clear();
    QObject box;
    TLookUpRows boxRows(&box, TLookUpRows::rfPlain);
    boxRows.SetLookUp(&lookup);
    ReadEverything(boxRows);
    EXPECT_EQ(lookup.Modes, std::vector<bool>(6, false));
}

TEST(LookUpRows, TheSourceTakesItsControlsLinkAlongWhenItGoes)
{
    TLookUp lookup;
    Fill(lookup, {"A"});
    QObject control;
    {
        TLookUpRows rows(&control, TLookUpRows::rfPlain);
        EXPECT_FALSE(rows.Covers(0)) << "no lookup: the control answers";
        EXPECT_TRUE(rows.SetLookUp(&lookup));
        EXPECT_FALSE(rows.SetLookUp(&lookup));
        EXPECT_EQ(lookup.Links(), std::vector<QObject*>{&control});
        EXPECT_TRUE(rows.Covers(0));
        EXPECT_FALSE(rows.Covers(1));
    }
    EXPECT_TRUE(lookup.Links().empty());
}

}  // namespace
}  // namespace tavo::lookup
