#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <Qt>
#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>

#include "ChildReaper.h"
#include "SoakPlan.h"
#include "Watchdog.h"

using namespace tavo;
using namespace std::chrono_literals;
using soak::TActionKind;

namespace {

bool Alive(pid_t Pid)
{
    return ::kill(Pid, 0) == 0;
}

// Starts Command detached, as the shell starts programs; returns the pid it got.
pid_t StartDetached(const QString& Command)
{
    qint64 pid = 0;
    EXPECT_TRUE(QProcess::startDetached(QStringLiteral("/bin/sh"), {"-c", Command}, {}, &pid));
    return static_cast<pid_t>(pid);
}

bool IgnoresTermination(pid_t Pid)
{
    std::ifstream status("/proc/" + std::to_string(Pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigIgn:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

bool WaitUntil(const std::function<bool()>& Done, int Ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!Done()) {
        if (t.elapsed() > Ms)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

}  // namespace

TEST(SoakPlan, AStepIsTheSameWhateverWasPlannedBefore)
{
    std::vector<std::string> inOrder;
    for (uint64_t step = 0; step < 300; ++step)
        inOrder.push_back(soak::Describe(soak::PlanAction(42, step)));
    // Backwards, and each step alone: a replay may start anywhere.
    for (uint64_t step = 300; step-- > 0;)
        EXPECT_EQ(soak::Describe(soak::PlanAction(42, step)), inOrder[step]) << step;
    int same = 0;
    for (uint64_t step = 0; step < 300; ++step)
        same += soak::Describe(soak::PlanAction(43, step)) == inOrder[step] ? 1 : 0;
    EXPECT_LT(same, 30) << "another seed must give another run";
}

TEST(SoakPlan, ARunReachesEveryActionAndTheKeysAUserPresses)
{
    std::map<TActionKind, int> kinds;
    std::set<std::pair<int, int>> keys;
    std::set<int> letters;
    std::set<int> tabs;
    std::set<int> pages;
    for (uint64_t step = 0; step < 20000; ++step) {
        const soak::TAction a = soak::PlanAction(7, step);
        ++kinds[a.Kind];
        ASSERT_GE(a.X, 0.0);
        ASSERT_LT(a.X, 1.0);
        ASSERT_GE(a.Y, 0.0);
        ASSERT_LT(a.Y, 1.0);
        if (a.Kind == TActionKind::Key) {
            keys.insert({a.Key, a.Modifiers});
            if (a.Key >= Qt::Key_A && a.Key <= Qt::Key_Z && (a.Modifiers & ~Qt::ShiftModifier) == 0)
                letters.insert(a.Key);
        }
        if (a.Kind == TActionKind::Resize) {
            // Never smaller than a user could still work in.
            EXPECT_GE(a.X, 0.3);
            EXPECT_GE(a.Y, 0.3);
        }
        if (a.Kind == TActionKind::SwitchTab)
            tabs.insert(a.Index);
        if (a.Kind == TActionKind::TypeAddress)
            pages.insert(a.Index);
        if (a.Kind == TActionKind::Wheel) {
            EXPECT_NE(a.Delta, 0);
        }
        if (a.Kind == TActionKind::Text || a.Kind == TActionKind::SearchManual) {
            EXPECT_FALSE(a.Text.empty());
        }
    }
    EXPECT_EQ(kinds.size(), 14u);
    for (const auto& [kind, count] : kinds)
        EXPECT_GT(count, 10) << static_cast<int>(kind);
    EXPECT_EQ(letters.size(), 26u);
    for (std::pair<int, int> k : {std::pair<int, int>{Qt::Key_Tab, 0},
                                  {Qt::Key_Return, 0},
                                  {Qt::Key_Escape, 0},
                                  {Qt::Key_F1, 0},
                                  {Qt::Key_F3, 0},
                                  {Qt::Key_F5, 0},
                                  {Qt::Key_F6, 0},
                                  {Qt::Key_F, Qt::ControlModifier},
                                  {Qt::Key_Left, Qt::AltModifier},
                                  {Qt::Key_Right, Qt::AltModifier},
                                  {Qt::Key_Up, 0},
                                  {Qt::Key_Down, 0},
                                  {Qt::Key_PageUp, 0},
                                  {Qt::Key_PageDown, 0}})
        EXPECT_TRUE(keys.count(k)) << std::hex << k.first << " " << k.second;
    // Keys that end the program are no part of a soak: it would stop itself.
    EXPECT_FALSE(keys.count({Qt::Key_Q, Qt::ControlModifier}));
    EXPECT_FALSE(keys.count({Qt::Key_F4, Qt::AltModifier}));
    EXPECT_EQ(tabs, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(pages.size(), static_cast<size_t>(soak::LocalPageCount + 1));
}

TEST(Watchdog, ABlockedLoopIsToldOnceAndAnAnsweringOneNever)
{
    std::atomic<int> told{0};
    std::atomic<long long> waited{0};
    {
        soak::TWatchdog dog(
            qApp, 200ms,
            [&](std::chrono::milliseconds w) {
                ++told;
                waited = w.count();
            },
            20ms);
        // Busy but answering: events processed, a modal loop nested for a while.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 400)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QEventLoop nested;
        QTimer::singleShot(400, &nested, &QEventLoop::quit);
        nested.exec();
        EXPECT_EQ(told.load(), 0);
        EXPECT_LT(dog.LongestWait().count(), 200);

        std::this_thread::sleep_for(700ms);  // a handler that never returns, for a while
        QCoreApplication::processEvents();
        EXPECT_EQ(told.load(), 1);
        EXPECT_GE(waited.load(), 200);
        // Answering again: no second report for the same stall.
        t.restart();
        while (t.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(dog.Hangs(), 1);
    }
    // A ping still queued when the watchdog went is answered without harm.
    QCoreApplication::processEvents();
}

TEST(ChildReaper, DetachedProgramsAreAdoptedAndEnded)
{
    ASSERT_TRUE(test::BecomeSubreaper());
    // A program that starts another and exits, as the disc's installer does.
    const pid_t starter = StartDetached(QStringLiteral("sleep 61 & sleep 62 & exit 0"));
    std::vector<test::TChildProcess> sleeping;
    ASSERT_TRUE(WaitUntil([&] {
        sleeping.clear();
        for (const test::TChildProcess& c : test::Children())
            if (c.Name == "sleep" && !c.Zombie)
                sleeping.push_back(c);
        return sleeping.size() == 2;
    }));
    // Only what is asked for is ended.
    EXPECT_EQ(test::EndChildren([](const test::TChildProcess& c) { return c.Name == "nothing"; }),
              0);
    for (const test::TChildProcess& c : sleeping)
        EXPECT_TRUE(Alive(c.Pid));
    // The two programs, and the starter that had exited (reaped, no zombie left).
    EXPECT_EQ(test::EndChildren(
                  [](const test::TChildProcess& c) { return c.Name == "sleep" || c.Name == "sh"; }),
              3);
    for (const test::TChildProcess& c : sleeping)
        EXPECT_FALSE(Alive(c.Pid)) << c.Pid;
    EXPECT_FALSE(Alive(starter));
}

TEST(ChildReaper, AProgramThatIgnoresTerminationIsKilled)
{
    ASSERT_TRUE(test::BecomeSubreaper());
    StartDetached(QStringLiteral("trap '' TERM; sleep 63; sleep 63"));
    // Only a shell that has set its trap tests the kill; ended earlier, it would just die.
    ASSERT_TRUE(WaitUntil([] {
        for (const test::TChildProcess& c : test::Children())
            if (c.Name == "sh" && !c.Zombie && IgnoresTermination(c.Pid))
                return true;
        return false;
    }));
    EXPECT_GE(test::EndChildren({}, 300), 2);  // the shell, then the program it leaves
    EXPECT_TRUE(test::Children().empty());
}
