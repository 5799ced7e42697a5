#include <gtest/gtest.h>

#include <QString>

#include "docviewer/DMDocItem.h"
#include "platform/AnsiText.h"
#include "tools/FormStreamText.h"

using namespace tavo;
using docviewer::TDM_DocItem;
using lookup::TLookUp;

namespace {

struct TypeRow {
    const char* CaptionUtf8;
    const char* IdStr;
    int32_t Id;
    int32_t ImageIndex;
};

// The document types in row order.
const TypeRow Types[] = {
    {"", "USER", lookup::NullInt, -1},
    {"Firma wszystko", "FIRMAALL", 0, -1},
    {"Opis", "OPIS", 1, -1},
    {"Produkty", "PRODUKTY", 2, -1},
    {"Grupa produktów", "GRUPPROD", 10, -1},
    {"Cennik", "CENNIK", 3, 4},
    {"O firmie", "FIRMA", 4, -1},
    {"Charakterystyka hydrauliczna", "CHARHYD", 5, -1},
    {"Charakterystyka cieplna", "CHARCIEP", 6, -1},
    {"Zdjęcie", "FOT", 7, -1},
    {"Rysunek", "RYS", 8, -1},
    {"Dodatkowe informacje", "DODINFO", 9, -1},
    {"Izolacja cieplna", "IZOL", 11, -1},
    {"Wskazówki montażowe", "MONT", 12, -1},
    {"Nastawa wstępna", "NAST", 13, -1},
    {"Programy komputerowe", "PROG", 14, -1},
    {"Program QLV", "QLV", 15, -1},
    {"Program H.D.", "HD", 16, -1},
    {"Program K4N", "K4N", 17, -1},
    {"Producent", "PROD", 18, -1},
    {"Dystrybutorzy", "DYS", 19, -1},
    {"Przedstawiciele handlowi", "PRZEDH", 20, -1},
    {"Referencje", "REF", 21, -1},
    {"Przykłady zastosowania", "ZAST", 22, -1},
    {"Podręcznik", "PODR", 23, -1},
    {"Ulotka", "ULOT", 24, -1},
    {"Materiały reklamowe", "MATREK", 25, -1},
    {"Współczynniki poprawkowe dla glikoli", "GLIKOLWSP", 26, -1},
    {"Regulacja i pomiary", "REGIPOM", 27, -1},
    {"Katalog", "KAT", 28, -1},
};

}  // namespace

TEST(DocTypes, DataModuleHoldsItsThreeComponents)
{
    EXPECT_EQ(docviewer::DM_DocItem, nullptr);
    {
        TDM_DocItem dm;
        EXPECT_EQ(docviewer::DM_DocItem, &dm);
        EXPECT_EQ(dm.objectName(), "DM_DocItem");
        EXPECT_EQ(dm.findChild<TLookUp*>("LUp_Types"), dm.LUp_Types);
        EXPECT_EQ(dm.findChild<TLookUp*>("LUp_Level"), dm.LUp_Level);
        EXPECT_EQ(dm.findChild<tools::TImageList*>("Glyphs"), dm.Glyphs);
        for (TLookUp* table : {dm.LUp_Types, dm.LUp_Level}) {
            EXPECT_EQ(table->DrawStyle(), lookup::ldsStandard);
            EXPECT_EQ(table->Columns(), 0);
            EXPECT_FALSE(table->AddEditItem());
            EXPECT_EQ(table->DisplayStyle(), lookup::dsCaptionGlyph);
        }
        EXPECT_EQ(dm.LUp_Types->Images(), dm.Glyphs);
        EXPECT_EQ(dm.LUp_Level->Images(), nullptr);
    }
    EXPECT_EQ(docviewer::DM_DocItem, nullptr);
}

TEST(DocTypes, TypeTableRowsInOrder)
{
    TDM_DocItem dm;
    ASSERT_EQ(dm.LUp_Types->Count(), 30);
    for (int i = 0; i < 30; ++i) {
        const lookup::TLookUpItem& row = dm.LUp_Types->Items()[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(platform::FromAnsi(row.GetCaption()), QString::fromUtf8(Types[i].CaptionUtf8));
        EXPECT_EQ(row.GetIdStr(), Types[i].IdStr);
        EXPECT_EQ(row.GetId(), Types[i].Id);
        EXPECT_EQ(row.GetImageIndex(), Types[i].ImageIndex);
        EXPECT_TRUE(row.GetEnabled());
        EXPECT_EQ(row.OwnGlyph(), nullptr);
        EXPECT_EQ(row.StoredHint(), i == 26 ? row.GetCaption() : std::string());
    }
    // The captions are Windows-1250 bytes in memory.
    EXPECT_EQ(dm.LUp_Types->Items()[4].GetCaption(), "Grupa produkt\xF3w");
    EXPECT_EQ(dm.LUp_Types->Items()[13].GetCaption(), "Wskaz\xF3wki monta\xBFowe");
    EXPECT_EQ(dm.LUp_Types->Items()[26].StoredHint(), "Materia\xB3y reklamowe");
}

TEST(DocTypes, LevelTableIsTheDigits)
{
    TDM_DocItem dm;
    ASSERT_EQ(dm.LUp_Level->Count(), 10);
    for (int k = 0; k < 10; ++k) {
        const lookup::TLookUpItem& row = dm.LUp_Level->Items()[k];
        EXPECT_EQ(row.GetCaption(), std::to_string(k));
        EXPECT_EQ(row.StoredHint(), "");
        EXPECT_EQ(row.GetIdStr(), "");
        EXPECT_EQ(row.GetId(), k);
        EXPECT_EQ(row.GetImageIndex(), -1);
    }
}

TEST(DocTypes, LookupsTheViewerMakes)
{
    TDM_DocItem dm;
    TLookUp& types = *dm.LUp_Types;
    EXPECT_EQ(types.IndexOfId(lookup::NullInt), 0);
    EXPECT_EQ(types.Items()[0].GetCaption(), "");

    int cennik = types.IndexOfId(3);
    ASSERT_EQ(cennik, 5);
    EXPECT_EQ(types.Items()[cennik].GetCaption(), "Cennik");
    EXPECT_EQ(types.Items()[cennik].GetImageIndex(), 4);

    int group = types.IndexOfId(10);
    ASSERT_EQ(group, 4);
    EXPECT_EQ(types.Items()[group].GetImageIndex(), -1);

    EXPECT_EQ(types.IndexOfId(29), -1);
    EXPECT_EQ(types.FindById(29), nullptr);

    EXPECT_EQ(types.IndexOfCaption("o"), 2);
    EXPECT_EQ(types.IndexOfCaption("O"), 2);
    EXPECT_EQ(types.IndexOfCaption("OPIS"), 2);
    EXPECT_EQ(types.IndexOfCaption("cennik"), 5);
    EXPECT_EQ(types.IndexOfCaption("GRUPA PRODUKT\xD3W"), 4);
}

TEST(DocTypes, GlyphsAreFiveTransparentPictures)
{
    TDM_DocItem dm;
    const tools::TImageList& glyphs = *dm.Glyphs;
    ASSERT_EQ(glyphs.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QImage& image = glyphs.Image(i);
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(qAlpha(image.pixel(0, 15)), 0) << "the bottom-left pixel is transparent";
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 60);
        EXPECT_LT(opaque, 256);
    }
    EXPECT_EQ(glyphs.Image(2), glyphs.Image(3)) << "images 2 and 3 are the same page";
    for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
            if (!(a == 2 && b == 3)) {
                EXPECT_NE(glyphs.Image(a), glyphs.Image(b)) << a << " " << b;
            }
        }
    }

    // The price list's row shows picture 4 through the shared glyph bitmap.
    const QImage* glyph = dm.LUp_Types->Items()[5].GetGlyph();
    ASSERT_NE(glyph, nullptr);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            QRgb expected = qAlpha(glyphs.Image(4).pixel(x, y)) == 0 ? qRgb(255, 0, 255)
                                                                     : glyphs.Image(4).pixel(x, y);
            ASSERT_EQ(glyph->pixel(x, y), expected) << x << "," << y;
        }
}

TEST(DocTypes, TheModuleWritesTheFormItWasReadFrom)
{
    TDM_DocItem dm;
    std::string text = tools::WriteComponentText(dm);
    EXPECT_NE(
        text.find("  object LUp_Types: TLookUp\n    DrawStyle = ldsStandard\n    Columns = 0\n"
                  "    AddEditItem = False\n    Images = Glyphs\n    Items.Items = ('' '' "
                  "'USER' -2147483647 True -1 False 'Firma wszystko' '' 'FIRMAALL' 0 True "
                  "-1 False"),
        std::string::npos)
        << text;
    // Written again from its own text, the form does not change.
    TDM_DocItem again;
    again.LUp_Types->Clear();
    again.LUp_Level->Clear();
    tools::ReadComponentText(text, again);
    EXPECT_EQ(tools::WriteComponentText(again), text);
}

// The plain table the catalogue reads is the data module's, row for row; the catalogue tool,
// which has no data module, takes the standard table, so it must be the same.
TEST(DocTypes, PlainTableIsTheDataModulesAndTheStandardOne)
{
    TDM_DocItem dm;
    const catalogue::TDocTypes types = dm.DocTypes();
    ASSERT_EQ(types.Rows().size(), 30u);
    EXPECT_EQ(types.Rows(), catalogue::StandardDocTypes().Rows());
    EXPECT_EQ(types.CaptionOf(3), "Cennik");
    EXPECT_EQ(types.ImageIndexOf(3), 4);
    EXPECT_EQ(types.CaptionOf(10), "Grupa produkt\xF3w");
    EXPECT_EQ(types.ImageIndexOf(10), -1);
    EXPECT_EQ(types.Find(lookup::NullInt), &types.Rows()[0]) << "row 0, USER";
    EXPECT_EQ(types.Find(29), nullptr);
    EXPECT_EQ(types.ImageIndexOf(29), -1);
    // A second row with the same Id is never reached, as IndexOfId finds the first.
    dm.LUp_Types->Items().Add("Again", "AGAIN", 3);
    EXPECT_EQ(dm.DocTypes().CaptionOf(3), "Cennik");
}
