// The reader's parts on their own: the image cache's budget, the page column and the
// document layer's answers for generated and damaged documents.
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "PageCache.h"
#include "PageLayout.h"
#include "PdfDocument.h"
#include "QtTestHelpers.h"
#include "RenderQueue.h"
#include "docviewer/search/TextFolding.h"

namespace tavo::pdfreader {
namespace {

QImage Image(int Width, int Height)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(PageCache, EvictsTheLeastRecentlyUsedAndNeverExceedsItsBudget)
{
    TPageCache cache(TPageCache::kMinimumLimit);
    const int64_t each = Image(1024, 1024).sizeInBytes();  // 4 MiB: four fit
    for (int page = 0; page < 4; ++page)
        cache.Insert({1, page, 1024, 0}, Image(1024, 1024));
    EXPECT_EQ(cache.Bytes(), 4 * each);
    ASSERT_NE(cache.Find({1, 0, 1024, 0}), nullptr);  // page 0 used again
    cache.Insert({1, 4, 1024, 0}, Image(1024, 1024));
    EXPECT_TRUE(cache.Contains({1, 0, 1024, 0}));
    EXPECT_FALSE(cache.Contains({1, 1, 1024, 0}));  // the least recently used went
    EXPECT_EQ(cache.Bytes(), 4 * each);
    EXPECT_EQ(cache.PeakBytes(), 4 * each);

    // Replacing an image does not count it twice; one larger than the budget is not kept.
    cache.Insert({1, 4, 1024, 0}, Image(1024, 1024));
    EXPECT_EQ(cache.Bytes(), 4 * each);
    cache.Insert({1, 9, 1024, 0}, Image(4096, 1025));
    EXPECT_FALSE(cache.Contains({1, 9, 1024, 0}));
    EXPECT_LE(cache.PeakBytes(), cache.Limit());

    cache.RemoveIf([](const TTileKey& Key) { return Key.Page == 0; });
    EXPECT_EQ(cache.Count(), 3);
    cache.SetLimit(0);  // raised to the minimum, which still holds them
    EXPECT_EQ(cache.Limit(), TPageCache::kMinimumLimit);
    cache.Clear();
    EXPECT_EQ(cache.Bytes(), 0);
    EXPECT_EQ(cache.Count(), 0);
}

TEST(PageCache, ItsBoundFollowsTheMachine)
{
    constexpr int64_t MiB = int64_t(1) << 20;
    EXPECT_EQ(MachineCacheBound(512 * MiB), 128 * MiB);
    EXPECT_EQ(MachineCacheBound(24 * 1024 * MiB), 6 * 1024 * MiB);
    EXPECT_EQ(MachineCacheBound(32 * MiB), TPageCache::kMinimumLimit);
    EXPECT_EQ(MachineCacheBound(0), TPageCache::kDefaultLimit) << "memory unknown";

    // Here: 256 MiB by default, a quarter of the memory at most whatever is asked for.
    ASSERT_GT(PhysicalMemory(), 0);
    TPageCache cache;
    EXPECT_EQ(cache.Bound(), MachineCacheBound(PhysicalMemory()));
    EXPECT_EQ(cache.Limit(), std::min(TPageCache::kDefaultLimit, cache.Bound()));
    cache.SetLimit(PhysicalMemory());
    EXPECT_EQ(cache.Limit(), PhysicalMemory() / 4);
}

TEST(PageLayout, StacksPagesWithGapsAndFindsThePageAtAHeight)
{
    TPageLayout layout;
    layout.Reset(3, QSizeF(72, 144));  // 1 x 2 inches: 96 x 192 pixels at 100 %
    layout.SetViewWidth(300);
    EXPECT_EQ(layout.PageRect(0), QRect(102, 10, 96, 192));
    EXPECT_EQ(layout.PageRect(1).top(), 212);
    EXPECT_EQ(layout.ContentHeight(), 10 + 3 * 202);
    EXPECT_EQ(layout.PageAt(0), 0);
    EXPECT_EQ(layout.PageAt(201), 0);
    EXPECT_EQ(layout.PageAt(203), 1);  // the gap above a page counts to it
    EXPECT_EQ(layout.PageAt(100000), 2);

    // A page read later at another size moves the pages below it, and widens the column.
    EXPECT_TRUE(layout.SetPageSize(1, QSizeF(360, 72)));
    EXPECT_FALSE(layout.SetPageSize(1, QSizeF(360, 72)));
    EXPECT_EQ(layout.PageRect(2).top(), 212 + 96 + 10);
    EXPECT_EQ(layout.ContentWidth(), 480 + 20);
    EXPECT_NEAR(layout.FitWidthZoom(500), 1.0, 1e-9);
    layout.SetZoom(2.0);
    EXPECT_EQ(layout.PageRect(0).size(), QSize(192, 384));
}

TEST(PdfDocument, ReadsPagesLinksWordsAndDestinationsOfAGeneratedDocument)
{
    QString error;
    auto doc = TPdfDocument::Open(FileSource(TEST_DOCS "/reader.pdf"), &error);
    ASSERT_NE(doc, nullptr) << error.toStdString();
    EXPECT_EQ(doc->PageCount(), 4);
    EXPECT_FALSE(doc->SizeKnown(2));  // opening reads only the first page
    EXPECT_EQ(doc->PageSize(2), QSizeF(595, 842));
    EXPECT_TRUE(doc->SizeKnown(2));

    const auto& links = doc->Links(0);
    ASSERT_EQ(links.size(), 4u);
    ASSERT_TRUE(links[0].Target);
    EXPECT_EQ(links[0].Target->Page, 2);
    ASSERT_TRUE(links[1].Target);
    EXPECT_EQ(links[1].Target->Page, 1);
    EXPECT_NEAR(links[1].Target->Top.value_or(-1), 208, 1);
    EXPECT_EQ(links[2].Url, "https://www.tervik.example.com/manual");
    EXPECT_EQ(links[3].Url, "mailto:info@tervik.example.com");
    EXPECT_LT(links[0].Area.top(), links[1].Area.top());  // points from the top

    const auto dest = doc->Destination("far");
    ASSERT_TRUE(dest);
    EXPECT_EQ(dest->Page, 1);
    EXPECT_FALSE(doc->Destination("nowhere"));
    EXPECT_FALSE(doc->Destination(""));

    const auto& words = doc->Words(0);
    ASSERT_GE(words.size(), 6u);
    EXPECT_EQ(words[3].Text, "Selectable");           // after the heading's three words
    EXPECT_EQ(doc->Search(2, "RADIATOR").size(), 3);  // "Radiator" and twice "radiator"
    EXPECT_TRUE(doc->Search(2, "  ").isEmpty());
    EXPECT_TRUE(doc->Words(99).empty());
}

TEST(PdfDocument, BytesThatAreNoDocumentGiveAReason)
{
    QString error;
    EXPECT_EQ(TPdfDocument::Open(BytesSource(QByteArray()), &error), nullptr);
    EXPECT_EQ(error, "This document could not be opened: the file is empty.");
    EXPECT_EQ(TPdfDocument::Open(BytesSource("%PDF-1.4\n%%EOF\n"), &error), nullptr);
    EXPECT_TRUE(error.startsWith("This document could not be opened: ")) << error.toStdString();
    EXPECT_EQ(TPdfDocument::Open(FileSource("/nonexistent/file.pdf"), &error), nullptr);
    EXPECT_EQ(error, "This document could not be opened: the file was not found.");
}

// Jobs for the thousand-page document: Count pages at 100 %, from Page on.
std::vector<TRenderJob> Jobs(const TPdfSourcePtr& Source, int Page, int Count)
{
    std::vector<TRenderJob> jobs;
    for (int i = 0; i < Count; ++i)
        jobs.push_back(
            {{Source->Serial, Page + i, 794, 0}, Source, 96, 96, QRect(0, 0, 794, 1123)});
    return jobs;
}

TEST(RenderQueue, RendersWhatIsWantedAndDropsWhatIsNoLonger)
{
    TRenderQueue queue(2);
    QList<TTileKey> rendered;
    QObject::connect(&queue, &TRenderQueue::rendered,
                     [&](const TTileKey& Key, const QImage& Image) {
                         EXPECT_FALSE(Image.isNull());
                         EXPECT_EQ(Image.size(), QSize(794, 1123));
                         rendered << Key;
                     });
    const TPdfSourcePtr first = FileSource(TEST_DOCS "/thousand.pdf");
    queue.SetWanted(Jobs(first, 0, 3), first->Serial);
    ASSERT_TRUE(test::WaitFor([&] { return rendered.size() == 3; }));

    // Fifty wanted, then another document: of the first fifty only those the workers had
    // finished may still arrive, none started later.
    rendered.clear();
    queue.SetWanted(Jobs(first, 100, 50), first->Serial);
    const TPdfSourcePtr second = FileSource(TEST_DOCS "/reader.pdf");
    queue.SetWanted(Jobs(second, 0, 1), second->Serial);
    ASSERT_TRUE(test::WaitFor([&] {
        return std::any_of(rendered.begin(), rendered.end(),
                           [&](const TTileKey& Key) { return Key.Serial == second->Serial; });
    }));
    QTest::qWait(200);
    EXPECT_LE(rendered.size(), 1 + 2);
}

TEST(RenderQueue, RendersTheFirstPageAsTheViewWillWantItWhileTheDocumentOpens)
{
    TRenderQueue queue(2);
    QList<TTileKey> rendered;
    QObject::connect(&queue, &TRenderQueue::rendered,
                     [&](const TTileKey& Key, const QImage&) { rendered << Key; });
    const TPdfSourcePtr source = FileSource(TEST_DOCS "/reader.pdf");
    queue.Prepare(source, TFirstPageHint{true, 1.0, 620, 2.0, int64_t(24) << 20});
    ASSERT_TRUE(test::WaitFor([&] { return !rendered.isEmpty(); }));
    TPageLayout layout;  // as the view lays out the document once open
    layout.Reset(4, QSizeF(595, 842));
    layout.SetViewWidth(620);
    layout.SetZoom(layout.FitWidthZoom(620));
    const TTileKey wanted{source->Serial, 0, layout.DeviceSize(0, 2.0).width(), 0};
    EXPECT_EQ(rendered.front(), wanted);
    EXPECT_EQ(wanted.Width, 2 * 600);
}

TEST(MarkFolding, PiecesAreMatchedJoinedUpToTheNextSpace)
{
    using docviewer::FoldText;
    using docviewer::PiecesHolding;
    // An accent drawn apart from its letter, a ligature, a change of font inside a word.
    const std::vector<docviewer::TTextPiece> pieces{
        {"Do", false},          {"\u0301bo\u0301r", true},
        {"\uFB01ltrów,", true}, {"CIEP", false},
        {"ŁA", true},           {"woda", true}};
    EXPECT_EQ(PiecesHolding(pieces, {FoldText("dobór")}), (std::vector<int>{0, 1}));
    EXPECT_EQ(PiecesHolding(pieces, {FoldText("filtrow")}), (std::vector<int>{2}));
    EXPECT_EQ(PiecesHolding(pieces, {FoldText("ciepła")}), (std::vector<int>{3, 4}));
    EXPECT_EQ(PiecesHolding(pieces, {FoldText("ła")}), (std::vector<int>{4}));
    EXPECT_EQ(PiecesHolding(pieces, {FoldText("woda"), FoldText("dob")}),
              (std::vector<int>{0, 1, 5}));
    EXPECT_TRUE(PiecesHolding(pieces, {}).empty());
    EXPECT_TRUE(PiecesHolding({}, {"a"}).empty());
}

}  // namespace
}  // namespace tavo::pdfreader
