#include "ChildReaper.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tavo::test {

namespace fs = std::filesystem;

bool BecomeSubreaper()
{
    return ::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
}

namespace {

// Fields of /proc/PID/stat: "pid (comm) state ppid ...", where comm may hold spaces and
// parentheses, so the last ')' ends it.
bool ReadStat(const fs::path& Stat, TChildProcess& Child, pid_t& Parent)
{
    std::ifstream in(Stat);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const auto open = s.find('(');
    const auto close = s.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    Child.Name = s.substr(open + 1, close - open - 1);
    std::istringstream rest(s.substr(close + 1));
    char state = 0;
    rest >> state >> Parent;
    Child.Zombie = state == 'Z';
    return !rest.fail();
}

bool Reap(pid_t Pid)
{
    int status = 0;
    return ::waitpid(Pid, &status, WNOHANG) == Pid;
}

}  // namespace

std::vector<TChildProcess> Children()
{
    std::vector<TChildProcess> children;
    const pid_t self = ::getpid();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        TChildProcess child;
        pid_t parent = 0;
        child.Pid = static_cast<pid_t>(std::stol(name));
        if (ReadStat(entry.path() / "stat", child, parent) && parent == self)
            children.push_back(child);
    }
    return children;
}

int EndChildren(const std::function<bool(const TChildProcess&)>& Which, int Grace)
{
    int ended = 0;
    // Each round ends what is there now; the grandchildren they leave are adopted and met
    // in the next round.
    for (int round = 0; round < 16; ++round) {
        std::vector<pid_t> targets;
        for (const TChildProcess& c : Children()) {
            if (Which && !Which(c))
                continue;
            if (c.Zombie) {
                ended += Reap(c.Pid) ? 1 : 0;
                continue;
            }
            ::kill(c.Pid, SIGTERM);
            targets.push_back(c.Pid);
        }
        if (targets.empty())
            break;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Grace);
        while (!targets.empty()) {
            std::erase_if(targets, [&](pid_t p) {
                if (!Reap(p))
                    return false;
                ++ended;
                return true;
            });
            if (targets.empty() || std::chrono::steady_clock::now() > deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        for (pid_t p : targets) {
            ::kill(p, SIGKILL);
            int status = 0;
            if (::waitpid(p, &status, 0) == p)
                ++ended;
        }
    }
    return ended;
}

}  // namespace tavo::test
