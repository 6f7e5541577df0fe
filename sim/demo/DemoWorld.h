#pragma once

#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class SimWinHost;
class MainWindow;
class TransponderSim;
class UsbSerialTestbed;

// The simulated world of the demo: an AIS-B-470 with older firmware on a
// fake USB serial port, the volume catalog in which its bootloader volume
// appears after the bootloader command, a newer firmware package beside
// the demo program and, on request, a Windows 10 host whose services the
// start-up check stops. Build it before any other thread starts (the fake
// USB bus requires that); GUI thread only.
class DemoWorld : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kOldVersion = "V1.2.0.00-A";
    static constexpr const char *kNewVersion = "V1.3.0.01-A";
    // Older than the new version, above the oldest one the program installs.
    static constexpr const char *kOlderVersion = "V1.2.9.00-A";

    explicit DemoWorld(bool bWindowsHost = false);
    ~DemoWorld() override;

    bool isReady() const { return m_strError.isEmpty(); }
    QString errorText() const { return m_strError; }
    TransponderSim *transponder() const { return m_poSim.get(); }

    // Finish on the window's success page stands for the operator switching
    // the device off and on: it then runs the image it received.
    void watch(MainWindow &window);

    // While held, the bootloader's volume waits to appear (the pictures of
    // the copy in progress); releasing presents a volume asked for meanwhile.
    void holdBootloaderVolume(bool bHold);
    // The next Finish leaves the device in bootloader mode with a fresh
    // volume, as after an interrupted upgrade, instead of switching it off and on.
    void leaveInBootloaderOnFinish() { m_bLeaveInBootloader = true; }
    // Puts a package of kOlderVersion beside the program: a downgrade.
    void offerOlderPackage();
    // Pulls the device's USB cable.
    void unplug();
    // The operator switches the device, left in bootloader mode by an
    // upgrade, off and on: its drive goes and it runs the image it received.
    void powerCycle();

private slots:
    void onBootloaderVolumeRequested();
    void onFinishPressed();

private:
    bool writePackage(const char *version);
    void presentFreshVolume();

    QString m_strError;
    std::unique_ptr<UsbSerialTestbed> m_poBed;
    SimVolumeCatalog m_oCatalog;
    std::unique_ptr<TransponderSim> m_poSim;
    QTemporaryDir m_oVolumesDir;
    std::unique_ptr<SimBootloaderVolume> m_poVolume;
    int m_iVolumeCount = 0;
    bool m_bHoldVolume = false;
    bool m_bVolumeWanted = false;
    bool m_bLeaveInBootloader = false;
    QTemporaryDir m_oHostDir;
    std::unique_ptr<SimWinHost> m_poWinHost;
};
