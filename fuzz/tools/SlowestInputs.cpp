// Runs the fuzz target on each file given (or each file in each folder given) and prints
// the slowest ones, each timed as the best of three runs: libFuzzer itself reports times
// only in whole seconds. Every input runs once before the timing starts, so that the
// first touch of the sanitizer allocator's fresh pages is not charged to whichever input
// comes first. Usage: tools_expression_slowest CORPUS... [-n COUNT]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::vector<fs::path> files;
    size_t show = 5;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-n" && i + 1 < argc)
            show = std::strtoul(argv[++i], nullptr, 10);
        else if (fs::is_directory(arg))
            for (const auto& entry : fs::directory_iterator(arg))
                files.push_back(entry.path());
        else
            files.emplace_back(arg);
    }
    std::vector<std::string> inputs;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(inputs.back().data()),
                               inputs.back().size());
    }
    std::vector<std::pair<double, std::string>> times;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string& data = inputs[i];
        const fs::path& file = files[i];
        double best = 1E9;
        for (int run = 0; run < 3; ++run) {
            auto start = std::chrono::steady_clock::now();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.data()), data.size());
            std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
        }
        times.emplace_back(best, file.string());
    }
    std::sort(times.rbegin(), times.rend());
    std::printf("%zu inputs\n", times.size());
    for (size_t i = 0; i < std::min(show, times.size()); ++i)
        std::printf("%8.3f ms  %s\n", times[i].first, times[i].second.c_str());
    return 0;
}
