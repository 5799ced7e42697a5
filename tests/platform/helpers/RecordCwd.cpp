// A program for the tests: records the folder it was started in, and its arguments, in
// "started.txt" beside its own executable, then exits.
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    std::ofstream out(self.parent_path() / "started.txt.tmp");
    out << fs::current_path(ec).string() << "\n";
    for (int i = 1; i < argc; ++i)
        out << argv[i] << "\n";
    out.close();
    fs::rename(self.parent_path() / "started.txt.tmp", self.parent_path() / "started.txt", ec);
    return 0;
}
