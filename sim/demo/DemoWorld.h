#pragma once

#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class MainWindow;
class TransponderSim;
class UsbSerialTestbed;

// The simulated world of the demo: an AIS-B-470 with older firmware on a
// fake USB serial port, the volume catalog in which its bootloader volume
// appears after the bootloader command, and a newer firmware package beside
// the demo program. Build it before any other thread starts (the fake USB
// bus requires that); GUI thread only.
class DemoWorld : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kOldVersion = "V1.2.0.00-A";
    static constexpr const char *kNewVersion = "V1.3.0.01-A";

    DemoWorld();
    ~DemoWorld() override;

    bool isReady() const { return m_strError.isEmpty(); }
    QString errorText() const { return m_strError; }
    TransponderSim *transponder() const { return m_poSim.get(); }

    // Finish on the window's success page stands for the operator switching
    // the device off and on: it then runs the image it received.
    void watch(MainWindow &window);

private slots:
    void onBootloaderVolumeRequested();
    void onFinishPressed();

private:
    bool writePackage();

    QString m_strError;
    std::unique_ptr<UsbSerialTestbed> m_poBed;
    SimVolumeCatalog m_oCatalog;
    std::unique_ptr<TransponderSim> m_poSim;
    QTemporaryDir m_oVolumesDir;
    std::unique_ptr<SimBootloaderVolume> m_poVolume;
    int m_iVolumeCount = 0;
};
