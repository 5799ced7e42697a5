#include "TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace tavo::test {

namespace fs = std::filesystem;

namespace {

fs::path& Current()
{
    static fs::path current;
    return current;
}

class PerTestFolders : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        std::string tmpl = (fs::temp_directory_path() / "tavo-test-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        Current() = tmpl;
        fs::path home = Current() / "home";
        fs::create_directories(home);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / ".local" / "share").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
        ::setenv("TAVO_WINDOWS_DIR", (Current() / "windows").c_str(), 1);
        ::setenv("TAVO_MACHINE_HIVE", (Current() / "machine" / "machine.reg").c_str(), 1);
        ::setenv("TAVO_INSTALL_DIR", (Current() / "installed").c_str(), 1);
        ::setenv("TAVO_INSTALL_QUIET", "1", 1);
    }
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        if (std::getenv("TAVO_KEEP_TEST_FOLDERS") == nullptr || info.result()->Passed()) {
            std::error_code ec;
            fs::remove_all(Current(), ec);
        }
    }
};

}  // namespace

fs::path TestFolder()
{
    return Current();
}

void InstallTestEnvironment()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestFolders);
}

fs::path WriteFile(const fs::path& Path, const std::string& Text)
{
    fs::create_directories(Path.parent_path());
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out << Text;
    return Path;
}

std::string ReadFile(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path BinFolder()
{
    if (const char* bin = std::getenv("TAVO_TEST_BIN"))
        return bin;
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

}  // namespace tavo::test
