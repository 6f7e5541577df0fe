#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Shared pieces of the benchmark programs.
namespace BenchSupport {

// Qt's debug output is the logger's echo; its destination is the platform's
// (a debugger on Windows). The benchmarks send it nowhere so that they time
// the program, not a terminal.
void silenceQtMessages();

// Runs Google Benchmark with a Qt application object of the kind `gui`
// selects (QApplication when true), alive for the whole run.
// `setUp` runs once the application object exists, `tearDown` before it goes.
int runBenchmarks(int argc, char **argv, bool gui, const std::function<void()> &setUp = {},
                  const std::function<void()> &tearDown = {});

// Directory of the running benchmark binary.
std::string binaryDir();

// Fresh, empty scratch directory below build-*/bench-work/<name>.
std::string scratchDir(const std::string &name);

// Adds a "min" statistic to the repetitions: on a shared machine the least
// time of several runs is the best estimate of the code's own cost.
// Use as ->Apply(BenchSupport::withMin).
void withMin(benchmark::internal::Benchmark *b);

// Median and 99th percentile of samples (sorted in place).
struct Percentiles {
    double median = 0;
    double p99 = 0;
    double max = 0;
};
Percentiles percentiles(std::vector<double> &samples);

// Monotonic nanoseconds.
int64_t nowNs();

}  // namespace BenchSupport

// BENCHMARK_MAIN with a Qt application object around the run.
#define AIS_BENCH_MAIN(gui)                                              \
    int main(int argc, char **argv)                                      \
    {                                                                    \
        return BenchSupport::runBenchmarks(argc, argv, gui);             \
    }
