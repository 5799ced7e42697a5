// The computed lookups: colours and their swatches, actions in containers, and subsets of
// another lookup with their stored set.
#include <QAction>
#include <QPainter>
#include <gtest/gtest.h>

#include "LookUpTestSupport.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/Errors.h"
#include "tools/FormStreamText.h"

namespace tavo::lookup {
namespace {

using test::CountingLink;

// ---- Colours ---------------------------------------------------------------------------

TEST(ColorLookUp, RowsWithAndWithoutTheExtraEntries)
{
    TColorLookUp colours;
    ASSERT_EQ(colours.Count(), 16);
    TCustomLookUpItem* grey = colours.GetItem(15);
    EXPECT_EQ(grey->GetCaption(), "Grey");
    EXPECT_EQ(grey->GetHint(), "Colour Grey");
    EXPECT_EQ(grey->GetId(), 0xC0C0C0);
    EXPECT_EQ(grey->GetIdStr(), "");
    EXPECT_EQ(grey->GetImageIndex(), -1);
    EXPECT_TRUE(grey->GetEnabled());

    colours.SetAddByLayer(true);
    colours.SetRGBColors(true);
    ASSERT_EQ(colours.Count(), 18);
    TCustomLookUpItem* first = colours.GetItem(0);
    EXPECT_EQ(first->GetCaption(), "By layer");
    EXPECT_EQ(first->GetHint(), "Colour By layer");
    EXPECT_EQ(first->GetId(), -1);
    EXPECT_EQ(first->GetGlyph(), nullptr) << "no stock image list in this system";
    EXPECT_EQ(colours.GetItem(1)->GetCaption(), "Black");
    EXPECT_EQ(colours.GetItem(16)->GetCaption(), "Grey");
    EXPECT_EQ(colours.GetItem(17)->GetHint(), "Colour Non-standard");
    colours.SetListMode(true);
    EXPECT_EQ(colours.GetItem(17)->GetCaption(), "Non-standard");
    EXPECT_EQ(colours.GetItem(17)->GetGlyph(), nullptr);
    colours.SetListMode(false);

    // One scratch row, filled anew by every call.
    TCustomLookUpItem* a = colours.GetItem(2);
    TCustomLookUpItem* b = colours.GetItem(3);
    EXPECT_EQ(a, b);
    EXPECT_EQ(b->GetCaption(), "Turquoise");

    EXPECT_THROW(colours.GetItem(18), platform::EListError);
    EXPECT_THROW(colours.GetItem(-1), platform::EListError);
}

TEST(ColorLookUp, IndexOfIdFindsTableColoursAndKeepsAnyOther)
{
    TColorLookUp colours;
    EXPECT_EQ(colours.IndexOfId(0xFF0000), 1);
    EXPECT_EQ(colours.IndexOfId(-1), 15) << "no By layer row: the last row";
    colours.SetAddByLayer(true);
    EXPECT_EQ(colours.IndexOfId(0xFF0000), 2);
    EXPECT_EQ(colours.IndexOfId(-1), 0);

    colours.SetRGBColors(true);
    EXPECT_EQ(colours.IndexOfId(0x123456), 17);
    EXPECT_EQ(colours.CustomColor(), 0x123456);
    TCustomLookUpItem* custom = colours.GetItem(17);
    EXPECT_EQ(custom->GetCaption(), "1193046");
    EXPECT_EQ(custom->GetId(), 0x123456);
    ASSERT_NE(custom->GetGlyph(), nullptr);
    EXPECT_EQ(custom->GetGlyph()->pixel(7, 7), qRgb(0x56, 0x34, 0x12));
    colours.SetListMode(true);
    EXPECT_EQ(colours.GetItem(17)->GetCaption(), "Non-standard");
    EXPECT_EQ(colours.GetItem(17)->GetId(), 0x123456);
}

TEST(ColorLookUp, ByLayerGlyphComesFromTheStockImageList)
{
    tools::TImageList stock;
    QImage strip(16 * 97, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter(&strip).fillRect(QRect(16 * 94, 0, 16, 16), QColor(0, 128, 255));
    stock.Add(strip);
    SetStockGlyphs(&stock);
    TColorLookUp colours;
    colours.SetAddByLayer(true);
    const QImage* glyph = colours.GetItem(0)->GetGlyph();
    SetStockGlyphs(nullptr);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->pixel(8, 8), qRgb(0, 128, 255));
}

TEST(ColorLookUp, SwatchesByPixel)
{
    TColorLookUp colours;
    const QRgb fuchsia = qRgb(255, 0, 255);
    const QRgb black = qRgb(0, 0, 0);
    // Red (row 5): a 15 x 15 square with a black outline on fuchsia.
    QImage red = colours.GetItem(5)->GetGlyph()->copy();
    ASSERT_EQ(red.size(), QSize(16, 16));
    EXPECT_EQ(red.pixel(0, 0), black);
    EXPECT_EQ(red.pixel(14, 14), black);
    EXPECT_EQ(red.pixel(14, 0), black);
    EXPECT_EQ(red.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(red.pixel(13, 13), qRgb(255, 0, 0));
    EXPECT_EQ(red.pixel(15, 15), fuchsia);
    EXPECT_EQ(red.pixel(15, 0), fuchsia);
    EXPECT_EQ(red.pixel(0, 15), fuchsia) << "the bottom-left pixel is the transparent colour";

    // Purple is drawn on white.
    QImage purple = colours.GetItem(4)->GetGlyph()->copy();
    EXPECT_EQ(purple.pixel(7, 7), fuchsia);
    EXPECT_EQ(purple.pixel(15, 15), qRgb(255, 255, 255));

    // A line: only rows 5 to 9 of columns 0 to 14 carry the colour and its outline.
    CountingLink link(&colours);
    colours.SetGlyphShape(lgs_Line);
    EXPECT_EQ(link.Changes, 1);
    colours.SetGlyphShape(lgs_Line);
    EXPECT_EQ(link.Changes, 1) << "the same shape refreshes nothing";
    QImage line = colours.GetItem(3)->GetGlyph()->copy();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inside = x <= 14 && y >= 5 && y <= 9;
            const bool outline = inside && (x == 0 || x == 14 || y == 5 || y == 9);
            const QRgb expected = outline ? black : inside ? qRgb(0, 255, 0) : fuchsia;
            ASSERT_EQ(line.pixel(x, y), expected) << x << "," << y;
        }
}

TEST(ColorLookUp, WhichSettersRefreshTheLinks)
{
    TColorLookUp colours;
    CountingLink link(&colours);
    colours.SetRGBColors(true);
    EXPECT_EQ(link.Changes, 0);
    colours.SetAddByLayer(true);
    EXPECT_EQ(link.Changes, 1);
    colours.SetAddByLayer(true);
    EXPECT_EQ(link.Changes, 1);
}

// ---- Actions ---------------------------------------------------------------------------

TEST(ActionsLookUp, ContainersJoinLeaveAndGoWithTheLookUp)
{
    QObject form;
    auto* lookup = new TActionsLookUp(&form);
    CountingLink link(lookup);
    auto* first = new TActionContainer(&form);
    auto* second = new TActionContainer(&form);
    first->SetActionsLookUp(lookup);
    second->SetActionsLookUp(lookup);
    EXPECT_EQ(lookup->Count(), 2);
    EXPECT_EQ(link.Changes, 2);
    EXPECT_EQ(second->ActionsLookUp(), lookup);

    // Joining another lookup leaves this one.
    TActionsLookUp other;
    first->SetActionsLookUp(&other);
    EXPECT_EQ(lookup->Containers(), std::vector<TActionContainer*>{second});
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(link.Changes, 3);

    // A destroyed container drops out of its lookup.
    delete second;
    EXPECT_EQ(lookup->Count(), 0);
    EXPECT_EQ(link.Changes, 4);

    // The lookup destroys its containers, last first.
    auto* a = new TActionContainer(&form);
    auto* b = new TActionContainer(&form);
    a->SetActionsLookUp(lookup);
    b->SetActionsLookUp(lookup);
    std::vector<QObject*> order;
    for (QObject* c : {static_cast<QObject*>(a), static_cast<QObject*>(b)})
        QObject::connect(c, &QObject::destroyed, [&order](QObject* o) { order.push_back(o); });
    QPointer<TActionContainer> pa = a;
    QPointer<TActionContainer> pb = b;
    delete lookup;
    EXPECT_TRUE(pa.isNull());
    EXPECT_TRUE(pb.isNull());
    EXPECT_EQ(order, (std::vector<QObject*>{b, a}));
    EXPECT_EQ(link.LookUp(), nullptr);
}

TEST(ActionsLookUp, RowsFollowTheirActions)
{
    QObject form;
    TActionsLookUp lookup(&form);
    auto* save = new QAction(QStringLiteral("&Save"), &form);
    save->setToolTip(QStringLiteral("Save|Saves the document"));
    QPixmap red(16, 16);
    red.fill(Qt::red);
    save->setIcon(QIcon(red));
    auto* hidden = new QAction(QStringLiteral("Hidden"), &form);
    hidden->setVisible(false);
    std::vector<TActionContainer*> rows;
    for (QAction* action : {save, hidden, static_cast<QAction*>(nullptr)}) {
        auto* container = new TActionContainer(&form);
        container->SetAction(action);
        container->SetActionsLookUp(&lookup);
        rows.push_back(container);
    }

    TCustomLookUpItem* item = lookup.GetItem(0);
    EXPECT_EQ(item->GetCaption(), "&Save");
    EXPECT_EQ(item->GetHint(), "Save|Saves the document");
    EXPECT_TRUE(item->GetEnabled());
    ASSERT_NE(item->GetGlyph(), nullptr);
    EXPECT_EQ(item->GetGlyph()->pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_TRUE(rows[0]->CachedEnabled());

    // Enabled but not visible reads as disabled.
    item = lookup.GetItem(1);
    EXPECT_FALSE(item->GetEnabled());
    EXPECT_EQ(item->GetGlyph(), nullptr);
    EXPECT_FALSE(rows[1]->CachedEnabled());

    // No action: an empty, disabled row.
    item = lookup.GetItem(2);
    EXPECT_EQ(item->GetCaption(), "");
    EXPECT_FALSE(item->GetEnabled());
    EXPECT_THROW(lookup.GetItem(3), platform::EListError);

    // The action's update decides its state when the row is fetched.
    bool allowed = false;
    SetActionUpdate(save, [&allowed](QAction& a) { a.setEnabled(allowed); });
    EXPECT_FALSE(lookup.GetItem(0)->GetEnabled());
    EXPECT_FALSE(rows[0]->CachedEnabled());
    allowed = true;
    EXPECT_TRUE(lookup.GetItem(0)->GetEnabled());

    // A destroyed action leaves its container without one.
    CountingLink link(&lookup);
    delete save;
    EXPECT_EQ(rows[0]->Action(), nullptr);
    EXPECT_FALSE(lookup.GetItem(0)->GetEnabled());
    rows[0]->SetAction(hidden);
    EXPECT_EQ(link.Changes, 1) << "a new action refreshes the lookup's controls";

    lookup.Clear();
    EXPECT_EQ(lookup.Count(), 0);
    EXPECT_EQ(link.Changes, 5) << "each container's leave, then the clear";
}

// A form with an action lookup, its containers and the actions they show.
struct TActionForm : QObject, tools::TFormComponent {
    TActionsLookUp* LookUp = new TActionsLookUp(this);
    std::vector<TActionContainer*> Free;
    TActionForm()
    {
        LookUp->setObjectName(QStringLiteral("LUp_Actions"));
        for (const char* name : {"ActOpen", "ActClose"})
            (new QAction(QString::fromLatin1(name), this))
                ->setObjectName(QString::fromLatin1(name));
        for (const char* name : {"Cont1", "Cont2"}) {
            auto* container = new TActionContainer(this);
            container->setObjectName(QString::fromLatin1(name));
            Free.push_back(container);
        }
    }
    std::string ClassName() const override { return "TActionForm"; }
    std::string FormName() const override { return "F_Actions"; }
    // Containers that have joined a lookup are stored with it.
    std::vector<TFormComponent*> FormChildren() const override
    {
        std::vector<TFormComponent*> children{LookUp};
        for (TActionContainer* c : Free)
            if (!c->ActionsLookUp())
                children.push_back(c);
        return children;
    }
};

TEST(ActionsLookUp, ContainersAreStoredInsideTheirLookUp)
{
    const std::string text = "object F_Actions: TActionForm\n"
                             "  object LUp_Actions: TActionsLookUp\n"
                             "    object Cont2: TActionContainer\n"
                             "      Action = ActClose\n"
                             "    end\n"
                             "    object Cont1: TActionContainer\n"
                             "      Action = ActOpen\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    TActionForm form;
    tools::ReadComponentText(text, form);
    ASSERT_EQ(form.LookUp->Count(), 2);
    EXPECT_EQ(form.LookUp->GetItem(0)->GetCaption(), "ActClose");
    EXPECT_EQ(form.LookUp->GetItem(1)->GetCaption(), "ActOpen");
    EXPECT_EQ(tools::WriteComponentText(form), text);

    TActionForm broken;
    EXPECT_THROW(tools::ReadComponentText("object F_Actions: TActionForm\n"
                                          "  object LUp_Actions: TActionsLookUp\n"
                                          "    object Cont1: TActionContainer\n"
                                          "      Action = ActNone\n"
                                          "    end\n"
                                          "  end\n"
                                          "end\n",
                                          broken),
                 platform::EReadError);
}

// ---- Subsets ---------------------------------------------------------------------------

void FillFive(TLookUp& LookUp)
{
    for (int i = 0; i < 5; ++i)
        LookUp.Items().Add("Row " + std::to_string(i), "", 100 + i);
}

TEST(SubLookUp, OrdinalSetsArePrunedToTheBaseRows)
{
    TLookUp base;
    FillFive(base);
    TSubLookUp sub;
    sub.SetSubSetType(ss_OrdSubset);
    sub.SetLookUp(&base);
    CountingLink link(&sub);
    sub.SetSubSet({0, 3, 7});
    EXPECT_EQ(sub.GetSubSet(), (TSubSet{0, 3}));
    EXPECT_EQ(link.Changes, 1);
    ASSERT_EQ(sub.Count(), 2);
    EXPECT_EQ(sub.GetItem(0), &base.Items()[0]);
    EXPECT_EQ(sub.GetItem(1), &base.Items()[3]);
    EXPECT_EQ(sub.GetItem(2), nullptr);
    EXPECT_EQ(sub.GetItem(-1), nullptr);
    sub.SetSubSet({0, 3});
    EXPECT_EQ(link.Changes, 1) << "the same set changes nothing";

    // Rows leaving the base prune the set at once, for good.
    base.Items().Clear();
    EXPECT_TRUE(sub.GetSubSet().IsEmpty());
    EXPECT_GE(link.Changes, 2);
    FillFive(base);
    EXPECT_EQ(sub.Count(), 0);
}

TEST(SubLookUp, IdSetsKeepTheIdsTheBaseHas)
{
    docviewer::TDM_DocItem dm;
    TSubLookUp levels;
    levels.SetLookUp(dm.LUp_Level);
    levels.SetSubSet({2, 9});
    EXPECT_EQ(levels.GetSubSet(), (TSubSet{2, 9}));
    TSubLookUp types;
    types.SetLookUp(dm.LUp_Types);
    types.SetSubSet({2, 9, 29, 255});
    EXPECT_EQ(types.GetSubSet(), (TSubSet{2, 9})) << "the type table has no Id 29 nor 255";
    ASSERT_EQ(types.Count(), 2);
    EXPECT_EQ(types.GetItem(0)->GetIdStr(), "PRODUKTY");
    EXPECT_EQ(types.GetItem(1)->GetIdStr(), "DODINFO");

    // The same Ids by position would be other rows.
    types.SetSubSetType(ss_OrdSubset);
    EXPECT_EQ(types.GetItem(0)->GetIdStr(), "OPIS");
}

TEST(SubLookUp, NoBaseMeansAnEmptySet)
{
    TSubLookUp sub;
    sub.SetSubSet({1, 2});
    EXPECT_TRUE(sub.GetSubSet().IsEmpty()) << "without a base nothing survives pruning";
    EXPECT_EQ(sub.Count(), 0);

    auto base = std::make_unique<TLookUp>();
    FillFive(*base);
    sub.SetSubSetType(ss_OrdSubset);
    sub.SetLookUp(base.get());
    sub.SetSubSet({1, 2});
    // Itself as base: none.
    sub.SetLookUp(&sub);
    EXPECT_EQ(sub.LookUp(), nullptr);
    EXPECT_TRUE(sub.GetSubSet().IsEmpty());

    // The base going away empties the set and tells the sub-lookup's own controls.
    sub.SetLookUp(base.get());
    sub.SetSubSet({4});
    CountingLink link(&sub);
    base.reset();
    EXPECT_EQ(sub.LookUp(), nullptr);
    EXPECT_TRUE(sub.GetSubSet().IsEmpty());
    EXPECT_GE(link.Changes, 1);

    sub.Clear();
    EXPECT_TRUE(sub.GetSubSet().IsEmpty());
}

TEST(SubLookUp, SubLookUpsThatShowEachOtherAreRefused)
{
    TLookUp base;
    FillFive(base);
    TSubLookUp a;
    TSubLookUp b;
    a.SetLookUp(&b);
    b.SetLookUp(&a);
    EXPECT_EQ(a.LookUp(), &b);
    EXPECT_EQ(b.LookUp(), nullptr) << "a cycle would refresh without end";
    TSubLookUp c;
    c.SetLookUp(&a);
    b.SetLookUp(&c);
    EXPECT_EQ(b.LookUp(), nullptr);
    b.SetLookUp(&base);
    base.Items().Add("More", "", 7);  // the refresh runs through a once and ends
    EXPECT_EQ(b.LookUp(), &base);
}

// A data module with a stored lookup and a sub-lookup of it.
struct TSubForm : QObject, tools::TFormComponent {
    TLookUp* Base = new TLookUp(this);
    TSubLookUp* Sub = new TSubLookUp(this);
    bool SubFirst = false;
    TSubForm()
    {
        Base->setObjectName(QStringLiteral("LUp_Base"));
        Sub->setObjectName(QStringLiteral("LUp_Sub"));
    }
    std::string ClassName() const override { return "TSubForm"; }
    std::string FormName() const override { return "DM_Sub"; }
    std::vector<TFormComponent*> FormChildren() const override
    {
        if (SubFirst)
            return {Sub, Base};
        return {Base, Sub};
    }
};

TEST(SubLookUp, StoredSetRoundTrip)
{
    TSubForm form;
    FillFive(*form.Base);
    form.Sub->SetSubSetType(ss_OrdSubset);
    form.Sub->SetLookUp(form.Base);
    form.Sub->SetSubSet({0, 4});
    form.Sub->SetDisplayStyle(dsCaption);

    tools::TWriter writer;
    writer.WriteRootComponent(form);
    const std::string binary = writer.TakeData();
    // Binary tag, the length 32, then the set: members 0 and 4 in the first byte.
    const std::string name = "\x12ItemsSubSet.SubSet";
    const size_t at = binary.find(name);
    ASSERT_NE(at, std::string::npos);
    const std::string value = binary.substr(at + name.size(), 1 + 4 + 32);
    EXPECT_EQ(value[0], static_cast<char>(tools::TValueType::vaBinary));
    EXPECT_EQ(value.substr(1, 4), std::string("\x20\0\0\0", 4));
    EXPECT_EQ(static_cast<uint8_t>(value[5]), 0x11);
    EXPECT_EQ(value.substr(6), std::string(31, '\0'));

    const std::string text = tools::ObjectBinaryToText(binary);
    EXPECT_NE(text.find("SubSetType = ss_OrdSubset"), std::string::npos) << text;
    EXPECT_NE(text.find("LookUp = LUp_Base"), std::string::npos) << text;

    TSubForm copy;
    tools::TReader(binary).ReadRootComponent(copy);
    EXPECT_EQ(copy.Sub->LookUp(), copy.Base);
    EXPECT_EQ(copy.Sub->SubSetType(), ss_OrdSubset);
    EXPECT_EQ(copy.Sub->GetSubSet(), (TSubSet{0, 4}));
    EXPECT_EQ(copy.Sub->DisplayStyle(), dsCaption);

    // An empty set is stored too.
    TSubForm empty;
    const std::string emptyText = tools::WriteComponentText(empty);
    EXPECT_NE(emptyText.find("ItemsSubSet.SubSet = {"), std::string::npos) << emptyText;
}

TEST(SubLookUp, StoredLengthOtherThan32)
{
    auto read = [](const std::string& Hex) {
        TSubForm form;
        for (int i = 0; i < 16; ++i)
            form.Base->Items().Add("Row", "", i);
        tools::ReadComponentText("object DM_Sub: TSubForm\n"
                                 "  object LUp_Sub: TSubLookUp\n"
                                 "    LookUp = LUp_Base\n"
                                 "    ItemsSubSet.SubSet = {" +
                                     Hex +
                                     "}\n"
                                     "    DisplayStyle = dsGlyph\n"
                                     "  end\n"
                                     "end\n",
                                 form);
        // The value after the set is still read as it was stored.
        EXPECT_EQ(form.Sub->DisplayStyle(), dsGlyph);
        return form.Sub->ItemsSubSet().SubSet;
    };
    EXPECT_EQ(read("0601"), (TSubSet{1, 2, 8}));
    EXPECT_EQ(read(std::string(64, '0') + "FFFF"), TSubSet());
    EXPECT_EQ(read(""), TSubSet());
}

TEST(SubLookUp, SetSurvivesReadingBeforeItsBase)
{
    // The sub-lookup comes first: its base's rows arrive after its set.
    TSubForm source;
    FillFive(*source.Base);
    source.Sub->SetSubSetType(ss_IdSubset);
    source.Sub->SetLookUp(source.Base);
    source.Sub->SetSubSet({101, 104, 200});
    EXPECT_EQ(source.Sub->GetSubSet(), (TSubSet{101, 104}));
    source.SubFirst = true;
    const std::string text = tools::WriteComponentText(source);
    ASSERT_LT(text.find("LUp_Sub"), text.find("LUp_Base"));

    TSubForm copy;
    copy.SubFirst = true;
    tools::ReadComponentText(text, copy);
    EXPECT_EQ(copy.Base->Count(), 5);
    EXPECT_EQ(copy.Sub->GetSubSet(), (TSubSet{101, 104}));
    // Once read, pruning works as before.
    copy.Base->Items().Clear();
    EXPECT_TRUE(copy.Sub->GetSubSet().IsEmpty());
}

}  // namespace
}  // namespace tavo::lookup
