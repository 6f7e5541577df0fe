#include "sim/demo/DemoWorld.h"

#include "app/MainWindow.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <cstdio>

namespace {
const char *const kImageName = "App_470.Sbin";
}  // namespace

DemoWorld::DemoWorld()
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
    if (!writePackage()) {
        m_strError = QStringLiteral("cannot write the firmware package beside the demo program");
        return;
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
}

bool DemoWorld::writePackage()
{
    // Where the program looks: "FirmwareBin" beside its binary.
    return writeFirmwarePackage(QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareBin"),
                                QStringLiteral("AIS-B-470"), QString::fromLatin1(kNewVersion));
}

void DemoWorld::watch(MainWindow &window)
{
    if (auto *finish = window.findChild<QAbstractButton *>(QStringLiteral("btnCopyProgressFinish")))
        connect(finish, &QAbstractButton::clicked, this, &DemoWorld::onFinishPressed);
}

void DemoWorld::onBootloaderVolumeRequested()
{
    // A fresh, ready volume each time the bootloader starts.
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
    m_oCatalog.remove(m_poVolume->volumeInfo().rootPath);
    m_poSim->powerCycle(m_poVolume->rootPath() + kImageName);
}
