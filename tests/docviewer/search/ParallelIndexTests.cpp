// Several documents read at once while one thread writes the index: whatever order the
// readers finish in, documents are written whole, in the manual's order, and a stop ends
// every reader.
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include "SearchTestSupport.h"
#include "TestEnvironment.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/SearchQuery.h"

using namespace tavo;
using docviewer::ParseSearchQuery;
using docviewer::RefreshIndex;
using docviewer::TIndexEvent;
using docviewer::TManualIndex;
using docviewer::TRefreshReport;
using namespace std::chrono_literals;

namespace {

class ParallelIndex : public test::IndexRefreshTest {};

TEST_F(ParallelIndex, DocumentsFinishedOutOfOrderAreWrittenWholeInTheManualsOrder)
{
    const QString a = File("a.pdf"), bad = File("bad.pdf"), c = File("c.pdf"), d = File("d.pdf");
    const QString gone = test::KeyOf(Docs() / "gone.pdf");
    FFake.Pages[a] = {"alfa jeden", "alfa dwa"};
    FFake.Pages[c] = {"gamma jeden", "gamma dwa", "gamma trzy"};
    FFake.Pages[d] = {"delta"};
    // The first document's reader waits until the third one has been read whole.
    std::mutex lock;
    std::condition_variable changed;
    bool cRead = false, waitedForC = false;
    FFake.AfterPage = [&](const QString& File, int32_t Page) {
        std::unique_lock guard(lock);
        if (File == c && Page == 3) {
            cRead = true;
            changed.notify_all();
        } else if (File == a && Page == 1) {
            waitedForC = changed.wait_for(guard, 10s, [&] { return cRead; });
        }
    };
    TManualIndex index(IndexFile());
    const TRefreshReport report = Refresh(index, {a, bad, gone, c, d}, 3);
    EXPECT_TRUE(waitedForC) << "the documents were not read at once";
    EXPECT_FALSE(report.Interrupted);
    EXPECT_EQ(report.Indexed, 3);
    EXPECT_EQ(report.Unreadable, 1);
    EXPECT_EQ(report.Missing, 1);
    EXPECT_EQ(report.Pages, 6);
    ASSERT_EQ(FEvents.size(), 5u);
    const std::vector<QString> order{a, bad, gone, c, d};
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(FEvents[i].File, order[i]) << i;
    EXPECT_EQ(FEvents[1].Kind, TIndexEvent::ieUnreadable);
    EXPECT_EQ(FEvents[2].Kind, TIndexEvent::ieMissing);
    ASSERT_EQ(report.Unsearchable.size(), 2u);
    EXPECT_EQ(report.Unsearchable[0].File, bad);
    EXPECT_EQ(FProgress, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Found(index, "alfa"), 2u);
    EXPECT_EQ(Found(index, "gamma"), 3u);
    EXPECT_EQ(Found(index, "delta"), 1u);
    EXPECT_EQ(index.PageRows(), 6);
}

TEST_F(ParallelIndex, AStopEndsEveryReaderAndLeavesNoHalfDocument)
{
    const QString a = File("a.pdf"), b = File("b.pdf"), c = File("c.pdf");
    QStringList many;
    for (int i = 1; i <= 1000; ++i)
        many << QStringLiteral("strona %1 beta").arg(i);
    FFake.Pages[a] = many;
    FFake.Pages[b] = many;
    FFake.Pages[c] = {"gamma"};
    std::atomic<int> bPages{0};
    // The shell quits while two long documents are being read, each page taking a while.
    FFake.AfterPage = [&](const QString& File, int32_t Page) {
        if (File == b)
            ++bPages;
        if (File == a && Page == 20)
            FStop = true;
        std::this_thread::sleep_for(2ms);
    };
    {
        TManualIndex index(IndexFile());
        const TRefreshReport report = Refresh(index, {a, b, c}, 2);
        EXPECT_TRUE(report.Interrupted);
        // Returning means every reader has finished: none read on to the end.
        EXPECT_LT(bPages.load(), 500);
        EXPECT_EQ(report.Indexed, 0);
        EXPECT_TRUE(index.Documents().empty());
        EXPECT_EQ(index.PageRows(), 0);
    }
    FStop = false;
    FFake.AfterPage = nullptr;
    TManualIndex index(IndexFile());
    const TRefreshReport report = Refresh(index, {a, b, c}, 2);
    EXPECT_EQ(report.Indexed, 3);
    EXPECT_EQ(Found(index, "beta"), 2000u);
}

TEST_F(ParallelIndex, TheRealComponentReadingAtOnceBuildsTheSameIndexAsOneReader)
{
    QStringList files;
    for (const char* doc : {"polskie", "rozdzialy", "zmiana-a", "cele", "litery"})
        files << test::KeyOf(PutDoc(std::string(doc) + ".pdf", std::string(doc) + ".pdf"));
    std::atomic<bool> stop{false};
    auto build = [&](const char* Name, int Readers) {
        auto index = std::make_unique<TManualIndex>(test::TestFolder() / Name);
        const TRefreshReport report =
            RefreshIndex(*index, files, RealSource(), {}, stop, {}, Readers);
        EXPECT_EQ(report.Indexed, files.size()) << Readers;
        return index;
    };
    auto one = build("one.sqlite", 1);
    auto many = build("many.sqlite", 4);
    EXPECT_GT(one->PageRows(), 5);
    EXPECT_EQ(many->PageRows(), one->PageRows());
    for (const char* query : {"grzejnik", "pompa", "zolty", "rozdzial"}) {
        const auto expected = one->Search(ParseSearchQuery(QString::fromUtf8(query)), 500);
        const auto got = many->Search(ParseSearchQuery(QString::fromUtf8(query)), 500);
        ASSERT_EQ(got.size(), expected.size()) << query;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].File, expected[i].File);
            EXPECT_EQ(got[i].Page, expected[i].Page);
            EXPECT_EQ(got[i].Text, expected[i].Text);
        }
    }
}

}  // namespace
