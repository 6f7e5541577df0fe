// Logger: sysLog calls per second with "logger.log" off and on, Base64
// encoding on and off, from one and from two threads; and the cost of one
// call on the GUI thread (median, 99th percentile), alone and while the
// communication thread logs as well. The echo to Qt's debug output goes
// nowhere (its destination is the platform's).
#include "bench/BenchSupport.h"
#include "log/SysDebug.h"
#include "log/SysLog.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {
struct Config {
    bool file;
    bool encoding;
};

// One running logger per configuration, each in a folder of its own: the
// file is "logger.log" in the working directory.
class Loggers {
public:
    static Loggers &instance()
    {
        static Loggers loggers;
        return loggers;
    }

    SysDebug *use(const Config &config)
    {
        const int key = (config.file ? 2 : 0) + (config.encoding ? 1 : 0);
        Entry &entry = m_oEntries[key];
        if (!entry.logger) {
            entry.dir = BenchSupport::scratchDir("syslog-" + std::to_string(key));
            QFile profile(QString::fromStdString(entry.dir + "/profile.ini"));
            profile.open(QIODevice::WriteOnly);
            profile.write("[Sys_Debug]\n");
            profile.write(config.file ? "LogTag=record\n" : "LogTag=\n");
            profile.write(config.encoding ? "EncryptionEnable=true\n" : "EncryptionEnable=false\n");
            profile.close();
            QDir::setCurrent(QString::fromStdString(entry.dir));
            entry.logger = std::make_unique<SysDebug>();
            entry.logger->start(QString::fromStdString(entry.dir + "/"),
                                QString::fromStdString(entry.dir + "/profile.ini"));
        }
        QDir::setCurrent(QString::fromStdString(entry.dir));
        return entry.logger.get();
    }

private:
    struct Entry {
        std::string dir;
        std::unique_ptr<SysDebug> logger;
    };
    std::map<int, Entry> m_oEntries;
};

const char *const kPath = "/media/operator/AIS B CS/";

inline void logOne(SysDebug *logger, const char *threadText, int64_t i)
{
    sysLog(logger, SysLevel::Info, "CMSDManipulate::findDev", threadText, "MSD path = %s (%lld)", kPath,
           static_cast<long long>(i));
}

// Calls per second; with two threads each thread logs on its own.
void BM_SysLog(benchmark::State &state, Config config)
{
    static SysDebug *logger = nullptr;
    if (state.thread_index() == 0)
        logger = Loggers::instance().use(config);
    const std::string threadText = std::to_string(state.thread_index() + 1);
    int64_t i = 0;
    for (auto _ : state)
        logOne(logger, threadText.c_str(), ++i);
    state.SetItemsProcessed(state.iterations());
}

// One call at a time on the GUI thread, timed one by one.
void BM_SysLogGuiCall(benchmark::State &state, Config config, bool busyCommThread)
{
    SysDebug *logger = Loggers::instance().use(config);
    std::atomic<bool> stop{false};
    std::thread comm;
    if (busyCommThread) {
        comm = std::thread([&] {
            int64_t i = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                logOne(logger, "2", ++i);
                // A busy channel logs often, but not back to back.
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
        });
    }
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(state.max_iterations));
    int64_t i = 0;
    for (auto _ : state) {
        const int64_t t0 = BenchSupport::nowNs();
        logOne(logger, "1", ++i);
        samples.push_back(static_cast<double>(BenchSupport::nowNs() - t0) / 1000.0);
    }
    stop = true;
    if (comm.joinable())
        comm.join();
    const BenchSupport::Percentiles p = BenchSupport::percentiles(samples);
    state.counters["median_us"] = p.median;
    state.counters["p99_us"] = p.p99;
    state.counters["max_us"] = p.max;
    state.SetItemsProcessed(state.iterations());
}

constexpr Config kFileOffEncOn{false, true};
constexpr Config kFileOffEncOff{false, false};
constexpr Config kFileOnEncOn{true, true};
constexpr Config kFileOnEncOff{true, false};
constexpr int kGuiCalls = 20000;
}  // namespace

BENCHMARK_CAPTURE(BM_SysLog, FileOff_EncOn, kFileOffEncOn)->Threads(1)->Threads(2)->UseRealTime()->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_SysLog, FileOff_EncOff, kFileOffEncOff)->Threads(1)->Threads(2)->UseRealTime()->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_SysLog, FileOn_EncOn, kFileOnEncOn)->Threads(1)->Threads(2)->UseRealTime()->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_SysLog, FileOn_EncOff, kFileOnEncOff)->Threads(1)->Threads(2)->UseRealTime()->Apply(BenchSupport::withMin);

BENCHMARK_CAPTURE(BM_SysLogGuiCall, FileOff, kFileOffEncOn, false)->Iterations(kGuiCalls)->UseRealTime()->Unit(benchmark::kMicrosecond)->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_SysLogGuiCall, FileOn, kFileOnEncOn, false)->Iterations(kGuiCalls)->UseRealTime()->Unit(benchmark::kMicrosecond)->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_SysLogGuiCall, FileOn_CommThreadLogging, kFileOnEncOn, true)->Iterations(kGuiCalls)->UseRealTime()->Unit(benchmark::kMicrosecond)->Apply(BenchSupport::withMin);

int main(int argc, char **argv)
{
    BenchSupport::silenceQtMessages();
    return BenchSupport::runBenchmarks(argc, argv, false);
}
