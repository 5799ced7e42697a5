#pragma once
// Programs a test or the soak starts through the shell are started detached: their first
// parent exits at once and they would live on as orphans of init. A process that is a
// subreaper adopts them instead, so it can find and end them when it is done.
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tavo::test {

struct TChildProcess {
    pid_t Pid = 0;
    std::string Name;  // the kernel's short name: the executable's (or script's) file name
    bool Zombie = false;
};

// Makes this process adopt the orphans among its descendants; false when the kernel refuses.
bool BecomeSubreaper();

// This process's children, adopted ones included, read from /proc.
std::vector<TChildProcess> Children();

// Ends the children that Which accepts (all when Which is empty): SIGTERM, then SIGKILL to
// those still there after Grace milliseconds, reaping each. Their own children, adopted as
// they die, are ended too. Returns how many processes were ended or reaped.
int EndChildren(const std::function<bool(const TChildProcess&)>& Which = {}, int Grace = 2000);

}  // namespace tavo::test
