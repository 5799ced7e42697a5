// Scrolling a 2,000-page document from the first page to the last and back keeps the
// process's resident memory under the image cache's bound plus 150 MiB.
#include <QAbstractScrollArea>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "PageView.h"
#include "PdfReader.h"

namespace tavo::pdfreader {
namespace {

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM").
int64_t StatusBytes(const char* Name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(Name) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

bool WaitSettled(const TPdfReader& Reader)
{
    return QTest::qWaitFor([&] { return Reader.Settled(); }, 10000);
}

TEST(ReaderMemory, ScrollingTwoThousandPagesAndBackStaysUnderTheCacheBoundPlus150MiB)
{
    constexpr int64_t MiB = int64_t(1) << 20;
    TPdfReader reader;
    reader.resize(800, 1000);
    reader.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reader));
    ASSERT_TRUE(reader.Load(QStringLiteral(TEST_DOCS "/two-thousand.pdf")));
    ASSERT_EQ(reader.PageCount(), 2000);
    const int64_t bound = reader.CacheLimit();
    EXPECT_EQ(bound, std::min(TPageCache::kDefaultLimit, MachineCacheBound(PhysicalMemory())));

    QAbstractScrollArea* view = reader.View();
    view->setFocus();
    QScrollBar* bar = view->verticalScrollBar();
    int64_t most = 0;
    int steps = 0;
    // Page by page as a reader pages through it, every third screen painted whole.
    auto page = [&](Qt::Key Key) {
        QTest::keyClick(view, Key);
        if (++steps % 3 == 0)
            ASSERT_TRUE(WaitSettled(reader)) << "at " << bar->value();
        else
            QCoreApplication::processEvents();
        if (steps % 25 == 0)
            most = std::max(most, StatusBytes("VmRSS"));
    };
    while (bar->value() < bar->maximum())
        ASSERT_NO_FATAL_FAILURE(page(Qt::Key_PageDown));
    EXPECT_EQ(reader.CurrentPage(), 2000);
    const int down = steps;
    while (bar->value() > 0)
        ASSERT_NO_FATAL_FAILURE(page(Qt::Key_PageUp));
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_GT(steps, 2 * 1000);
    EXPECT_GT(down, 1000);

    // The cache was filled: the bound was reached, not merely respected.
    EXPECT_GT(reader.CachePeakBytes(), bound * 3 / 4);
    most = std::max(most, StatusBytes("VmRSS"));
    const int64_t peak = StatusBytes("VmHWM");
    ASSERT_GT(most, 0);
    EXPECT_LT(most, bound + 150 * MiB) << most / MiB << " MiB resident";
    EXPECT_LT(peak, bound + 150 * MiB) << peak / MiB << " MiB at the most";
    RecordProperty("ResidentMiB", int(most / MiB));
    RecordProperty("PeakMiB", int(peak / MiB));
    std::printf("resident at most %lld MiB (peak %lld MiB), cache bound %lld MiB\n",
                static_cast<long long>(most / MiB), static_cast<long long>(peak / MiB),
                static_cast<long long>(bound / MiB));
}

}  // namespace
}  // namespace tavo::pdfreader
