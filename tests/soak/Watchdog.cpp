#include "Watchdog.h"

#include <QMetaObject>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavo::soak {

TWatchdog::TWatchdog(QObject* Loop, std::chrono::milliseconds Limit, HangHandler OnHang,
                     std::chrono::milliseconds Interval, std::chrono::milliseconds SlowAfter,
                     HangHandler OnSlow)
    : FLoop(Loop), FLimit(Limit), FInterval(Interval), FOnHang(std::move(OnHang)),
      FSlowAfter(SlowAfter), FOnSlow(std::move(OnSlow))
{
    FThread = std::thread([this] { Run(); });
}

TWatchdog::~TWatchdog()
{
    {
        std::lock_guard lock(FState->Mutex);
        FState->Stop = true;
    }
    FState->Changed.notify_all();
    FThread.join();
}

std::chrono::milliseconds TWatchdog::LongestWait() const
{
    return std::chrono::milliseconds(FLongest.load());
}

void TWatchdog::Run()
{
    using clock = std::chrono::steady_clock;
    TState& s = *FState;
    uint64_t ping = 0;
    std::unique_lock lock(s.Mutex);
    while (!s.Stop) {
        const uint64_t token = ++ping;
        const auto sent = clock::now();
        QMetaObject::invokeMethod(
            FLoop,
            [state = FState, token] {
                {
                    std::lock_guard answer(state->Mutex);
                    state->Answered = std::max(state->Answered, token);
                }
                state->Changed.notify_all();
            },
            Qt::QueuedConnection);
        const bool answered =
            s.Changed.wait_for(lock, FLimit, [&] { return s.Stop || s.Answered >= token; });
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - sent);
        if (s.Stop)
            break;
        if (answered) {
            if (waited.count() > FLongest.load())
                FLongest = waited.count();
            if (FOnSlow && waited >= FSlowAfter) {
                lock.unlock();
                FOnSlow(waited);
                lock.lock();
            }
        } else {
            ++FHangs;
            lock.unlock();
            FOnHang(waited);
            lock.lock();
            // The late answer is waited for before the next ping, so one hang is told once.
            s.Changed.wait(lock, [&] { return s.Stop || s.Answered >= token; });
        }
        s.Changed.wait_for(lock, FInterval, [&] { return s.Stop; });
    }
}

void DumpStacks()
{
    // gdb, a child of this process, may attach to it only with its leave.
    ::prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);
    const std::string pid = std::to_string(::getpid());
    const char* argv[] = {"gdb",
                          "-p",
                          pid.c_str(),
                          "-batch",
                          "-nx",
                          "-ex",
                          "set pagination off",
                          "-ex",
                          "thread apply all bt 40",
                          nullptr};
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t gdb = 0;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, STDERR_FILENO, STDOUT_FILENO);
    if (posix_spawnp(&gdb, "gdb", &files, nullptr, const_cast<char**>(argv), environ) == 0) {
        int status = 0;
        ::waitpid(gdb, &status, 0);
    } else {
        std::fprintf(stderr, "soak: gdb could not be started; no stacks\n");
    }
    posix_spawn_file_actions_destroy(&files);
}

}  // namespace tavo::soak
