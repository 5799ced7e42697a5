// A thousand pages: opening reads only the first page, and scrolling to the end keeps
// the rendered images within the cache's budget by the cache's own accounting.
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ReaderTestSupport.h"

namespace tavo::test {
namespace {

TEST(LongDocument, ScrollsToTheEndWithImagesWithinTheCacheBudget)
{
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    TReaderHost host(TKind::kNewer, QSize(360, 420));
    // The smallest budget, so that a thousand pages must evict most of what they render.
    host.Control()->setProperty("cacheLimit", qint64(16) << 20);
    const qint64 limit = host.Property("cacheLimit");
    ASSERT_EQ(limit, qint64(16) << 20);
    ASSERT_TRUE(host.AndWaitShown(1, [&] { host.LoadFile(TestDoc("thousand.pdf")); }));
    EXPECT_EQ(host.Reader()->PageCount(), 1000);

    // Besides the cache, only images on their way to it: at most what the view wants, the
    // view and one screen ahead, each page a whole image.
    const QSize view = host.View()->viewport()->size();
    const qint64 margin = 4 * qint64(view.width() + 20) * (2 * view.height() + 2000) * 4;
    qint64 most = 0;
    QScrollBar* bar = host.View()->verticalScrollBar();
    int steps = 0;
    while (bar->value() < bar->maximum()) {
        QTest::keyClick(host.View(), Qt::Key_PageDown);
        ASSERT_TRUE(host.WaitSettled()) << "at " << bar->value();
        most = std::max(most, host.Property("imageBytes"));
        ++steps;
    }
    EXPECT_EQ(host.Reader()->CurrentPage(), 1000);
    EXPECT_GT(steps, 900);
    EXPECT_LE(host.Property("cachePeakBytes"), limit);
    EXPECT_LE(most, limit + margin);
    // The cache was filled and emptied many times over.
    EXPECT_GT(host.Property("cacheBytes"), limit / 2);
}

TEST(LongDocument, EndAndHomeJumpAcrossTheDocument)
{
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    TReaderHost host;
    host.LoadFile(TestDoc("thousand.pdf"));
    ASSERT_TRUE(host.AndWaitShown(1000, [&] { QTest::keyClick(host.View(), Qt::Key_End); }));
    EXPECT_EQ(host.Reader()->CurrentPage(), 1000);
    ASSERT_TRUE(host.AndWaitShown(1, [&] { QTest::keyClick(host.View(), Qt::Key_Home); }));
    EXPECT_EQ(host.Reader()->CurrentPage(), 1);
    ASSERT_TRUE(host.AndWaitShown(500, [&] { host.setCurrentPage(500); }));
    EXPECT_EQ(host.Reader()->CurrentPage(), 500);
}

}  // namespace
}  // namespace tavo::test
