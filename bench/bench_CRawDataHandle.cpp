// Receive-path throughput: one chunk of N lines cut into sentences and
// queued. items_per_second is sentences per second; it stays flat from 1k to
// 100k lines because the cut is linear in the chunk size. The direct strstr
// search (SplitReference) is measured alongside for contrast.
#include "comm/CRawDataHandle.h"
#include "tests/comm/SplitReference.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <string>

namespace {
std::string chunkOf(int lines, const char *end)
{
    std::string chunk;
    for (int i = 0; i < lines; ++i)
        chunk += "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D," + std::to_string(i % 10) + "*23" + end;
    return chunk;
}

void appendSentences(benchmark::State &state, const char *end)
{
    const int lines = int(state.range(0));
    const QByteArray chunk = QByteArray::fromStdString(chunkOf(lines, end));
    COMM::CRawDataHandle handle;
    for (auto _ : state) {
        handle.appendToSentQ(chunk);
        state.PauseTiming();
        handle.clearSentQ();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * chunk.size());
}

void BM_SentQ_LfLines(benchmark::State &state) { appendSentences(state, "\n"); }
void BM_SentQ_CrLfLines(benchmark::State &state) { appendSentences(state, "\r\n"); }

void BM_DirectSearch_LfLines(benchmark::State &state)
{
    const int lines = int(state.range(0));
    const std::string chunk = chunkOf(lines, "\n");
    for (auto _ : state) {
        SplitReference ref;
        benchmark::DoNotOptimize(ref.split(chunk));
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
}  // namespace

BENCHMARK(BM_SentQ_LfLines)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SentQ_CrLfLines)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectSearch_LfLines)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
