#include <gtest/gtest.h>

#include <QImage>

#include "LookUpTestSupport.h"
#include "lookup/LookUpCtrls.h"
#include "tools/FormStreamText.h"

using namespace tavo::lookup;
using namespace tavo::lookup::test;
using tavo::tools::TReader;
using tavo::tools::TWriter;

namespace {

// The Items value alone, written through a writer's defined-property path.
std::string ItemsBinary(const TLookUpItems& Items)
{
    TWriter writer;
    Items.WriteItems(writer);
    return writer.TakeData();
}

// A lookup named as the form below names it.
struct TestLookUp : TLookUp {
    TestLookUp() { setObjectName(QStringLiteral("LUp_Test")); }
};

// The text of a one-lookup form around an Items line.
std::string LookUpForm(const std::string& ItemsText)
{
    return "object LUp_Test: TLookUp\n"
           "  DrawStyle = ldsStandard\n"
           "  Columns = 0\n"
           "  AddEditItem = False\n"
           "  Items.Items = " +
           ItemsText +
           "\n"
           "  DisplayStyle = dsCaptionGlyph\n"
           "end\n";
}

}  // namespace

TEST(LookUpItem, NewItemReadsAsAnEmptyRow)
{
    TLookUpItem item;
    EXPECT_EQ(item.GetCaption(), "");
    EXPECT_EQ(item.GetHint(), "");
    EXPECT_EQ(item.GetIdStr(), "");
    EXPECT_EQ(item.GetId(), -2147483647);
    EXPECT_TRUE(item.GetEnabled());
    EXPECT_EQ(item.GetImageIndex(), -1);
    EXPECT_EQ(item.GetGlyph(), nullptr);
    EXPECT_EQ(item.LookUp(), nullptr);

    // The abstract row ignores what it is told.
    TCustomLookUpItem base;
    base.SetCaption("x");
    base.SetId(3);
    base.SetEnabled(false);
    EXPECT_EQ(base.GetCaption(), "");
    EXPECT_EQ(base.GetId(), NullInt);
    EXPECT_TRUE(base.GetEnabled());
}

TEST(LookUpItem, HintEqualToTheCaptionIsStoredEmpty)
{
    TLookUpItem item;
    item.SetCaption("Opis");
    item.SetHint("Opis");
    EXPECT_EQ(item.StoredHint(), "");
    EXPECT_EQ(item.GetHint(), "Opis");
    item.SetCaption("Cennik");
    EXPECT_EQ(item.GetHint(), "Cennik");
    item.SetHint("opis");  // letter case counts
    EXPECT_EQ(item.StoredHint(), "opis");
}

TEST(LookUpItem, OwnGlyphAndImageIndexExcludeEachOther)
{
    TLookUpItem item;
    item.SetImageIndex(3);
    QImage red = SolidGlyph(qRgb(255, 0, 0));
    item.SetGlyph(&red);
    EXPECT_EQ(item.GetImageIndex(), -1);
    ASSERT_NE(item.OwnGlyph(), nullptr);
    EXPECT_EQ(item.GetGlyph()->pixel(8, 8), qRgb(255, 0, 0));
    red.fill(Qt::blue);
    EXPECT_EQ(item.GetGlyph()->pixel(8, 8), qRgb(255, 0, 0)) << "the item keeps a copy";

    // Setting the own glyph again from itself keeps it intact.
    item.SetGlyph(item.OwnGlyph());
    EXPECT_EQ(item.GetGlyph()->pixel(8, 8), qRgb(255, 0, 0));

    item.SetImageIndex(2);
    EXPECT_EQ(item.OwnGlyph(), nullptr);
    EXPECT_EQ(item.GetImageIndex(), 2);
    item.SetGlyph(nullptr);
    EXPECT_EQ(item.GetImageIndex(), 2) << "dropping the glyph keeps the index";
}

TEST(LookUpItem, ImageIndexResolvesThroughTheOwningLookupsImages)
{
    TLookUp lookup;
    TImageList images(nullptr, 16, 16);
    for (int i = 0; i < 5; ++i)
        images.Add(SolidGlyph(qRgb(0, 0, 40 * i + 40)));
    TLookUpItem& item = lookup.Items().Add("Cennik", "CENNIK", 3, 4);

    EXPECT_EQ(item.GetGlyph(), nullptr) << "no image list";
    lookup.SetImages(&images);
    ASSERT_NE(item.GetGlyph(), nullptr);
    EXPECT_EQ(item.GetGlyph()->pixel(8, 8), qRgb(0, 0, 200));

    TImageList four(nullptr, 16, 16);
    for (int i = 0; i < 4; ++i)
        four.Add(SolidGlyph(qRgb(0, 0, 40 * i + 40)));
    lookup.SetImages(&four);
    EXPECT_EQ(item.GetGlyph(), nullptr) << "index past the images";

    TLookUpItem loose;
    loose.SetImageIndex(0);
    EXPECT_EQ(loose.GetGlyph(), nullptr) << "no owning lookup";
}

TEST(LookUpItem, NotifyingSettersRefreshOnlyOnChange)
{
    TLookUp lookup;
    TLookUpItem& item = lookup.Items().Add("a", "", 1);
    CountingLink link(&lookup);
    item.ChangeEnabled(true);
    EXPECT_EQ(link.Changes, 0);
    item.ChangeEnabled(false);
    EXPECT_EQ(link.Changes, 1);
    EXPECT_FALSE(item.GetEnabled());
    item.ChangeImageIndex(-1);
    EXPECT_EQ(link.Changes, 1);
    item.ChangeImageIndex(2);
    EXPECT_EQ(link.Changes, 2);
    item.SetEnabled(true);  // the plain setters tell nobody
    EXPECT_EQ(link.Changes, 2);
}

TEST(LookUpItems, AddClearAndIndexErrors)
{
    TLookUp lookup;
    CountingLink link(&lookup);
    TLookUpItems& items = lookup.Items();
    TLookUpItem& a = items.Add("a", "A", 1);
    items.Add("b", "B", 2);
    EXPECT_EQ(a.LookUp(), &lookup);
    EXPECT_EQ(link.Changes, 2);
    try {
        items.Items(2);
        FAIL() << "index 2 of 2 accepted";
    } catch (const tavo::platform::EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(items[-1], tavo::platform::EListError);
    EXPECT_THROW(lookup.GetItem(5), tavo::platform::EListError);
    EXPECT_EQ(items.Count(), 2);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(link.Changes, 3);

    // A list without a lookup tells nobody and leaves its items without one.
    TLookUpItems loose;
    EXPECT_EQ(loose.Add("x", "", 0).LookUp(), nullptr);
}

TEST(LookUpItemsStream, ReadsTheUserRow)
{
    TestLookUp lookup;
    tavo::tools::ReadComponentText(LookUpForm("('' '' 'USER' -2147483647 True -1 False)"), lookup);
    ASSERT_EQ(lookup.Count(), 1);
    TLookUpItem& user = lookup.Items()[0];
    EXPECT_EQ(user.GetCaption(), "");
    EXPECT_EQ(user.GetIdStr(), "USER");
    EXPECT_EQ(user.GetId(), -2147483647);
    EXPECT_TRUE(user.GetEnabled());
    EXPECT_EQ(user.GetImageIndex(), -1);
    EXPECT_EQ(user.GetGlyph(), nullptr);
}

TEST(LookUpItemsStream, ByteAndTextExactRoundTrip)
{
    // The two rows as a form shows them, a hint equal to its caption kept as read, and a
    // row with a glyph of its own.
    const std::string matrek =
        "'Materia\xB3y reklamowe' 'Materia\xB3y reklamowe' 'MATREK' 25 True -1 False";
    const std::string plain = "('' '' 'USER' -2147483647 True -1 False 'Cennik' '' 'CENNIK' 3 "
                              "True 4 False " +
                              matrek + ")";
    TestLookUp first;
    tavo::tools::ReadComponentText(LookUpForm(plain), first);
    ASSERT_EQ(first.Count(), 3);
    EXPECT_EQ(first.Items()[2].StoredHint(), "Materia\xB3y reklamowe");
    EXPECT_EQ(tavo::tools::WriteComponentText(first), LookUpForm(plain));

    // A row with a glyph of its own, and round again.
    TLookUpItem& own = first.Items().Add("Own", "OWN", 30, 2);
    QImage glyph = SolidGlyph(qRgb(0, 128, 0));
    glyph.setPixel(5, 6, qRgb(1, 2, 3));
    own.SetGlyph(&glyph);
    std::string binary = ItemsBinary(first.Items());
    std::string text = tavo::tools::WriteComponentText(first);
    EXPECT_NE(text.find("Items.Items = " + plain.substr(0, plain.size() - 1) +
                        " 'Own' '' 'OWN' 30 True -1 True {\n"),
              std::string::npos)
        << text;

    TestLookUp second;
    tavo::tools::ReadComponentText(text, second);
    EXPECT_EQ(tavo::tools::WriteComponentText(second), text);
    EXPECT_EQ(ItemsBinary(second.Items()), binary);
    ASSERT_NE(second.Items()[3].OwnGlyph(), nullptr);
    EXPECT_EQ(second.Items()[3].OwnGlyph()->pixel(5, 6), qRgb(1, 2, 3));
    EXPECT_EQ(second.Items()[3].OwnGlyph()->pixel(0, 0), qRgb(0, 128, 0));
}

TEST(LookUpItemsStream, HintBuiltThroughTheSetterIsWrittenEmpty)
{
    TLookUpItems items;
    TLookUpItem& item = items.Add("Opis", "OPIS", 1);
    item.SetHint("Opis");
    TWriter expected;
    expected.WriteListBegin();
    for (const char* s : {"Opis", "", "OPIS"})
        expected.WriteString(s);
    expected.WriteInteger(1);
    expected.WriteBoolean(true);
    expected.WriteInteger(-1);
    expected.WriteBoolean(false);
    expected.WriteListEnd();
    EXPECT_EQ(ItemsBinary(items), expected.Data());
}

TEST(LookUpItemsStream, EmptyListIsWrittenAsAnEmptyList)
{
    TLookUp lookup;
    std::string text = tavo::tools::WriteComponentText(lookup);
    EXPECT_NE(text.find("  Items.Items = ()\n"), std::string::npos) << text;
}

TEST(LookUpItemsStream, ReadingAppendsToTheRowsThere)
{
    TestLookUp lookup;
    lookup.Items().Add("first", "", 7);
    CountingLink link(&lookup);
    tavo::tools::ReadComponentText(
        LookUpForm("('a' '' '' 1 True -1 False 'b' '' '' 2 False -1 False)"), lookup);
    ASSERT_EQ(lookup.Count(), 3);
    EXPECT_EQ(lookup.Items()[0].GetCaption(), "first");
    EXPECT_EQ(lookup.Items()[2].GetCaption(), "b");
    EXPECT_FALSE(lookup.Items()[2].GetEnabled());
    EXPECT_EQ(lookup.Items()[2].LookUp(), &lookup);
    EXPECT_GE(link.Changes, 2) << "every read row refreshes the links";
}

TEST(LookUpItemsStream, WrongValueTypeFailsTheLoadAndKeepsWhatWasRead)
{
    TestLookUp lookup;
    try {
        tavo::tools::ReadComponentText(
            LookUpForm("('a' '' '' 1 True -1 False 'b' '' 'B' 'two' True -1 False)"), lookup);
        FAIL() << "a text accepted as the integer key";
    } catch (const tavo::platform::EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading LUp_Test.Items.Items: Invalid property value");
    }
    ASSERT_EQ(lookup.Count(), 2);
    EXPECT_EQ(lookup.Items()[1].GetCaption(), "b");
    EXPECT_EQ(lookup.Items()[1].GetIdStr(), "B");
    EXPECT_EQ(lookup.Items()[1].GetId(), NullInt);
}

TEST(LookUpItemsStream, BadGlyphDataRaisesAndLeavesAnEmptyGlyph)
{
    auto itemsWithGlyph = [](const std::string& Data) {
        TWriter w;
        w.WriteListBegin();
        for (const char* s : {"G", "", "G"})
            w.WriteString(s);
        w.WriteInteger(1);
        w.WriteBoolean(true);
        w.WriteInteger(-1);
        w.WriteBoolean(true);
        w.WriteBinary(Data);
        w.WriteListEnd();
        return w.TakeData();
    };
    // Not a BMP at all.
    {
        TLookUpItems items;
        std::string data = itemsWithGlyph(std::string("\x04\0\0\0JUNK", 8));
        TReader reader(data);
        EXPECT_THROW(items.ReadItems(reader), tavo::tools::EInvalidGraphic);
        ASSERT_EQ(items.Count(), 1);
        ASSERT_NE(items[0].OwnGlyph(), nullptr);
        EXPECT_TRUE(items[0].OwnGlyph()->isNull());
    }
    // A BMP length past the data.
    {
        TLookUpItems items;
        std::string data = itemsWithGlyph(std::string("\xFF\xFF\0\0BM", 6));
        TReader reader(data);
        EXPECT_THROW(items.ReadItems(reader), tavo::platform::EReadError);
    }
    // A BMP header claiming a picture of 60000 x 60000 pixels is refused before decoding.
    {
        TLookUpItems items;
        std::string bmp = tavo::tools::SaveBitmapData(SolidGlyph(qRgb(1, 1, 1)));
        bmp[4 + 18] = '\x60';
        bmp[4 + 19] = '\xEA';
        bmp[4 + 22] = '\x60';
        bmp[4 + 23] = '\xEA';
        std::string data = itemsWithGlyph(bmp);
        TReader reader(data);
        EXPECT_THROW(items.ReadItems(reader), tavo::tools::EInvalidGraphic);
    }
    // Length 0 is an empty bitmap, not an error.
    {
        TLookUpItems items;
        std::string data = itemsWithGlyph(std::string(4, '\0'));
        TReader reader(data);
        items.ReadItems(reader);
        ASSERT_NE(items[0].OwnGlyph(), nullptr);
        EXPECT_TRUE(items[0].OwnGlyph()->isNull());
    }
}
