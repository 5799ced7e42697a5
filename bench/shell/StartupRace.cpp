// What users see, process by process, under X: the time from starting the shell until its
// splash is mapped, against a bare window showing a line of text, and until its main window
// is mapped, against a bare main window with the same three tabs and a line of text; and the
// first visit to "Internet" until the home page has loaded, against a bare web view
// program loading the same local page. The programs run alternately, each N times (9 by
// default, first argument), and the medians are compared. Without a display the race
// runs itself again under xvfb-run. The disc's shell on its own libraries races the same
// binary on the system's.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

long long NowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

struct TChild {
    pid_t Pid = -1;
    int Out = -1;  // its standard output
};

TChild Spawn(const std::vector<std::string>& Args, const std::vector<std::string>& Env)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv, envp;
    for (const auto& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : Env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    TChild child;
    if (posix_spawn(&child.Pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        child.Pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.Out = pipeFds[0];
    return child;
}

void Stop(TChild& Child)
{
    if (Child.Pid > 0) {
        ::kill(Child.Pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(Child.Pid, nullptr, WNOHANG) == Child.Pid) {
                Child.Pid = -1;
                break;
            }
            ::usleep(10000);
        }
        if (Child.Pid > 0) {
            ::kill(Child.Pid, SIGKILL);
            ::waitpid(Child.Pid, nullptr, 0);
        }
    }
    if (Child.Out >= 0)
        ::close(Child.Out);
    Child = {};
}

std::string WindowTitle(xcb_connection_t* C, xcb_window_t W)
{
    auto cookie = xcb_get_property(C, 0, W, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(C, cookie, nullptr);
    std::string title;
    if (reply) {
        title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     xcb_get_property_value_length(reply));
        free(reply);
    }
    return title;
}

struct TMapTimes {
    std::optional<double> First;   // the first window mapped, whatever it is
    std::optional<double> Titled;  // the window with the title asked for
};

// Starts the program and waits until a top-level window with Title is mapped; the times in
// milliseconds of that and of the first window it mapped, or nothing after 30 s.
TMapTimes TimesToWindow(xcb_connection_t* C, const std::vector<std::string>& Args,
                        const std::vector<std::string>& Env, const std::string& Title)
{
    while (xcb_generic_event_t* old = xcb_poll_for_event(C))
        free(old);
    const long long start = NowNs();
    TChild child = Spawn(Args, Env);
    TMapTimes result;
    pollfd pfd{xcb_get_file_descriptor(C), POLLIN, 0};
    while (!result.Titled && NowNs() - start < 30'000'000'000LL) {
        ::poll(&pfd, 1, 100);
        while (xcb_generic_event_t* ev = xcb_poll_for_event(C)) {
            if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                auto* map = reinterpret_cast<xcb_map_notify_event_t*>(ev);
                const double ms = (NowNs() - start) / 1e6;
                if (!result.First)
                    result.First = ms;
                if (!result.Titled && WindowTitle(C, map->window) == Title)
                    result.Titled = ms;
            }
            free(ev);
        }
    }
    Stop(child);
    return result;
}

std::optional<double> TimeToWindow(xcb_connection_t* C, const std::vector<std::string>& Args,
                                   const std::vector<std::string>& Env, const std::string& Title)
{
    return TimesToWindow(C, Args, Env, Title).Titled;
}

// The first line the child writes, without its end; empty when it writes none in Seconds.
std::string FirstLine(const TChild& Child, int Seconds)
{
    std::string out;
    const long long start = NowNs();
    pollfd pfd{Child.Out, POLLIN, 0};
    while (out.find('\n') == std::string::npos && NowNs() - start < Seconds * 1'000'000'000LL) {
        if (::poll(&pfd, 1, 200) > 0) {
            char buf[512];
            const ssize_t n = ::read(Child.Out, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<size_t>(n));
        }
    }
    const size_t end = out.find('\n');
    return end == std::string::npos ? std::string() : out.substr(0, end);
}

// Starts the program with TAVO_BENCH_T0 set to now and reads the "shown MS" it prints.
std::optional<double> ReportedTime(const std::vector<std::string>& Args,
                                   std::vector<std::string> Env)
{
    Env.push_back("TAVO_BENCH_T0=" + std::to_string(NowNs()));
    TChild child = Spawn(Args, Env);
    const std::string line = FirstLine(child, 60);
    Stop(child);
    double ms = 0;
    char word[16] = {};
    if (std::sscanf(line.c_str(), "%15s %lf", word, &ms) == 2 && std::strcmp(word, "shown") == 0)
        return ms;
    return std::nullopt;
}

double Median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    const size_t n = V.size();
    return n == 0 ? 0 : (n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2);
}

struct TRace {
    std::string Name, BaselineName;
    std::vector<double> Subject, Baseline;
};

void Report(const TRace& Race, double Target)
{
    const double s = Median(Race.Subject), b = Median(Race.Baseline);
    std::printf("%-44s %9.1f ms  (median of %zu)\n", Race.Name.c_str(), s, Race.Subject.size());
    std::printf("%-44s %9.1f ms  (median of %zu)\n", Race.BaselineName.c_str(), b,
                Race.Baseline.size());
    if (s > 0 && b > 0)
        std::printf("%-44s %9.2fx  (target at most %.2fx)\n\n", "ratio", s / b, Target);
}

std::vector<std::string> Environment(const fs::path& Home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("QT_QPA_PLATFORM=", 0) == 0 || v.rfind("HOME=", 0) == 0 ||
            v.rfind("XDG_", 0) == 0 || v.rfind("TAVO_", 0) == 0 ||
            v.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0)
            continue;
        env.push_back(v);
    }
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("HOME=" + Home.string());
    env.push_back("XDG_CONFIG_HOME=" + (Home / ".config").string());
    env.push_back("XDG_DATA_HOME=" + (Home / ".local/share").string());
    env.push_back("XDG_CACHE_HOME=" + (Home / ".cache").string());
    env.push_back("XDG_RUNTIME_DIR=" + (Home / "run").string());
    env.push_back("TAVO_MACHINE_HIVE=" + (Home / "machine.reg").string());
    // The probe lies outside the disc: it finds the components where the shell's are.
    env.push_back(std::string("TAVO_PLUGIN_PATH=") + TAVO_PLUGIN_DIR);
    // Xvfb has no GPU.
    if (!std::getenv("QTWEBENGINE_CHROMIUM_FLAGS"))
        env.push_back("QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu");
    return env;
}

// A desktop's session bus, as every desktop session has one: without it each program's
// accessibility bridge has the bus library start a helper to look for one, and the start
// measured is that of a machine nobody uses. Its address, or nothing when there is no
// dbus-daemon; Stop ends it.
std::optional<std::string> StartSessionBus(const std::vector<std::string>& Env, TChild& Daemon)
{
    const char* daemon = "/usr/bin/dbus-daemon";
    if (::access(daemon, X_OK) != 0)
        return std::nullopt;
    // Services it starts on demand see the session's environment, as on a desktop.
    Daemon = Spawn({daemon, "--session", "--nofork", "--print-address=1"}, Env);
    std::string address = FirstLine(Daemon, 10);
    if (address.empty()) {
        Stop(Daemon);
        return std::nullopt;
    }
    return address;
}

struct TStartRaces {
    TRace Splash{
        "shell: start until the splash is shown", "bare window with a line of text", {}, {}};
    TRace Start{"shell: start until main window shown",
                "bare main window, three tabs and a line of text",
                {},
                {}};
    std::vector<double> Bare, WithText;  // for reference
};

// The shell and the bare windows in turns, Runs times.
void RaceStart(xcb_connection_t* C, const std::vector<std::string>& Env, int Runs,
               TStartRaces& Races)
{
    // One of each first, not counted: the file system cache is warm for both.
    TimeToWindow(C, {TAVO_SHELL}, Env, "Computer program Tavo C.H.");
    TimeToWindow(C, {TAVO_BARE_WINDOW}, Env, "Bare main window");
    for (int i = 0; i < Runs; ++i) {
        if (auto t = TimeToWindow(C, {TAVO_BARE_WINDOW, "--line"}, Env, "Bare window"))
            Races.Splash.Baseline.push_back(*t);
        if (auto t = TimeToWindow(C, {TAVO_BARE_WINDOW, "--tabs"}, Env, "Bare main window"))
            Races.Start.Baseline.push_back(*t);
        const TMapTimes shell = TimesToWindow(C, {TAVO_SHELL}, Env, "Computer program Tavo C.H.");
        if (shell.Titled) {
            Races.Start.Subject.push_back(*shell.Titled);
            if (shell.First)
                Races.Splash.Subject.push_back(*shell.First);
        }
        if (auto t = TimeToWindow(C, {TAVO_BARE_WINDOW}, Env, "Bare main window"))
            Races.Bare.push_back(*t);
        if (auto t = TimeToWindow(C, {TAVO_BARE_WINDOW, "--text"}, Env, "Bare main window"))
            Races.WithText.push_back(*t);
    }
}

void ReportStart(const TStartRaces& Races)
{
    Report(Races.Splash, 1.0);
    Report(Races.Start, 1.15);
    std::printf("%-44s %9.1f ms  (median of %zu; for reference)\n",
                "bare Qt main window, nothing in it", Median(Races.Bare), Races.Bare.size());
    std::printf("%-44s %9.1f ms  (median of %zu; for reference)\n\n",
                "bare Qt main window showing a line of text", Median(Races.WithText),
                Races.WithText.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY")) {
        // Again under a virtual X server of its own.
        std::vector<char*> args{const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                                const_cast<char*>("-s"),
                                const_cast<char*>("-screen 0 1280x800x24")};
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        ::execvp("xvfb-run", args.data());
        std::perror("xvfb-run");
        return 1;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    // "--start-only": the start-up races alone, without the browser's.
    const bool startOnly = argc > 2 && std::strcmp(argv[2], "--start-only") == 0;
    const fs::path home = fs::temp_directory_path() / ("tavo-race-" + std::to_string(::getpid()));
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all);
    const auto env = Environment(home);
    const fs::path page = home / "home.html";
    std::ofstream(page) << "<!doctype html><title>Home</title><h1>Tavo C.H. 3.2</h1>"
                           "<p>The distributor's home page, served from the disc.</p>\n";
    const std::string url = "file://" + page.string();

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    TRace browser{
        "shell: first Internet visit until page loaded", "bare web view loading the page", {}, {}};
    // The same visit as soon as the window shows, while the browser is being prepared.
    TRace atOnce{
        "shell: visit while the browser is prepared", "bare web view loading the page", {}, {}};
    // On a desktop, with its session bus; for reference on a machine without one.
    TChild daemon;
    const std::optional<std::string> bus = StartSessionBus(env, daemon);
    auto desktopEnv = env;
    if (bus)
        desktopEnv.push_back("DBUS_SESSION_BUS_ADDRESS=" + *bus);
    else
        std::fprintf(stderr, "no dbus-daemon: the start-up race runs without a session bus\n");
    TStartRaces desktop, noBus;
    RaceStart(c, desktopEnv, runs, desktop);
    if (bus)
        RaceStart(c, env, runs, noBus);
#ifdef TAVO_SYSTEM_SHELL
    // The disc's own libraries against the system's: the same binary, started alternately.
    TRace runtime{
        "shell on the disc's own libraries", "same shell on the system's libraries", {}, {}};
    TimeToWindow(c, {TAVO_SYSTEM_SHELL}, desktopEnv, "Computer program Tavo C.H.");
    // Each goes first every other time: neither always follows the other's exit.
    for (int i = 0; i < 2 * runs && !startOnly; ++i) {
        const bool disc = (i % 4 == 1 || i % 4 == 2);
        if (auto t = TimeToWindow(c, {disc ? TAVO_SHELL : TAVO_SYSTEM_SHELL}, desktopEnv,
                                  "Computer program Tavo C.H."))
            (disc ? runtime.Subject : runtime.Baseline).push_back(*t);
    }
#endif
    if (!startOnly) {
        ReportedTime({TAVO_BARE_WEBVIEW, url}, desktopEnv);
        ReportedTime({TAVO_INTERNET_PROBE, url}, desktopEnv);
    }
    for (int i = 0; i < runs && !startOnly; ++i) {
        if (auto t = ReportedTime({TAVO_BARE_WEBVIEW, url}, desktopEnv))
            browser.Baseline.push_back(*t);
        if (auto t = ReportedTime({TAVO_INTERNET_PROBE, url}, desktopEnv))
            browser.Subject.push_back(*t);
        if (auto t = ReportedTime({TAVO_INTERNET_PROBE, url, "--at-once"}, desktopEnv))
            atOnce.Subject.push_back(*t);
    }
    atOnce.Baseline = browser.Baseline;
    Stop(daemon);
    xcb_disconnect(c);
    std::error_code ec;
    fs::remove_all(home, ec);

    std::printf(bus ? "== start-up on a desktop with its session bus\n\n"
                    : "== start-up without a session bus\n\n");
    ReportStart(desktop);
    if (bus) {
        std::printf("== the same without a session bus, for reference\n\n");
        ReportStart(noBus);
    }
    if (!startOnly) {
        Report(browser, 1.2);
        Report(atOnce, 1.2);
    }
#ifdef TAVO_SYSTEM_SHELL
    if (!startOnly)
        Report(runtime, 1.1);
#endif
    return desktop.Start.Subject.empty() || desktop.Start.Baseline.empty() ||
                   desktop.Splash.Subject.empty()
               ? 1
               : 0;
}
