// The per-user hive survives writers killed at any moment and writers racing each other.
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestEnvironment.h"
#include "platform/Folders.h"
#include "platform/RegistryHive.h"

extern char** environ;

using namespace tavo::platform;
namespace fs = std::filesystem;

namespace {

struct TWriter {
    pid_t Pid = -1;
    int Out = -1;
    std::string Pending;
    int Acknowledged = 0;  // writes the writer reported as returned
};

TWriter StartWriter(const std::string& Prefix, int Count)
{
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string count = std::to_string(Count);
    char* argv[] = {const_cast<char*>(SETTINGS_WRITER), const_cast<char*>(Prefix.c_str()),
                    count.data(), nullptr};
    TWriter writer;
    EXPECT_EQ(posix_spawn(&writer.Pid, SETTINGS_WRITER, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    writer.Out = fds[0];
    return writer;
}

// Reads what the writer reported; false at its end of output.
bool ReadAcks(TWriter& Writer, int TimeoutMs)
{
    pollfd pfd{Writer.Out, POLLIN, 0};
    if (::poll(&pfd, 1, TimeoutMs) <= 0)
        return true;
    char buf[512];
    ssize_t n = ::read(Writer.Out, buf, sizeof buf);
    if (n <= 0)
        return false;
    Writer.Pending.append(buf, static_cast<size_t>(n));
    for (size_t nl; (nl = Writer.Pending.find('\n')) != std::string::npos;) {
        Writer.Acknowledged = std::stoi(Writer.Pending.substr(0, nl)) + 1;
        Writer.Pending.erase(0, nl + 1);
    }
    return true;
}

int Finish(TWriter& Writer)
{
    int status = 0;
    ::waitpid(Writer.Pid, &status, 0);
    ::close(Writer.Out);
    return status;
}

// The hive as a fresh reader sees it; fails the test when it does not parse.
HiveData ReadHive()
{
    const std::string text = tavo::test::ReadFile(UserHivePath());
    std::optional<HiveData> data = ParseHive(text, "HKEY_CURRENT_USER");
    EXPECT_TRUE(data.has_value()) << text.substr(0, 200);
    return data.value_or(HiveData());
}

bool Holds(const HiveData& Data, const std::string& Name, uint32_t Value)
{
    const HiveKey* key = Data.FindKey("Software\\TerVik\\SETUP_1_0\\Writes");
    const HiveValue* value = key ? key->FindValue(Name) : nullptr;
    return value && value->Type == REG_DWORD && value->Data.size() == 4 &&
           std::memcmp(value->Data.data(), &Value, 4) == 0;
}

TEST(SettingsCrash, AWriterKilledAtAnyMomentLosesNothingItAcknowledged)
{
    std::mt19937 random(20261209);
    int total = 0;
    for (int round = 0; total < 1000; ++round) {
        const std::string prefix = "r" + std::to_string(round) + "_";
        TWriter writer = StartWriter(prefix, 100000);
        const int killAfter = std::uniform_int_distribution<int>(1, 80)(random);
        while (writer.Acknowledged < killAfter && ReadAcks(writer, 1000)) {
        }
        // Somewhere inside the next write.
        ::usleep(std::uniform_int_distribution<int>(0, 3000)(random));
        ::kill(writer.Pid, SIGKILL);
        while (ReadAcks(writer, 1000)) {
        }
        Finish(writer);
        const HiveData data = ReadHive();
        for (int i = 0; i < writer.Acknowledged; ++i)
            ASSERT_TRUE(Holds(data, prefix + std::to_string(i), static_cast<uint32_t>(i)))
                << "round " << round << " lost " << prefix << i;
        total += writer.Acknowledged;
    }
    // Temporary files of killed writers are cleared by the next write.
    TWriter last = StartWriter("last", 1);
    while (ReadAcks(last, 1000)) {
    }
    EXPECT_EQ(Finish(last), 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(UserHivePath().parent_path()))
        files += entry.path().filename().string().rfind("user.reg.", 0) == 0 &&
                 entry.path().extension() != ".lock";
    EXPECT_EQ(files, 0);
}

TEST(SettingsCrash, TwoWritersAtOnceLoseNoValue)
{
    TWriter a = StartWriter("a", 1000);
    TWriter b = StartWriter("b", 1000);
    bool aOpen = true, bOpen = true;
    while (aOpen || bOpen) {
        if (aOpen)
            aOpen = ReadAcks(a, 10);
        if (bOpen)
            bOpen = ReadAcks(b, 10);
    }
    EXPECT_EQ(Finish(a), 0);
    EXPECT_EQ(Finish(b), 0);
    EXPECT_EQ(a.Acknowledged, 1000);
    EXPECT_EQ(b.Acknowledged, 1000);
    const HiveData data = ReadHive();
    int found = 0;
    for (int i = 0; i < 1000; ++i)
        found += Holds(data, "a" + std::to_string(i), i) + Holds(data, "b" + std::to_string(i), i);
    EXPECT_EQ(found, 2000);
}

}  // namespace
