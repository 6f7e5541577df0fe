#include "sim/demo/DemoWorld.h"

#include "app/MainWindow.h"
#include "platform/host/IWinHost.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/host/SimWinHost.h"
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "sysprep/SysSnapshotFile.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <cstdio>

namespace {
const char *const kImageName = "App_470.Sbin";
// How long each "net start" / "net stop" of the simulated Windows host takes.
constexpr int kNetDelayMs = 500;
}  // namespace

DemoWorld::DemoWorld(bool bWindowsHost)
{
    if (!UsbSerialTestbed::preloadActive()) {
        m_strError = QStringLiteral("the fake USB serial ports need umockdev's preload library: start the demo "
                                    "with run-AisUpgradeDemo.sh from its build folder (or scripts/run-demo.sh)");
        return;
    }
    if (!m_oVolumesDir.isValid()) {
        m_strError = QStringLiteral("no temporary folder for the bootloader volume");
        return;
    }
    if (!writePackage(kNewVersion)) {
        m_strError = QStringLiteral("cannot write the firmware package beside the demo program");
        return;
    }
    if (bWindowsHost) {
        // A Windows 10 desktop, so that the start-up check's notice and its
        // "Operating system initializing" page appear; its "net" takes about
        // as long as the real one, so the page stays up for a moment.
        m_poWinHost = std::make_unique<SimWinHost>(m_oHostDir.path() + QStringLiteral("/host"));
        m_poWinHost->addStockServices();
        for (const char *name : {"StorSvc", "WSearch", "ShellHWDetection", "BDESVC"}) {
            SimService service = m_poWinHost->service(name);
            service.netDelayMs = kNetDelayMs;
            m_poWinHost->setService(name, service);
        }
        if (!m_oHostDir.isValid() || !m_poWinHost->isReady()) {
            m_strError = QStringLiteral("the simulated Windows host could not be laid out");
            return;
        }
        IWinHost::setCurrent(m_poWinHost.get());
        // The record of the services belongs to the simulated host, not beside the demo.
        SysSnapshotFile::setDefaultDir(m_oHostDir.path());
    }
    m_poBed = std::make_unique<UsbSerialTestbed>();

    TransponderSettings settings;
    settings.firmwareVersion = QString::fromLatin1(kOldVersion);
    m_poSim = std::make_unique<TransponderSim>(*m_poBed, settings);
    connect(m_poSim.get(), &TransponderSim::bootloaderVolumeRequested, this,
            &DemoWorld::onBootloaderVolumeRequested);
    if (!m_poSim->powerOn()) {
        m_strError = QStringLiteral("the simulated transponder could not be plugged in");
        return;
    }
    VolumeCatalog::setCurrent(&m_oCatalog);
}

DemoWorld::~DemoWorld()
{
    VolumeCatalog::setCurrent(nullptr);
    m_poSim.reset();
    m_poVolume.reset();
    if (m_poWinHost) {
        IWinHost::setCurrent(nullptr);
        SysSnapshotFile::setDefaultDir(QString());
    }
}

bool DemoWorld::writePackage(const char *version)
{
    // Where the program looks: "FirmwareBin" beside its binary.
    return writeFirmwarePackage(QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareBin"),
                                QStringLiteral("AIS-B-470"), QString::fromLatin1(version));
}

void DemoWorld::offerOlderPackage()
{
    if (!writePackage(kOlderVersion))
        std::fprintf(stderr, "cannot write the older firmware package\n");
}

void DemoWorld::watch(MainWindow &window)
{
    if (auto *finish = window.findChild<QAbstractButton *>(QStringLiteral("btnCopyProgressFinish")))
        connect(finish, &QAbstractButton::clicked, this, &DemoWorld::onFinishPressed);
}

void DemoWorld::holdBootloaderVolume(bool bHold)
{
    m_bHoldVolume = bHold;
    if (!bHold && m_bVolumeWanted)
        presentFreshVolume();
}

void DemoWorld::unplug()
{
    if (m_poSim)
        m_poSim->powerOff();
}

void DemoWorld::onBootloaderVolumeRequested()
{
    if (m_bHoldVolume)
        m_bVolumeWanted = true;
    else
        presentFreshVolume();
}

void DemoWorld::presentFreshVolume()
{
    // A fresh, ready volume each time the bootloader starts.
    m_bVolumeWanted = false;
    if (m_poVolume)
        m_oCatalog.remove(m_poVolume->volumeInfo().rootPath);
    SimBootloaderVolume::Options options;
    options.sizeKiB = 4096;
    m_poVolume = std::make_unique<SimBootloaderVolume>(
        m_oVolumesDir.filePath(QStringLiteral("volume-%1").arg(++m_iVolumeCount)), options);
    if (m_poVolume->isValid())
        m_oCatalog.present(m_poVolume->volumeInfo());
    else
        std::fprintf(stderr, "bootloader volume: %s\n", qPrintable(m_poVolume->errorText()));
}

void DemoWorld::onFinishPressed()
{
    if (!m_poSim || m_poSim->mode() != TransponderSim::Mode::Bootloader || !m_poVolume)
        return;
    if (m_bLeaveInBootloader) {
        m_bLeaveInBootloader = false;
        presentFreshVolume();
        return;
    }
    powerCycle();
}

void DemoWorld::powerCycle()
{
    if (!m_poSim || m_poSim->mode() != TransponderSim::Mode::Bootloader || !m_poVolume)
        return;
    m_oCatalog.remove(m_poVolume->volumeInfo().rootPath);
    m_poSim->powerCycle(m_poVolume->rootPath() + kImageName);
}
