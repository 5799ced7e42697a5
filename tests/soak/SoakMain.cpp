// The soak: the whole shell, its real components and programs, driven for a given time by
// seeded random input. It fails on a hang of the event loop, on the shell closing by
// itself, and (built with the sanitizers) on any memory error, undefined behaviour or leak.
// Usage: tavo-soak [--seconds N] [--seed S] [--pages URL] [--log FILE] [--maps FILE]
//                  [--hang-ms MS] [--interval-ms MS]
#include <QApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include "ChildReaper.h"
#include "SoakActions.h"
#include "SoakPlan.h"
#include "Watchdog.h"
#include "browser/BrowserControl.h"
#include "shell/FMain.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"

namespace {

using namespace std::chrono;
using namespace tavo;

struct TOptions {
    int Seconds = 60;
    uint64_t Seed = 0;
    bool SeedGiven = false;
    std::string Pages;
    std::string Log;
    std::string Maps;
    int HangMs = 5000;
    int IntervalMs = 15;
};

bool ParseOptions(int argc, char** argv, TOptions& O)
{
    if (const char* pages = std::getenv("TAVO_SOAK_PAGES"))
        O.Pages = pages;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (arg == "--seconds")
            O.Seconds = std::atoi(value);
        else if (arg == "--seed") {
            O.Seed = std::strtoull(value, nullptr, 10);
            O.SeedGiven = true;
        } else if (arg == "--pages")
            O.Pages = value;
        else if (arg == "--log")
            O.Log = value;
        else if (arg == "--maps")
            O.Maps = value;
        else if (arg == "--hang-ms")
            O.HangMs = std::atoi(value);
        else if (arg == "--interval-ms")
            O.IntervalMs = std::atoi(value);
        else
            return false;
    }
    if (!O.SeedGiven)
        O.Seed = std::random_device{}() % 1000000000u;
    return O.Seconds > 0 && O.HangMs > 0 && O.IntervalMs >= 0;
}

long RssMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

// A private home, Windows folder, machine hive and installation folder, as a new user
// has: the soak installs and writes settings, and leaves the user's own alone.
std::filesystem::path PrivateEnvironment()
{
    namespace fs = std::filesystem;
    std::string tmpl = (fs::temp_directory_path() / "tavo-soak-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        return {};
    const fs::path root = tmpl;
    const fs::path home = root / "home";
    fs::create_directories(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / ".local" / "share").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    ::setenv("TAVO_WINDOWS_DIR", (root / "windows").c_str(), 1);
    ::setenv("TAVO_MACHINE_HIVE", (root / "machine" / "machine.reg").c_str(), 1);
    ::setenv("TAVO_INSTALL_DIR", (root / "installed").c_str(), 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        fs::create_directories(root / "runtime");
        fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
        ::setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    }
    return root;
}

// Programs the shell started (installer, demo program) that are still open: a user closes
// them now and then; the soak ends them when more than two are open.
bool ProgramOfTheShell(const test::TChildProcess& C)
{
    return C.Name == "HD.exe" || C.Name == "setuphd.exe";
}

void TrimPrograms()
{
    int open = 0;
    for (const test::TChildProcess& c : test::Children())
        open += ProgramOfTheShell(c) && !c.Zombie ? 1 : 0;
    test::EndChildren(
        [&](const test::TChildProcess& c) {
            return ProgramOfTheShell(c) && (c.Zombie || open > 2);
        },
        1000);
}

// Closes what is open on top, one thing per call; the main window last. Closing the main
// window ends the program, as for a user.
void CloseOneWindow(shell::TF_Main* Main)
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
    } else if (Main->isVisible()) {
        Main->close();
    } else {
        std::fprintf(stderr, "soak: the main window is closed but the program goes on\n");
        QCoreApplication::exit(1);
    }
}

// The way out (windows destroyed, components unloaded) may not hang either.
void ShutdownTooLong(int)
{
    static const char text[] = "soak: FAILED (hang): the shell has not ended 120 s after its "
                               "main window closed\n";
    [[maybe_unused]] auto n = ::write(STDERR_FILENO, text, sizeof text - 1);
    std::_Exit(71);
}

}  // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: tavo-soak [--seconds N] [--seed S] [--pages URL] [--log FILE] "
                             "[--hang-ms MS] [--interval-ms MS]\n");
        return 2;
    }
    const uint64_t seed = options.Seed;
    std::printf("soak: seed %llu, %d s, pages %s\n", static_cast<unsigned long long>(seed),
                options.Seconds, options.Pages.empty() ? "(none)" : options.Pages.c_str());
    std::fflush(stdout);
    std::FILE* log = options.Log.empty() ? nullptr : std::fopen(options.Log.c_str(), "w");

    const std::filesystem::path home = PrivateEnvironment();
    if (home.empty()) {
        std::perror("soak: no private folder");
        return 2;
    }
    std::printf("soak: private folders in %s\n", home.c_str());
    test::BecomeSubreaper();
    shell::PrepareProcess();
    std::atomic<uint64_t> events{0};
    bool closedByItself = true;
    int rc = 0;
    const auto started = steady_clock::now();
    {
        shell::LibraryModules modules;
        int appArgc = 1;
        shell::TavoApplication app(appArgc, argv);
        browser::RegisterBrowserControl();
        shell::TShellProgram program;
        program.CreateForms();
        program.ShowMainWindow();
        shell::TF_Main* main = program.MainWindow();
        soak::TSoakActions actions(main, QString::fromStdString(options.Pages));
        // The action under way, from any thread: the plan is a function of the step alone.
        auto current = [&] {
            const uint64_t n = events.load();
            return std::to_string(n == 0 ? 0 : n - 1) + ": " +
                   (n == 0 ? std::string("(none yet)")
                           : soak::Describe(soak::PlanAction(seed, n - 1)));
        };
        auto hang = [&](milliseconds waited) {
            std::fprintf(stderr,
                         "soak: HANG: the event loop has not answered for %lld ms (seed %llu, "
                         "event %s); stacks follow\n",
                         static_cast<long long>(waited.count()),
                         static_cast<unsigned long long>(seed), current().c_str());
            soak::DumpStacks();
            std::fprintf(stderr, "soak: FAILED (hang), seed %llu\n",
                         static_cast<unsigned long long>(seed));
            std::fflush(stderr);
            test::EndChildren();
            std::_Exit(70);
        };
        auto slow = [&](milliseconds waited) {
            std::fprintf(stderr, "soak: slow: the event loop answered after %lld ms (event %s)\n",
                         static_cast<long long>(waited.count()), current().c_str());
        };
        soak::TWatchdog watchdog(&app, milliseconds(options.HangMs), hang, milliseconds(500),
                                 milliseconds(options.HangMs / 2), slow);

        const auto deadline = started + seconds(options.Seconds);
        auto lastReport = started;
        std::function<void()> finish = [&] {
            // The modules loaded now, for the leak report: some are unloaded before it.
            if (closedByItself && !options.Maps.empty()) {
                std::ifstream in("/proc/self/maps");  // its size reads as 0: copied by reading
                std::ofstream(options.Maps) << in.rdbuf();
            }
            closedByItself = false;
            CloseOneWindow(main);
            QTimer::singleShot(100, &app, finish);
        };
        std::function<void()> tick = [&] {
            const auto now = steady_clock::now();
            if (now >= deadline) {
                QTimer::singleShot(0, &app, finish);
                return;
            }
            // The next step is due even while this one waits in a modal box's loop.
            QTimer::singleShot(options.IntervalMs, &app, tick);
            if (now - lastReport >= seconds(60)) {
                lastReport = now;
                std::printf("soak: %llu events, %lld s, %ld MB resident, longest wait %lld ms\n",
                            static_cast<unsigned long long>(events.load()),
                            static_cast<long long>(duration_cast<seconds>(now - started).count()),
                            RssMegabytes(), static_cast<long long>(watchdog.LongestWait().count()));
                std::fflush(stdout);
            }
            if (events % 100 == 0)
                TrimPrograms();
            const uint64_t step = events.load();
            const soak::TAction action = soak::PlanAction(seed, step);
            if (log) {
                std::fprintf(log, "%llu %s\n", static_cast<unsigned long long>(step),
                             soak::Describe(action).c_str());
                std::fflush(log);
            }
            ++events;
            const QString done = actions.Do(action);
            if (log && !done.isEmpty()) {
                std::fprintf(log, "  %s\n", qPrintable(done));
                std::fflush(log);
            }
        };
        QTimer::singleShot(1000, &app, tick);
        rc = QApplication::exec();
        std::signal(SIGALRM, ShutdownTooLong);
        ::alarm(120);
        if (closedByItself) {
            std::fprintf(stderr, "soak: the shell closed by itself after event %s\n",
                         current().c_str());
            rc = 1;
        }
        std::printf(
            "soak: seed %llu: %llu events in %lld s, longest wait of the event loop "
            "%lld ms\n",
            static_cast<unsigned long long>(seed), static_cast<unsigned long long>(events.load()),
            static_cast<long long>(duration_cast<seconds>(steady_clock::now() - started).count()),
            static_cast<long long>(watchdog.LongestWait().count()));
        std::fflush(stdout);
    }
    // Whatever the shell started and left open ends with the soak.
    const int ended = test::EndChildren();
    std::printf("soak: ended %d program(s) the shell had started\n", ended);
    if (log)
        std::fclose(log);
    ::alarm(0);
    if (rc == 0) {
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    }
    std::printf("soak: %s, seed %llu\n", rc == 0 ? "passed" : "FAILED",
                static_cast<unsigned long long>(seed));
    return rc;
}
