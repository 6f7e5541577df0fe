#include "tests/e2e/UpgradeRig.h"

#include "app/AppConstants.h"
#include "app/CFirmwareConfirm.h"
#include "app/SPgbTimeOut.h"
#include "device/CCommSpacesManage.h"
#include "log/AppPaths.h"
#include "log/SysDebug.h"
#include "platform/clock/SysClock.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "tests/e2e/ExpectedTexts.h"
#include "transfer/CMSDManipulate.h"
#include "ui/LibraryFont.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstdio>

const QString UpgradeRig::kOldVersion = QStringLiteral("V1.2.0.00-A");
const QString UpgradeRig::kNewVersion = QStringLiteral("V1.3.0.01-A");

namespace {
// Frozen until a test moves it; never 0, which means "no time-out measured".
std::atomic<int64_t> g_clock{1700000000};

int64_t rigClock()
{
    return g_clock.load();
}

std::atomic<int64_t> g_steadyAhead{0};

int64_t rigSteady()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + g_steadyAhead.load();
}

QByteArray imagePayload()
{
    QByteArray payload(48 * 1024, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 131 + 7) & 0xff);
    return payload;
}
}  // namespace

UpgradeRig::UpgradeRig()
{
    if (!UsbSerialTestbed::preloadActive()) {
        note(QStringLiteral("run through the transponder launcher: umockdev's preload library is not loaded"));
        return;
    }
    // Before any other thread: the logger's writer and the window's
    // communication thread start below.
    m_poBed = std::make_unique<UsbSerialTestbed>();

    // The program's own start-up: paths, logger (its ring feeds the report), fonts.
    static bool loggerStarted = false;
    AppPaths::setAppFolder(QString());
    if (!loggerStarted) {
        const QString workDir = QDir::currentPath() + '/';
        if (!SysDebug::instance()->start(workDir, workDir + QStringLiteral("profile.ini"))) {
            note(QStringLiteral("the logger did not start"));
            return;
        }
        loggerStarted = true;
    }
    LibraryFont::instance().init(AppPaths::profilePath(), kFontFamily, 16, 1.0);

    VolumeCatalog::setCurrent(&m_oCatalog);
    SysClock::setWallSource(&rigClock);
    SysClock::setSteadySource(&rigSteady);
    m_bReady = true;
}

UpgradeRig::~UpgradeRig()
{
    releaseCopy();
    closeWindow();
    removeTransponder();
    removeVolume();
    VolumeCatalog::setCurrent(nullptr);
    SysClock::setWallSource(nullptr);
    SysClock::setSteadySource(nullptr);
}

int64_t UpgradeRig::clock()
{
    return g_clock.load();
}

void UpgradeRig::setClock(int64_t secs)
{
    g_clock.store(secs);
}

void UpgradeRig::advanceClock(int64_t secs)
{
    g_clock.fetch_add(secs);
}

void UpgradeRig::advanceSteady(int64_t ms)
{
    g_steadyAhead.fetch_add(qMax<int64_t>(0, ms));
}

QString UpgradeRig::packageDir() const
{
    // Where the program looks: beside its binary.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareBin");
}

bool UpgradeRig::writePackage(const QString &version, bool withCsv, bool withImage)
{
    removePackage();
    if (!QDir().mkpath(packageDir()))
        return false;
    if (withCsv) {
        QFile csv(packageDir() + QStringLiteral("/Firmware.csv"));
        // The header word is itself a V-token; the version after it wins.
        if (!csv.open(QIODevice::WriteOnly) || csv.write("Version," + version.toLatin1() + "\n") < 0)
            return false;
    }
    if (withImage) {
        QFile image(packageDir() + '/' + kImageName);
        if (!image.open(QIODevice::WriteOnly) ||
            image.write(makeFirmwareImage(QStringLiteral("AIS-B-470"), version, imagePayload())) < 0)
            return false;
    }
    return true;
}

void UpgradeRig::removePackage()
{
    QDir(packageDir()).removeRecursively();
}

QByteArray UpgradeRig::packageImage() const
{
    QFile image(packageDir() + '/' + kImageName);
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

TransponderSettings UpgradeRig::deviceSettings(const QString &version)
{
    TransponderSettings settings;
    settings.firmwareVersion = version;
    settings.bootloaderDelayMs = 300;
    return settings;
}

TransponderSim *UpgradeRig::plugTransponder(const TransponderSettings &settings)
{
    if (m_poSim)
        m_poSim->powerOff();
    m_poSim = std::make_unique<TransponderSim>(*m_poBed, settings);
    connect(m_poSim.get(), &TransponderSim::bootloaderVolumeRequested, this,
            &UpgradeRig::onBootloaderVolumeRequested);
    if (!m_poSim->powerOn()) {
        fail(QStringLiteral("transponder power on"));
        m_poSim.reset();
    }
    return m_poSim.get();
}

void UpgradeRig::removeTransponder()
{
    for (std::unique_ptr<TransponderSim> *sim : {&m_poSim, &m_poSecondSim}) {
        if (*sim)
            (*sim)->powerOff();
        sim->reset();
    }
}

TransponderSim *UpgradeRig::plugSecondTransponder(const TransponderSettings &settings)
{
    if (m_poSecondSim)
        m_poSecondSim->powerOff();
    m_poSecondSim = std::make_unique<TransponderSim>(*m_poBed, settings);
    if (!m_poSecondSim->powerOn()) {
        fail(QStringLiteral("second transponder power on"));
        m_poSecondSim.reset();
    }
    return m_poSecondSim.get();
}

bool UpgradeRig::powerCycleDevice()
{
    if (!m_poSim)
        return fail(QStringLiteral("power cycle without a transponder"));
    unmountVolume();
    const QString image = m_poVolume ? m_poVolume->rootPath() + kImageName : QString();
    if (m_poVolume)
        m_eMount = Mount::OnBootloaderCommand;  // back in bootloader mode, it asks for its drive again
    m_poSim->powerCycle(image);
    return true;
}

bool UpgradeRig::prepareVolume(Mount eMount, const SimBootloaderVolume::Options &options)
{
    removeVolume();
    SimBootloaderVolume::Options small = options;
    // The smallest FAT16 that mkfs.fat makes with 512-byte clusters: quick to build.
    if (small.sizeKiB == SimBootloaderVolume::Options().sizeKiB)
        small.sizeKiB = 4096;
    const QString base = QDir::current().filePath(QStringLiteral("volume-%1").arg(++m_iVolumeSerial));
    m_poVolume = std::make_unique<SimBootloaderVolume>(base, small);
    if (!m_poVolume->isValid()) {
        fail(QStringLiteral("bootloader volume: ") + m_poVolume->errorText());
        m_poVolume.reset();
        return false;
    }
    m_eMount = eMount;
    if (eMount == Mount::Now)
        mountVolume();
    return true;
}

void UpgradeRig::mountVolume()
{
    if (!m_poVolume || m_bMounted)
        return;
    m_oCatalog.present(m_poVolume->volumeInfo());
    m_bMounted = true;
}

void UpgradeRig::unmountVolume()
{
    if (!m_poVolume || !m_bMounted)
        return;
    m_oCatalog.remove(m_poVolume->volumeInfo().rootPath);
    m_bMounted = false;
}

void UpgradeRig::removeVolume()
{
    unmountVolume();
    if (!m_poVolume)
        return;
    const QString base = QFileInfo(m_poVolume->rootPath()).dir().absolutePath();
    m_poVolume.reset();  // makes the root writable again
    QDir(QDir(base).absolutePath()).removeRecursively();
    m_eMount = Mount::Never;
}

void UpgradeRig::onBootloaderVolumeRequested()
{
    if (m_eMount == Mount::OnBootloaderCommand)
        mountVolume();
}

QStringList UpgradeRig::imageRootEntries() const
{
    QStringList entries;
    if (!m_poVolume || m_poVolume->imagePath().isEmpty())
        return entries;
    QProcess mdir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    env.remove(QStringLiteral("LD_PRELOAD"));  // a plain tool, no fake devices
    mdir.setProcessEnvironment(env);
    mdir.start(QStringLiteral("mdir"), {QStringLiteral("-b"), QStringLiteral("-i"), m_poVolume->imagePath(),
                                        QStringLiteral("::/")});
    if (!mdir.waitForFinished(20000))
        return entries;
    const QStringList lines = QString::fromLocal8Bit(mdir.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QStringLiteral("::/")))
            line = line.mid(3);
        entries << line;
    }
    return entries;
}

QByteArray UpgradeRig::volumeFile(const QString &name) const
{
    if (!m_poVolume)
        return {};
    QFile file(m_poVolume->rootPath() + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool UpgradeRig::waitCopyHeld(int timeoutMs)
{
    return waitUntil([this] { return m_oCatalog.isCopyHeld(); }, timeoutMs);
}

MainWindow *UpgradeRig::openWindow()
{
    closeWindow();
    m_poWindow = std::make_unique<MainWindow>();
    m_poWindow->setWindowFlags(Qt::CustomizeWindowHint | Qt::FramelessWindowHint);
    m_poWindow->setWindowTitle(kAppTitle);
    m_poWindow->show();
    if (!QTest::qWaitForWindowExposed(m_poWindow.get()))
        fail(QStringLiteral("window not exposed"));
    if (!m_poWindow->sysInit()) {
        fail(QStringLiteral("sysInit"));
        m_poWindow.reset();
    }
    return m_poWindow.get();
}

void UpgradeRig::closeWindow()
{
    m_poWindow.reset();
}

bool UpgradeRig::beginCase(const QString &packageVersion)
{
    boxes.clear();
    log.clear();
    return writePackage(packageVersion);
}

void UpgradeRig::endCase()
{
    releaseCopy();
    closeWindow();
    removeTransponder();
    removeVolume();
    removePackage();
}

CCommSpacesManage *UpgradeRig::discovery() const
{
    return m_poWindow ? m_poWindow->findChild<CCommSpacesManage *>() : nullptr;
}

CMSDManipulate *UpgradeRig::msd() const
{
    return m_poWindow ? m_poWindow->findChild<CMSDManipulate *>() : nullptr;
}

CFirmwareConfirm *UpgradeRig::confirm() const
{
    return m_poWindow ? m_poWindow->findChild<CFirmwareConfirm *>() : nullptr;
}

int UpgradeRig::page() const
{
    auto *tabs = child<QTabWidget>("tbwgMain");
    return tabs ? tabs->currentIndex() : -1;
}

QString UpgradeRig::labelText(const char *name) const
{
    auto *label = child<QLabel>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

bool UpgradeRig::isShown(const char *name) const
{
    auto *widget = child<QWidget>(name);
    return widget && widget->isVisible();
}

bool UpgradeRig::click(const char *buttonName)
{
    auto *button = child<QAbstractButton>(buttonName);
    if (!button || !button->isVisible() || !button->isEnabled())
        return fail(QStringLiteral("%1 cannot be clicked").arg(QLatin1String(buttonName)));
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool UpgradeRig::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

bool UpgradeRig::waitLinkIdle(int timeoutMs)
{
    return waitUntil(
        [this] { return discovery() && !discovery()->isCommDeleting() && !(confirm() && confirm()->ownsLink()); },
        timeoutMs);
}

bool UpgradeRig::boxIs(int n, int kind, const QString &title, const QString &text) const
{
    if (boxes.count() < n) {
        note(QStringLiteral("box %1 was not shown").arg(n));
        return false;
    }
    const MessageBoxAnswerer::Shown &box = boxes.shown().at(n - 1);
    if (box.kind == kind && box.title == title && box.text == text)
        return true;
    note(QStringLiteral("box %1: kind %2, title \"%3\", text \"%4\"").arg(n).arg(box.kind).arg(box.title, box.text));
    return false;
}

bool UpgradeRig::startToInfoPage()
{
    const int before = boxes.count();
    if (!waitLinkIdle() || !click("btnWelcomStart"))
        return false;
    return waitUntil([&] { return boxes.count() != before || isShown("btnInfoNext"); }) && boxes.count() == before &&
           page() == 1;
}

bool UpgradeRig::completeUpgrade(const QString &expectCurrent)
{
    if (!upgradeToSuccessPage(expectCurrent))
        return false;
    if (!click("btnCopyProgressFinish"))
        return false;
    if (!waitUntil([&] { return page() == 0; }))
        return fail(QStringLiteral("welcome page after Finish"));
    return true;
}

bool UpgradeRig::upgradeToSuccessPage(const QString &expectCurrent)
{
    using namespace ExpectedTexts;
    const int boxesBefore = boxes.count();
    const auto boxShown = [&] { return boxes.count() != boxesBefore; };
    const auto boxNote = [&] {
        return boxShown() ? QStringLiteral(" (box: %1)").arg(boxes.last().text) : QString();
    };

    if (!window())
        return fail(QStringLiteral("no window"));
    if (page() != 0)
        return fail(QStringLiteral("not on the welcome page"));
    if (!waitLinkIdle())
        return fail(QStringLiteral("serial link still being removed"));
    if (!click("btnWelcomStart"))
        return false;
    if (!waitUntil([&] { return boxShown() || (page() == 1 && isShown("btnInfoNext")); }) || boxShown())
        return fail(QStringLiteral("device information page") + boxNote());
    if (labelText("lblInfoCurrentVer") != expectCurrent)
        return fail(QStringLiteral("current version %1").arg(labelText("lblInfoCurrentVer")));
    if (!click("btnInfoNext"))
        return false;
    if (!waitUntil([&] { return boxShown() || page() != 2 || isShown("btnCopyProgressFinish"); }) || boxShown() ||
        page() != 2)
        return fail(QStringLiteral("success page") + boxNote());
    if (!isShown("wgCopySuccess") || isShown("wgCopyProcess") || labelText("lblCopySuccessNote") != kCompleted)
        return fail(QStringLiteral("success part of page 2"));
    return true;
}

void UpgradeRig::note(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool UpgradeRig::fail(const QString &step)
{
    m_strFailure = step;
    note(QStringLiteral("upgrade rig: ") + step);
    return false;
}
