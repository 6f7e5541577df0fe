// A whole upgrade through the real main window against the simulated
// transponder (fake USB serial port) and its simulated bootloader volume:
// Start to the device information page, and Next to the success page,
// against the least time the device contract and the design allow.
//
// The floor of Start -> information page: the wait for the communication
// space's one-second tick that opens the port (measured: the port is opened
// on that tick), the wait for the channel's 100 ms transmit tick that sends
// the query (from the tick grid), and the device's answer delay.
// The floor of Next -> success page: the volume search ticks (the first one
// 1 s after Next; a later one only if the volume appeared after it), the
// 200 ms pause after the volume was found, and the copy of the image at the
// simulated volume's speed (the same bytes written and flushed to the same
// folder in the same run).
// Everything beyond that is the program's overhead. Runs under the fake USB
// ports: bench/run-bench_upgrade.sh in the build tree sets LD_PRELOAD.
#include "app/AppConstants.h"
#include "app/MainWindow.h"
#include "bench/BenchSupport.h"
#include "device/CCommSpacesManage.h"
#include "log/AppPaths.h"
#include "log/SysDebug.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "transfer/CMSDManipulate.h"
#include "ui/LibraryFont.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {
const char *const kOldVersion = "V1.2.0.00-A";
const char *const kNewVersion = "V1.3.0.01-A";
const char *const kImageName = "App_470.Sbin";
constexpr int kImageBytes = 512 * 1024;
constexpr int kAnswerDelayMs = 20;
constexpr int kBootloaderDelayMs = 300;
constexpr double kCommTickMs = 1000;
constexpr double kTxTickMs = 100;
constexpr double kFindTickMs = 1000;
constexpr double kFoundPauseMs = 200;

// Every log line, stamped when it is written (the logger echoes each line
// to Qt's debug output from the thread that logs).
class LogClock {
public:
    static LogClock &instance()
    {
        static LogClock clock;
        return clock;
    }
    void install() { qInstallMessageHandler(&LogClock::handler); }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_oMutex);
        m_oLines.clear();
    }
    // Time of the first line at or after `from` that holds both texts; -1 if none.
    int64_t find(int64_t from, const char *a, const char *b = "") const
    {
        std::lock_guard<std::mutex> lock(m_oMutex);
        for (const auto &line : m_oLines)
            if (line.first >= from && line.second.find(a) != std::string::npos &&
                line.second.find(b) != std::string::npos)
                return line.first;
        return -1;
    }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        LogClock &self = instance();
        const int64_t at = BenchSupport::nowNs();
        std::lock_guard<std::mutex> lock(self.m_oMutex);
        self.m_oLines.emplace_back(at, text.toStdString());
    }
    mutable std::mutex m_oMutex;
    std::vector<std::pair<int64_t, std::string>> m_oLines;
};

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

double ms(int64_t ns)
{
    return static_cast<double>(ns) / 1e6;
}

// The simulated world: fake USB bus, transponder, volume catalog, package.
class World : public QObject {
public:
    bool setUp(std::string &error)
    {
        if (!UsbSerialTestbed::preloadActive()) {
            error = "run through bench/run-bench_upgrade.sh: the fake USB ports need umockdev's preload library";
            return false;
        }
        m_poBed = std::make_unique<UsbSerialTestbed>();
        if (!writePackage()) {
            error = "cannot write the firmware package beside the benchmark";
            return false;
        }
        TransponderSettings settings;
        settings.firmwareVersion = QString::fromLatin1(kOldVersion);
        settings.answerDelayMs = kAnswerDelayMs;
        settings.bootloaderDelayMs = kBootloaderDelayMs;
        m_poSim = std::make_unique<TransponderSim>(*m_poBed, settings);
        QObject::connect(m_poSim.get(), &TransponderSim::bootloaderVolumeRequested, this, [this] { mount(); });
        if (!m_poSim->powerOn()) {
            error = "the simulated transponder could not be plugged in";
            return false;
        }
        VolumeCatalog::setCurrent(&m_oCatalog);
        return true;
    }

    ~World() override
    {
        VolumeCatalog::setCurrent(nullptr);
        m_poSim.reset();
        m_poVolume.reset();
    }

    void mount()
    {
        SimBootloaderVolume::Options options;
        options.sizeKiB = 4096;
        m_poVolume = std::make_unique<SimBootloaderVolume>(
            QString::fromStdString(BenchSupport::scratchDir("upgrade-volume-" + std::to_string(++m_iVolumes))), options);
        if (!m_poVolume->isValid())
            return;
        m_oCatalog.present(m_poVolume->volumeInfo());
        mountedAt = BenchSupport::nowNs();
    }

    // The operator switches the device off and on: normal mode again.
    void powerCycle()
    {
        if (m_poVolume)
            m_oCatalog.remove(m_poVolume->volumeInfo().rootPath);
        m_poSim->powerCycle();
        mountedAt = -1;
    }

    // The image written and flushed to the volume's folder as fast as the
    // file system takes it, in milliseconds; -1 on failure.
    double copyAtVolumeSpeed() const
    {
        if (!m_poVolume)
            return -1;
        QFile source(QCoreApplication::applicationDirPath() + "/FirmwareBin/" + kImageName);
        if (!source.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = source.readAll();
        const std::string dir = m_poVolume->rootPath().toStdString();
        const std::string target = dir + "floor.bin";
        const int64_t t0 = BenchSupport::nowNs();
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return -1;
        bool ok = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
        ok = ::fsync(fd) == 0 && ok;
        ::close(fd);
        const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ok = dfd >= 0 && ::fsync(dfd) == 0 && ok;
        if (dfd >= 0)
            ::close(dfd);
        const int64_t t1 = BenchSupport::nowNs();
        ::unlink(target.c_str());
        return ok ? ms(t1 - t0) : -1;
    }

    int64_t mountedAt = -1;

private:
    bool writePackage()
    {
        return writeFirmwarePackage(QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareBin"),
                                    QStringLiteral("AIS-B-470"), QString::fromLatin1(kNewVersion), kImageBytes);
    }

    std::unique_ptr<UsbSerialTestbed> m_poBed;
    SimVolumeCatalog m_oCatalog;
    std::unique_ptr<TransponderSim> m_poSim;
    std::unique_ptr<SimBootloaderVolume> m_poVolume;
    int m_iVolumes = 0;
};

World *g_poWorld = nullptr;
std::string g_strSetUpError;

QAbstractButton *button(MainWindow &window, const char *name)
{
    return window.findChild<QAbstractButton *>(QString::fromLatin1(name));
}

void BM_Upgrade(benchmark::State &state)
{
    if (g_poWorld == nullptr) {
        state.SkipWithError(g_strSetUpError.c_str());
        return;
    }
    World &world = *g_poWorld;
    MessageBoxAnswerer boxes(QMessageBox::Ok);

    // Built and started as the program's entry point does it.
    auto window = std::make_unique<MainWindow>();
    window->setWindowFlags(Qt::CustomizeWindowHint | Qt::FramelessWindowHint);
    window->setWindowTitle(kAppTitle);
    window->show();
    if (!window->sysInit()) {
        state.SkipWithError("sysInit failed");
        return;
    }
    auto *discovery = window->findChild<CCommSpacesManage *>();
    auto *msd = window->findChild<CMSDManipulate *>();
    auto *pages = window->findChild<QTabWidget *>(QStringLiteral("tbwgMain"));
    if (!discovery || !msd || !pages) {
        state.SkipWithError("main window parts not found");
        return;
    }
    // After the window's own slots (connected first), so the page is filled.
    int64_t infoAt = -1, successAt = -1;
    bool identified = false, copied = false;
    QObject::connect(&discovery->m_oDevComm, &CDeviceComm::signalAISDevCheckResult, window.get(), [&](bool ok) {
        identified = ok;
        infoAt = BenchSupport::nowNs();
    });
    QObject::connect(msd, &CMSDManipulate::signalTransResult, window.get(), [&](bool ok) {
        copied = ok;
        successAt = BenchSupport::nowNs();
    });

    double infoMs = 0, infoFloorMs = 0, successMs = 0, successFloorMs = 0, copyFloorMs = 0, copyMs = 0;
    for (auto _ : state) {
        // From the welcome page, the device in normal mode, no connection on its way out.
        if (!waitUntil([&] { return window->upgradeState() == 0 && pages->currentIndex() == 0 &&
                                    !discovery->isCommDeleting(); })) {
            state.SkipWithError("window not back on the welcome page");
            return;
        }
        LogClock::instance().clear();
        infoAt = successAt = -1;

        const int64_t startAt = BenchSupport::nowNs();
        button(*window, "btnWelcomStart")->click();
        if (!waitUntil([&] { return infoAt > 0; }) || !identified || pages->currentIndex() != 1) {
            state.SkipWithError("device information page not reached");
            return;
        }
        // The channel is made on the communication tick that takes the request.
        const int64_t portOpenedAt = LogClock::instance().find(startAt, "COMM::CCommData::createSerialPort");
        const int64_t queuedAt = LogClock::instance().find(startAt, "CDeviceComm::sendCommand", "$AIAIQ,VER*3C");
        if (portOpenedAt < 0 || queuedAt < 0) {
            state.SkipWithError("connect or query line not logged");
            return;
        }
        // The channel's transmit timer starts as the port is set up on that tick.
        const double sinceTimer = ms(queuedAt - portOpenedAt);
        const double txWait = std::ceil(sinceTimer / kTxTickMs) * kTxTickMs - sinceTimer;
        const double floorA = ms(portOpenedAt - startAt) + txWait + kAnswerDelayMs;

        const int64_t nextAt = BenchSupport::nowNs();
        button(*window, "btnInfoNext")->click();
        if (!waitUntil([&] { return successAt > 0; }) || !copied) {
            state.SkipWithError("success page not reached");
            return;
        }
        const int64_t findStartAt =
            LogClock::instance().find(nextAt, "MainWindow::frimwareUpgradeProc", "FIRM_UPGRADE_S_CHECK_MSDDEV");
        if (findStartAt < 0 || world.mountedAt < 0) {
            state.SkipWithError("volume search or mount not seen");
            return;
        }
        const int64_t foundAt = LogClock::instance().find(findStartAt, "CMSDManipulate::findDev", "Find MSD success");
        const int64_t copyStartAt = LogClock::instance().find(findStartAt, "CMSDManipulate::startCopy");
        const int64_t copyEndAt = LogClock::instance().find(findStartAt, "CMSDManipulate::onCopyFinish");
        if (foundAt < 0 || copyStartAt < 0 || copyEndAt < 0) {
            state.SkipWithError("volume found or copy lines not logged");
            return;
        }
        // The search timer is a coarse Qt timer, which may fire up to 5 %
        // early: an early tick is the design's, a late one is overhead.
        const double searchTicks = std::max(1.0, std::ceil(ms(world.mountedAt - findStartAt) / kFindTickMs));
        const double searchFloor = std::min(ms(foundAt - findStartAt), searchTicks * kFindTickMs);
        const double copyFloor = world.copyAtVolumeSpeed();
        const double floorB = searchFloor + kFoundPauseMs + copyFloor;
        copyMs += ms(copyEndAt - copyStartAt);

        const double a = ms(infoAt - startAt), b = ms(successAt - nextAt);
        state.SetIterationTime((a + b) / 1000.0);
        infoMs += a;
        infoFloorMs += floorA;
        successMs += b;
        successFloorMs += floorB;
        copyFloorMs += copyFloor;

        // Finish, and the operator's power cycle.
        button(*window, "btnCopyProgressFinish")->click();
        world.powerCycle();
    }
    if (boxes.count() != 0)
        state.SkipWithError(("unexpected message box: " + boxes.last().text.toStdString()).c_str());
    const double n = static_cast<double>(state.iterations());
    state.counters["info_ms"] = infoMs / n;
    state.counters["info_floor_ms"] = infoFloorMs / n;
    state.counters["success_ms"] = successMs / n;
    state.counters["success_floor_ms"] = successFloorMs / n;
    state.counters["copy_floor_ms"] = copyFloorMs / n;
    state.counters["copy_ms"] = copyMs / n;
    state.counters["info_overhead_pct"] = 100.0 * (infoMs - infoFloorMs) / infoFloorMs;
    state.counters["success_overhead_pct"] = 100.0 * (successMs - successFloorMs) / successFloorMs;
    state.counters["overhead_pct"] =
        100.0 * ((infoMs + successMs) - (infoFloorMs + successFloorMs)) / (infoFloorMs + successFloorMs);
    window.reset();
}
}  // namespace

BENCHMARK(BM_Upgrade)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    LogClock::instance().install();
    std::unique_ptr<World> world;
    return BenchSupport::runBenchmarks(
        argc, argv, true,
        [&world] {
            // First the fake USB bus (before any other thread), then the
            // program's own start: paths, logger, fonts.
            world = std::make_unique<World>();
            if (!world->setUp(g_strSetUpError))
                return;
            const std::string dir = BenchSupport::scratchDir("upgrade");
            QDir::setCurrent(QString::fromStdString(dir));
            AppPaths::setAppFolder(QString());
            if (!SysDebug::instance()->start(AppPaths::appDir(), AppPaths::profilePath())) {
                g_strSetUpError = "the logger did not start";
                return;
            }
            LibraryFont::instance().init(AppPaths::profilePath(), kFontFamily, 16, 1.0);
            g_poWorld = world.get();
        },
        [&world] {
            g_poWorld = nullptr;
            world.reset();
        });
}
