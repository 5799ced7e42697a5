#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "LookUpTestSupport.h"
#include "lookup/LookUpCtrls.h"
#include "tools/FormStreamText.h"

using namespace tavo::lookup;
using namespace tavo::lookup::test;
using tavo::tools::TRect;

namespace {

QFont TestFont()
{
    QFont font;
    font.setPixelSize(13);
    return font;
}

// A lookup with rows whose captions test finding by caption.
void FillCaptions(TLookUp& LookUp)
{
    LookUp.Items().Add("", "USER", NullInt);
    LookUp.Items().Add("Firma wszystko", "FIRMAALL", 0);
    LookUp.Items().Add("Opis", "OPIS", 1);
    LookUp.Items().Add("o", "O", 40);
    LookUp.Items().Add("\xAF"
                       "aluzje",
                       "Z", 41);  // Windows-1250 capital Z with dot
    LookUp.Items().Add("|Only a hint", "H", 42);
}

}  // namespace

TEST(LookUpFind, IndexOfIdTakesTheFirstRowWithTheId)
{
    TLookUp lookup;
    lookup.Items().Add("a", "", 5);
    lookup.Items().Add("b", "", NullInt);
    lookup.Items().Add("c", "", 5);
    EXPECT_EQ(lookup.IndexOfId(5), 0);
    EXPECT_EQ(lookup.IndexOfId(NullInt), 1);
    EXPECT_EQ(lookup.IndexOfId(6), -1);
    EXPECT_EQ(lookup.FindById(5), &lookup.Items()[0]);
    EXPECT_EQ(lookup.FindById(6), nullptr);

    TCustomLookUp empty;
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.IndexOfId(NullInt), -1);
    EXPECT_EQ(empty.GetItem(0), nullptr);
}

TEST(LookUpFind, IndexOfCaptionWholeMatchBeforeFirstLetter)
{
    TLookUp lookup;
    FillCaptions(lookup);
    EXPECT_EQ(lookup.IndexOfCaption("OPIS"), 2);
    EXPECT_EQ(lookup.IndexOfCaption("opis"), 2);
    // "o" is a whole caption of row 3, which wins over "Opis" beginning with it.
    EXPECT_EQ(lookup.IndexOfCaption("O"), 3);
    EXPECT_EQ(lookup.IndexOfCaption("f"), 1);
    // Letter case of the code page: small z with dot finds the capital.
    EXPECT_EQ(lookup.IndexOfCaption("\xBF"), 4);
    EXPECT_EQ(lookup.IndexOfCaption("\xBF"
                                    "ALUZJE"),
              4);
    // A caption whose part before "|" is empty never matches by its first letter.
    EXPECT_EQ(lookup.IndexOfCaption("|"), -1);
    EXPECT_EQ(lookup.IndexOfCaption("Op"), -1) << "only a single character looks at beginnings";
    EXPECT_EQ(lookup.IndexOfCaption("x"), -1);
    EXPECT_EQ(lookup.IndexOfCaption(""), 0) << "the empty caption of the USER row";
}

TEST(LookUpMeasure, CaptionAndGlyphSizes)
{
    TLookUp lookup;
    TLookUpItem& row = lookup.Items().Add("Cennik", "CENNIK", 3);
    QImage glyph = SolidGlyph(qRgb(255, 0, 0));
    row.SetGlyph(&glyph);
    QImage canvas(10, 10, QImage::Format_RGB32);
    QPainter p(&canvas);
    p.setFont(TestFont());
    QFontMetrics metrics(TestFont());
    const int tw = metrics.horizontalAdvance(QStringLiteral("Cennik"));

    int32_t w = 0, h = 0, g = 0;
    lookup.MeasureItem(nullptr, p, dsIdStr, 0, w, h, g);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(g, 0);

    lookup.MeasureItem(nullptr, p, dsCaptionGlyph, 0, w, h, g);
    EXPECT_EQ(w, 16 + tw + 4);
    EXPECT_EQ(g, 16);
    EXPECT_EQ(h, std::max(16, metrics.height()));

    // Values only grow.
    w = 500;
    h = 90;
    g = 30;
    lookup.MeasureItem(nullptr, p, dsCaption, 0, w, h, g);
    EXPECT_EQ(w, 500);
    EXPECT_EQ(h, 90);
    EXPECT_EQ(g, 30);
    w = 0;
    lookup.MeasureItem(nullptr, p, dsCaption, 0, w, h, g);
    EXPECT_EQ(w, 30 + tw) << "a row without glyph adds no gap";

    w = h = g = 0;
    lookup.MeasureItem(nullptr, p, dsGlyph, 1, w, h, g);
    lookup.MeasureItem(nullptr, p, dsGlyph, -1, w, h, g);
    EXPECT_EQ(w + h + g, 0) << "indexes outside the rows change nothing";

    int calls = 0;
    lookup.OnMeasureItem = [&](QWidget*, QPainter&, TDisplayStyle Style, int32_t Index, int32_t& W,
                               int32_t&, int32_t&) {
        ++calls;
        EXPECT_EQ(Style, dsId);
        EXPECT_EQ(Index, 9);
        W = 77;
    };
    lookup.MeasureItem(nullptr, p, dsId, 9, w, h, g);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(w, 77);
}

TEST(LookUpDraw, EveryDisplayStyleDrawsItsTextAndGlyph)
{
    TLookUp lookup;
    TLookUpItem& row = lookup.Items().Add("Cennik", "CENNIK", 3);
    QImage glyph = SolidGlyph(qRgb(255, 0, 0));
    row.SetGlyph(&glyph);
    lookup.Items().Add("User", "USER", NullInt);
    const TRect rect{0, 0, 160, 20};

    auto render = [&](auto Draw) {
        QImage image(160, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(TestFont());
        p.setPen(Qt::black);
        Draw(p);
        return image;
    };
    auto expected = [&](const std::string& Text, const QImage* Glyph) {
        return render([&](QPainter& p) {
            tavo::tools::DrawCaptionGlyph(p, 2, rect, 0, tavo::tools::taLeftJustify, Text, Glyph);
        });
    };
    struct Case {
        TDisplayStyle Style;
        std::string Text;
        bool Glyph;
    } cases[] = {{dsCaption, "Cennik", false},
                 {dsGlyph, "", true},
                 {dsCaptionGlyph, "Cennik", true},
                 {dsIdStr, "CENNIK", false},
                 {dsIdStrGlyph, "CENNIK", true},
                 {dsId, "3", false},
                 {dsIdGlyph, "3", true}};
    for (const Case& c : cases) {
        QImage drawn = render([&](QPainter& p) {
            lookup.DrawItem(nullptr, p, c.Style, 0, 2, rect, tavo::tools::taLeftJustify, 0);
        });
        EXPECT_EQ(drawn, expected(c.Text, c.Glyph ? &glyph : nullptr)) << DisplayStyleName(c.Style);
        EXPECT_EQ(drawn.pixel(8, 8) == qRgb(255, 0, 0), c.Glyph) << DisplayStyleName(c.Style);
    }
    // NullInt shows as no text at all.
    QImage blank = render([](QPainter&) {});
    QImage nullId = render([&](QPainter& p) {
        lookup.DrawItem(nullptr, p, dsId, 1, 2, rect, tavo::tools::taLeftJustify, 0);
    });
    EXPECT_EQ(nullId, blank);
    QImage outside = render([&](QPainter& p) {
        lookup.DrawItem(nullptr, p, dsCaption, 2, 2, rect, tavo::tools::taLeftJustify, 0);
    });
    EXPECT_EQ(outside, blank);

    int calls = 0;
    lookup.OnDrawItem = [&](QWidget*, QPainter&, TDisplayStyle, int32_t Index, int32_t Margin,
                            const TRect& R, tavo::tools::TAlignment, TOwnerDrawState State) {
        ++calls;
        EXPECT_EQ(Index, 7);
        EXPECT_EQ(Margin, 4);
        EXPECT_EQ(R, rect);
        EXPECT_EQ(State, tavo::tools::odSelected);
    };
    QImage custom = render([&](QPainter& p) {
        lookup.DrawItem(nullptr, p, dsCaption, 7, 4, rect, tavo::tools::taCenter,
                        tavo::tools::odSelected);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(custom, blank) << "the event replaces the default drawing";
}

TEST(LookUpLinks, SettersRefreshOnlyWhenTheValueChanges)
{
    TLookUp lookup;
    CountingLink link(&lookup);
    lookup.SetDisplayStyle(dsCaptionGlyph);
    lookup.SetDrawStyle(ldsStandard);
    lookup.SetSlimRows(false);
    lookup.SetAddEditItem(false);
    lookup.SetColumns(4);
    lookup.SetCaption("x");
    EXPECT_EQ(link.Changes, 0);
    lookup.SetDisplayStyle(dsGlyph);
    lookup.SetDrawStyle(ldsLookUpDraw);
    lookup.SetSlimRows(true);
    lookup.SetAddEditItem(true);
    EXPECT_EQ(link.Changes, 4);
}

TEST(LookUpLinks, ClearRefreshesTwice)
{
    TLookUp lookup;
    lookup.Items().Add("a", "", 1);
    CountingLink first(&lookup);
    CountingLink second(&lookup);
    lookup.Clear();
    EXPECT_EQ(first.Changes, 2);
    EXPECT_EQ(second.Changes, 2);
    EXPECT_EQ(lookup.Count(), 0);

    // The intermediate stored lookup keeps the rows.
    TLookUp0 plain;
    plain.Items().Add("a", "", 1);
    plain.Clear();
    EXPECT_EQ(plain.Count(), 1);
}

TEST(LookUpLinks, LinksAreKeptOnceAndLeaveWhenDestroyed)
{
    TLookUp lookup;
    QObject plainComponent;
    lookup.AddLink(&plainComponent);
    lookup.AddLink(&plainComponent);
    {
        CountingLink link(&lookup);
        lookup.AddLink(&link);
        EXPECT_EQ(lookup.Links(), (std::vector<QObject*>{&plainComponent, &link}));
        lookup.NotifyLinks();  // a component that shows no rows is skipped
        EXPECT_EQ(link.Changes, 1);
    }
    EXPECT_EQ(lookup.Links(), std::vector<QObject*>{&plainComponent});
    lookup.RemoveLink(&plainComponent);
    EXPECT_TRUE(lookup.Links().empty());

    // A link that goes while the others are being refreshed is skipped.
    auto* doomed = new CountingLink(&lookup);
    struct Killer : CountingLink {
        using CountingLink::CountingLink;
        CountingLink* Victim = nullptr;
        void LookUpChanged(TCustomLookUp& Sender) override
        {
            CountingLink::LookUpChanged(Sender);
            delete Victim;
            Victim = nullptr;
        }
    } killer(&lookup);
    killer.Victim = doomed;
    lookup.RemoveLink(doomed);
    lookup.AddLink(doomed);  // now after the killer
    lookup.NotifyLinks();
    EXPECT_EQ(killer.Changes, 1);
    EXPECT_EQ(lookup.Links(), std::vector<QObject*>{&killer});
}

TEST(LookUpLinks, DestroyingTheLookUpLeavesEveryLinkWithout)
{
    CountingLink a, b, c;
    {
        TLookUp lookup;
        lookup.Items().Add("row", "", 1);
        a.SetLookUp(&lookup);
        b.SetLookUp(&lookup);
        c.SetLookUp(&lookup);
    }
    for (CountingLink* link : {&a, &b, &c}) {
        EXPECT_EQ(link->LookUp(), nullptr);
        EXPECT_EQ(link->Destroyings, 1);
    }
}

TEST(LookUpLinks, UpdateItemsAndPopupsRefreshThenFireTheEvent)
{
    TLookUp lookup;
    CountingLink link(&lookup);
    std::vector<std::string> order;
    lookup.OnUpdateItems = [&](QObject* Sender) {
        EXPECT_EQ(Sender, &lookup);
        order.push_back("event after " + std::to_string(link.Changes));
    };
    lookup.UpdateItems();
    lookup.PopupAt(10, 20, 100, 18, rsCaption, nullptr);
    lookup.PopupUnder(nullptr, rsId, nullptr);
    EXPECT_EQ(order, (std::vector<std::string>{"event after 1", "event after 2", "event after 3"}));
}

TEST(LookUpImages, ForgottenWhenTheImageListGoes)
{
    TLookUp lookup;
    auto* images = new TImageList;
    lookup.SetImages(images);
    EXPECT_EQ(lookup.GetImages(), images);
    delete images;
    EXPECT_EQ(lookup.GetImages(), nullptr);
    EXPECT_EQ(TCustomLookUp().GetImages(), nullptr);
}

TEST(LookUpEdit, EditItemsGoesToTheEventWithTheTextReceiver)
{
    TLookUp lookup;
    lookup.EditItems(nullptr, "ignored", nullptr);  // nothing assigned: nothing happens
    QObject sender;
    std::string received;
    lookup.OnEditItems = [&](QObject* Sender, const TSetTextEvent& OnSetText) {
        EXPECT_EQ(Sender, &sender);
        OnSetText(Sender, "New row");
    };
    lookup.EditItems(&sender, "hint", [&](QObject*, const std::string& Text) { received = Text; });
    EXPECT_EQ(received, "New row");
}

TEST(LookUpForm, StoredPropertiesAndTheImagesReference)
{
    struct Module : QObject, tavo::tools::TFormComponent {
        TLookUp* LookUp = new TLookUp(this);
        TImageList* Images = new TImageList(this);
        Module()
        {
            setObjectName("DM");
            LookUp->setObjectName("LUp_A");
            Images->setObjectName("Glyphs");
        }
        std::string ClassName() const override { return "TModule"; }
        std::string FormName() const override { return "DM"; }
        std::vector<TFormComponent*> FormChildren() const override { return {LookUp, Images}; }
    };
    const std::string text = "object DM: TModule\n"
                             "  object LUp_A: TLookUp\n"
                             "    Tag = 3\n"
                             "    Caption = 'Types'\n"
                             "    DrawStyle = ldsLookUpDraw\n"
                             "    Columns = 2\n"
                             "    SlimRows = True\n"
                             "    AddEditItem = True\n"
                             "    Images = Glyphs\n"
                             "    Items.Items = ('a' 'b' 'A' 1 False 0 False)\n"
                             "    DisplayStyle = dsIdStrGlyph\n"
                             "  end\n"
                             "  object Glyphs: TImageList\n"
                             "    Height = 20\n"
                             "  end\n"
                             "end\n";
    Module dm;
    tavo::tools::ReadComponentText(text, dm);
    EXPECT_EQ(dm.LookUp->Tag(), 3);
    EXPECT_EQ(dm.LookUp->Caption(), "Types");
    EXPECT_EQ(dm.LookUp->DrawStyle(), ldsLookUpDraw);
    EXPECT_EQ(dm.LookUp->Columns(), 2);
    EXPECT_TRUE(dm.LookUp->SlimRows());
    EXPECT_TRUE(dm.LookUp->AddEditItem());
    EXPECT_EQ(dm.LookUp->Images(), dm.Images);
    EXPECT_EQ(dm.LookUp->DisplayStyle(), dsIdStrGlyph);
    EXPECT_EQ(dm.Images->Height(), 20);
    ASSERT_EQ(dm.LookUp->Count(), 1);
    EXPECT_EQ(dm.LookUp->Items()[0].StoredHint(), "b");
    EXPECT_EQ(tavo::tools::WriteComponentText(dm), text);

    Module other;
    EXPECT_THROW(tavo::tools::ReadComponentText(
                     "object DM: TModule\n  object LUp_A: TLookUp\n    DisplayStyle = dsNone\n"
                     "  end\nend\n",
                     other),
                 tavo::platform::EReadError);
    EXPECT_THROW(tavo::tools::ReadComponentText(
                     "object DM: TModule\n  object LUp_A: TLookUp\n    Images = LUp_A\n"
                     "  end\nend\n",
                     other),
                 tavo::platform::EReadError)
        << "a reference to something that is no image list";
    EXPECT_THROW(tavo::tools::ReadComponentText(
                     "object DM: TModule\n  object LUp_A: TLookUp\n    OnDrawItem = Handler\n"
                     "  end\nend\n",
                     other),
                 tavo::platform::EReadError)
        << "events are connected in code, not read from forms";
}
