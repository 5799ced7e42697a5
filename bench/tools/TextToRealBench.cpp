// TextToReal on what users type, beside std::strtod on the plain numbers among them,
// in the same run; the ratios are printed after the table.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tools/MessageBoxes.h"
#include "tools/TextToNumber.h"

using namespace tavo::tools;

namespace {

const std::vector<std::string> PlainNumbers = {"12",      "2.5",  "1000.5", "-0.125",
                                               "3.14159", "2E+5", "250",    "0.001"};
const std::vector<std::string> Typed = {"1 000,5", "= 2 + 3", "2*1,5",    "=(10+2)/4",
                                        "-(2+3)",  "2^3*2",   "12,5*1,2", "100/3"};

void BM_Strtod_Plain(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& s : PlainNumbers)
            benchmark::DoNotOptimize(std::strtod(s.c_str(), nullptr));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(PlainNumbers.size()));
}

void BM_TextToReal_Plain(benchmark::State& state)
{
    double value;
    for (auto _ : state)
        for (const std::string& s : PlainNumbers)
            benchmark::DoNotOptimize(TextToReal(s, value));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(PlainNumbers.size()));
}

void BM_TextToReal_Typed(benchmark::State& state)
{
    double value;
    for (auto _ : state)
        for (const std::string& s : Typed)
            benchmark::DoNotOptimize(TextToReal(s, value));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Typed.size()));
}

BENCHMARK(BM_Strtod_Plain);
BENCHMARK(BM_TextToReal_Plain);
BENCHMARK(BM_TextToReal_Typed);

// Keeps each benchmark's CPU time per input (CPU, not wall time: the machine is shared) to
// print the ratios to the baseline.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const auto& inputs =
                run.benchmark_name() == "BM_TextToReal_Typed" ? Typed : PlainNumbers;
            PerInput[run.benchmark_name()] =
                run.GetAdjustedCPUTime() / static_cast<double>(inputs.size());
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> PerInput;
};

}  // namespace

int main(int argc, char** argv)
{
    MessagesEnabled = false;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double base = reporter.PerInput["BM_Strtod_Plain"];
    if (base > 0) {
        for (const char* name : {"BM_TextToReal_Plain", "BM_TextToReal_Typed"})
            if (reporter.PerInput.count(name))
                std::printf("%s: %.1f ns per input, %.1fx std::strtod (%.1f ns)\n", name,
                            reporter.PerInput[name], reporter.PerInput[name] / base, base);
    }
    benchmark::Shutdown();
    return 0;
}
