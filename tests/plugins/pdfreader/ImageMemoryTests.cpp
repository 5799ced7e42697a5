// The page images' pooled memory, the cache's count of it, and a page asked for reaching the
// screen before what follows it.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ImageMemory.h"
#include "PageCache.h"
#include "PageView.h"
#include "PdfReader.h"

namespace tavo::pdfreader {
namespace {

constexpr int64_t MiB = int64_t(1) << 20;

QImage Pattern(int Width, int Height)
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Width; ++x)
            line[x] = qRgb(x % 256, y % 256, (x + y) % 256);
    }
    image.setDevicePixelRatio(2);
    return image;
}

TEST(ImageMemory, ACopyKeepsItsPixelsAndItsBlockGoesToTheNextImageOfItsSize)
{
    ReleaseFreeImageMemory();
    const QImage rendered = Pattern(1000, 1100);  // 4.2 MiB: three huge pages
    const TImagePoolState before = ImagePoolState();
    const uchar* block = nullptr;
    {
        const QImage pooled = InPooledMemory(rendered);
        EXPECT_EQ(pooled, rendered);
        EXPECT_EQ(pooled.format(), rendered.format());
        EXPECT_EQ(pooled.devicePixelRatio(), 2);
        EXPECT_NE(pooled.constBits(), rendered.constBits());
        EXPECT_EQ(PooledBytes(rendered.sizeInBytes()), 6 * MiB);
        EXPECT_EQ(ImagePoolState().InUse, before.InUse + 6 * MiB);
        block = pooled.constBits();
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % (2 * MiB), 0u) << "huge-page aligned";
    }
    EXPECT_EQ(ImagePoolState().InUse, before.InUse);
    EXPECT_EQ(ImagePoolState().Free, before.Free + 6 * MiB);

    const QImage next = InPooledMemory(Pattern(1000, 1100));
    EXPECT_EQ(next.constBits(), block);
    EXPECT_EQ(ImagePoolState().Free, before.Free);
    // Another size takes a block of its own.
    const QImage other = InPooledMemory(Pattern(1200, 1100));
    EXPECT_NE(other.constBits(), block);
    EXPECT_EQ(other, Pattern(1200, 1100));

    // Small images stay where they are; so does a null one.
    const QImage small = Pattern(200, 200);
    EXPECT_EQ(InPooledMemory(small).constBits(), small.constBits());
    EXPECT_EQ(PooledBytes(small.sizeInBytes()), small.sizeInBytes());
    EXPECT_TRUE(InPooledMemory(QImage()).isNull());
}

TEST(ImageMemory, FreeBlocksAreKeptWithinTheCachesBoundAndGivenBackWhenAsked)
{
    ReleaseFreeImageMemory();
    {
        std::vector<QImage> images;
        for (int i = 0; i < 80; ++i)  // 80 blocks of 4 MiB: more than the 256 MiB kept
            images.push_back(InPooledMemory(Pattern(1024, 1000)));
        EXPECT_GE(ImagePoolState().InUse, 320 * MiB);
    }
    const TImagePoolState kept = ImagePoolState();
    EXPECT_LE(kept.InUse + kept.Free, 256 * MiB);
    EXPECT_GE(kept.Free, 32 * MiB);
    ReleaseFreeImageMemory();
    EXPECT_EQ(ImagePoolState().Free, 0);
}

TEST(ImageMemory, TheCacheCountsTheMemoryItsImagesTake)
{
    // 1000 x 1000 pixels are 3.8 MiB in a block of 4 MiB: four fit in 16 MiB, not more.
    TPageCache cache(TPageCache::kMinimumLimit);
    for (int page = 0; page < 6; ++page)
        cache.Insert({1, page, 1000, 0}, InPooledMemory(Pattern(1000, 1000)));
    EXPECT_EQ(cache.Count(), 4);
    EXPECT_EQ(cache.Bytes(), 16 * MiB);
    EXPECT_FALSE(cache.Contains({1, 1, 1000, 0}));
    EXPECT_TRUE(cache.Contains({1, 5, 1000, 0}));
}

TEST(PageView, ThePageAskedForReachesTheScreenFirstAndItsImageThenMovesToThePool)
{
    std::vector<std::string> order;  // outlives the reader, which reports as it closes
    TPdfReader reader;
    reader.resize(800, 1000);
    reader.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reader));
    ASSERT_TRUE(reader.Load(QStringLiteral(TEST_DOCS "/two-thousand.pdf")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.Settled(); }, 10000));

    TPageView* view = reader.View();
    QObject::connect(view, &TPageView::pageShown,
                     [&](int Page) { order.push_back("shown " + std::to_string(Page)); });
    QObject::connect(view, &TPageView::currentPageChanged,
                     [&](int Page) { order.push_back("current " + std::to_string(Page)); });
    const int64_t pooled = ImagePoolState().InUse;
    view->GoTo(1499);  // far from anything rendered ahead

    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.front(), "shown 1499");
    EXPECT_EQ(order.back(), "current 1499");
    EXPECT_EQ(reader.CurrentPage(), 1500);
    // The pool's copy and the strip follow on the next turn of the event loop. (The workers
    // may pool what they render ahead at any time, so only growth can be asked for.)
    QCoreApplication::processEvents();
    EXPECT_GT(ImagePoolState().InUse, pooled);
    EXPECT_EQ(reader.findChild<QLineEdit*>(QStringLiteral("PageField"))->text(), "1500");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.Settled(); }, 10000));
}

}  // namespace
}  // namespace tavo::pdfreader
