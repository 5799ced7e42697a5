#pragma once
// Sees whether the event loop still answers: a thread of its own posts a ping to the loop
// and waits for the answer. A loop that does not answer within the limit is hung (a
// nested loop of a modal box answers; a blocked handler does not).
#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tavo::soak {

class TWatchdog {
public:
    using HangHandler = std::function<void(std::chrono::milliseconds Waited)>;
    // Pings Loop's thread every Interval; calls OnHang on the watchdog's thread, once, when a
    // ping is unanswered after Limit. The watchdog goes on afterwards only if OnHang returns.
    // OnSlow, when given, hears of every answer that took SlowAfter or longer.
    TWatchdog(QObject* Loop, std::chrono::milliseconds Limit, HangHandler OnHang,
              std::chrono::milliseconds Interval = std::chrono::milliseconds(500),
              std::chrono::milliseconds SlowAfter = std::chrono::milliseconds(0),
              HangHandler OnSlow = {});
    ~TWatchdog();
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

    // The longest a ping has waited for its answer so far.
    std::chrono::milliseconds LongestWait() const;
    int Hangs() const { return FHangs; }

private:
    void Run();

    // Shared with the pings in flight, which may be answered after the watchdog is gone.
    struct TState {
        std::mutex Mutex;
        std::condition_variable Changed;
        uint64_t Answered = 0;
        bool Stop = false;
    };

    QObject* FLoop;
    std::chrono::milliseconds FLimit;
    std::chrono::milliseconds FInterval;
    HangHandler FOnHang;
    std::chrono::milliseconds FSlowAfter;
    HangHandler FOnSlow;
    std::shared_ptr<TState> FState = std::make_shared<TState>();
    std::atomic<long long> FLongest{0};
    std::atomic<int> FHangs{0};
    std::thread FThread;
};

// Prints every thread's stack of this process (gdb attached for a moment) to standard error.
void DumpStacks();

}  // namespace tavo::soak
