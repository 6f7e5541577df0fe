#include "bench/BenchSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <chrono>
#include <memory>

namespace BenchSupport {

namespace {
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}
}  // namespace

void silenceQtMessages()
{
    qInstallMessageHandler(dropMessage);
}

int runBenchmarks(int argc, char **argv, bool gui, const std::function<void()> &setUp,
                  const std::function<void()> &tearDown)
{
    // Qt takes its own options out of argv before Google Benchmark sees it.
    std::unique_ptr<QCoreApplication> app;
    if (gui)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (tearDown)
        tearDown();
    return 0;
}

std::string binaryDir()
{
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string scratchDir(const std::string &name)
{
    // Beside the build tree (build-*/bench-work): a real disk, not tmpfs,
    // as the copy figures need.
    QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-work/") + QString::fromStdString(name));
    dir.removeRecursively();
    QDir().mkpath(dir.absolutePath());
    return dir.absolutePath().toStdString();
}

void withMin(benchmark::internal::Benchmark *b)
{
    b->ComputeStatistics("min", [](const std::vector<double> &v) {
        return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
    });
}

Percentiles percentiles(std::vector<double> &samples)
{
    Percentiles result;
    if (samples.empty())
        return result;
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        const size_t i = std::min(samples.size() - 1, static_cast<size_t>(q * double(samples.size() - 1) + 0.5));
        return samples[i];
    };
    result.median = at(0.5);
    result.p99 = at(0.99);
    result.max = samples.back();
    return result;
}

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace BenchSupport
