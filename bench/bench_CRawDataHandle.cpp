// Receive path of a sentence channel: the bytes a transponder sends, handed to
// dataReceived chunk by chunk as the serial port reads them, cut into lines,
// queued, announced and taken out again with getSentence by a directly
// connected consumer (as the identification check does). Baseline in the same
// run: a plain memchr line splitter into a std::vector<std::string> over the
// same chunks.
//
// Figures: ns per byte (cpu_time / bytes) for 64 B, 4 KiB and 1 MiB chunks,
// and ns per line for one chunk of 1 000 and of 100 000 lines.
#include "bench/BenchSupport.h"
#include "bench/NmeaStream.h"
#include "comm/CServiceComm.h"

#include <QByteArray>

#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr size_t kStreamBytes = 4u << 20;

// The channel base with nothing behind it: bytes come in through dataReceived.
class BenchChannel : public COMM::CServiceComm {
public:
    BenchChannel() : CServiceComm(DevInfo(), KindSentence) { setCommType(1); }
    void getConfig(CommConfig &out) const override { out = CommConfig(); }
};

// Takes every announced sentence out, as CDeviceComm::onCommRxSent does.
struct Consumer {
    size_t lines = 0;
    size_t bytes = 0;

    void attach(BenchChannel &channel)
    {
        QObject::connect(
            &channel, &COMM::CServiceComm::signalRxSentence, &channel,
            [this](void *sender, char) {
                auto *channel = static_cast<COMM::CServiceComm *>(sender);
                std::string line;
                while (channel->rawHandle()->getSentence(line)) {
                    ++lines;
                    bytes += line.size();
                }
            },
            Qt::DirectConnection);
    }
};

// The baseline: lines end at LF, the unterminated tail waits for the next chunk.
struct PlainSplitter {
    std::string tail;
    std::vector<std::string> lines;

    void feed(const char *p, size_t n)
    {
        const char *const end = p + n;
        while (p < end) {
            const char *nl = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (nl == nullptr) {
                tail.append(p, static_cast<size_t>(end - p));
                return;
            }
            ++nl;
            if (tail.empty()) {
                lines.emplace_back(p, static_cast<size_t>(nl - p));
            } else {
                tail.append(p, static_cast<size_t>(nl - p));
                lines.push_back(std::move(tail));
                tail.clear();
            }
            p = nl;
        }
    }
};

const std::string &stream()
{
    static const std::string bytes = NmeaStream::ofSize(kStreamBytes);
    return bytes;
}

std::vector<QByteArray> chunksOf(const std::string &bytes, size_t size)
{
    std::vector<QByteArray> chunks;
    for (size_t at = 0; at < bytes.size(); at += size)
        chunks.emplace_back(bytes.data() + at, static_cast<int>(std::min(size, bytes.size() - at)));
    return chunks;
}

void BM_Receive_Product(benchmark::State &state)
{
    const std::vector<QByteArray> chunks = chunksOf(stream(), static_cast<size_t>(state.range(0)));
    BenchChannel channel;
    Consumer consumer;
    consumer.attach(channel);
    for (auto _ : state) {
        for (const QByteArray &chunk : chunks)
            channel.dataReceived(chunk, false);
    }
    benchmark::DoNotOptimize(consumer.bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream().size()));
    state.counters["bytes"] = static_cast<double>(stream().size());
    state.counters["lines"] = static_cast<double>(consumer.lines) / static_cast<double>(state.iterations());
}

void BM_Receive_Baseline(benchmark::State &state)
{
    const std::vector<QByteArray> chunks = chunksOf(stream(), static_cast<size_t>(state.range(0)));
    PlainSplitter splitter;
    size_t lines = 0, bytes = 0;
    for (auto _ : state) {
        for (const QByteArray &chunk : chunks) {
            splitter.feed(chunk.constData(), static_cast<size_t>(chunk.size()));
            for (const std::string &line : splitter.lines) {
                ++lines;
                bytes += line.size();
            }
            splitter.lines.clear();
        }
    }
    benchmark::DoNotOptimize(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream().size()));
    state.counters["bytes"] = static_cast<double>(stream().size());
    state.counters["lines"] = static_cast<double>(lines) / static_cast<double>(state.iterations());
}

// One chunk of N whole lines: the per-line cost must not grow with N.
void BM_ReceiveLines_Product(benchmark::State &state)
{
    const size_t lines = static_cast<size_t>(state.range(0));
    const QByteArray chunk = QByteArray::fromStdString(NmeaStream::ofLines(lines));
    BenchChannel channel;
    Consumer consumer;
    consumer.attach(channel);
    for (auto _ : state)
        channel.dataReceived(chunk, false);
    if (consumer.lines != lines * state.iterations())
        state.SkipWithError("lines lost");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["bytes"] = static_cast<double>(chunk.size());
}

void BM_ReceiveLines_Baseline(benchmark::State &state)
{
    const size_t lines = static_cast<size_t>(state.range(0));
    const std::string chunk = NmeaStream::ofLines(lines);
    PlainSplitter splitter;
    size_t bytes = 0;
    for (auto _ : state) {
        splitter.feed(chunk.data(), chunk.size());
        for (const std::string &line : splitter.lines)
            bytes += line.size();
        splitter.lines.clear();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["bytes"] = static_cast<double>(chunk.size());
}
}  // namespace

// Single-threaded and CPU-bound: CPU time, so that other work on the machine
// does not count.
BENCHMARK(BM_Receive_Product)->Arg(64)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Receive_Baseline)->Arg(64)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);
BENCHMARK(BM_ReceiveLines_Product)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Apply(BenchSupport::withMin);
BENCHMARK(BM_ReceiveLines_Baseline)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Apply(BenchSupport::withMin);

int main(int argc, char **argv)
{
    BenchSupport::silenceQtMessages();
    return BenchSupport::runBenchmarks(argc, argv, false);
}
