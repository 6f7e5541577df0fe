#pragma once

#include "app/MainWindow.h"
#include "sim/transponder/TransponderSettings.h"
#include "sim/volume/SimBootloaderVolume.h"
#include "tests/e2e/GatedVolumeCatalog.h"
#include "tests/support/FileDialogAnswerer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class CCommSpacesManage;
class CFirmwareConfirm;
class CMSDManipulate;
class TransponderSim;
class UsbSerialTestbed;

// Everything a whole upgrade needs, on one bench: the fake USB serial bus
// with a simulated transponder, the simulated volume catalog with the
// bootloader's volume, the firmware package beside the test program, the
// logger as the program starts it, and the real main window with answerers
// for its message boxes and save dialogs.
//
// One per test process (the USB testbed must exist before other threads
// start): make it in initTestCase. GUI thread only.
class UpgradeRig : public QObject {
    Q_OBJECT
public:
    // Generous: a loaded 2-core machine, a one-second communication tick
    // and one-second volume searches.
    static constexpr int kStepMs = 20000;
    static constexpr const char *kImageName = "App_470.Sbin";
    // More than one refresh tick on a loaded machine: long enough for a box
    // that is due to have appeared.
    static constexpr int kTickMs = 1600;
    static const QString kOldVersion;  // on the simulated device
    static const QString kNewVersion;  // in the package

    UpgradeRig();
    ~UpgradeRig() override;

    // False (with the reason in the log) when the bench could not be set up.
    bool isReady() const { return m_bReady; }

    // The copy time-out's clock, frozen until a test moves it.
    static int64_t clock();
    static void setClock(int64_t secs);
    static void advanceClock(int64_t secs);
    // The monotonic clock runs on, ahead of the system's by what a test
    // added: it only moves forward.
    static void advanceSteady(int64_t ms);

    // Firmware package "FirmwareBin" beside the test program.
    QString packageDir() const;
    bool writePackage(const QString &version, bool withCsv = true, bool withImage = true);
    void removePackage();
    QByteArray packageImage() const;

    // Transponder settings suited to the bench: the given version, a short
    // bootloader delay so the volume is found on the first search.
    static TransponderSettings deviceSettings(const QString &version);
    // Powers the transponder on in normal mode (replacing an earlier one).
    TransponderSim *plugTransponder(const TransponderSettings &settings);
    TransponderSim *transponder() const { return m_poSim.get(); }
    // Removes it and the second one.
    void removeTransponder();
    // Another unit on the bench at the same time, on a port of its own
    // (replacing an earlier second one); removed with the case.
    TransponderSim *plugSecondTransponder(const TransponderSettings &settings);
    TransponderSim *secondTransponder() const { return m_poSecondSim.get(); }
    // The operator switches the device off and on: its drive goes, and it
    // comes back as its settings' afterPowerCycle says (with the image on
    // the drive, or in bootloader mode with the drive again).
    bool powerCycleDevice();

    // The bootloader volume, built now; mounted at once or when the
    // transponder asks for it after its bootloader command.
    enum class Mount { Now, OnBootloaderCommand, Never };
    bool prepareVolume(Mount eMount, const SimBootloaderVolume::Options &options = SimBootloaderVolume::Options());
    void mountVolume();
    void unmountVolume();
    void removeVolume();
    SimBootloaderVolume *volume() const { return m_poVolume.get(); }
    bool volumeMounted() const { return m_bMounted; }
    // Root entries of the volume's FAT image as mtools lists them (such as "123.567").
    QStringList imageRootEntries() const;
    // Bytes of a file in the mounted root, empty when it is not there.
    QByteArray volumeFile(const QString &name) const;

    // Copies started from now on wait at their first step until
    // releaseCopy() (callable from any thread): a copy that still runs.
    void holdCopy() { m_oCatalog.hold(); }
    void releaseCopy() { m_oCatalog.release(); }
    bool waitCopyHeld(int timeoutMs = kStepMs);

    // The real main window, built and started as the program's entry point does.
    MainWindow *openWindow();
    // Destroys the window; a held copy keeps it waiting until released.
    void closeWindow();
    // Before each case: no box or log line recorded, a firmware package of
    // `packageVersion` beside the program.
    bool beginCase(const QString &packageVersion);
    // After each case: a held copy released, the window closed, the
    // device, its volume and the firmware package removed.
    void endCase();
    MainWindow *window() const { return m_poWindow.get(); }

    template <class T>
    T *child(const char *name) const;
    CCommSpacesManage *discovery() const;
    CMSDManipulate *msd() const;
    CFirmwareConfirm *confirm() const;
    int page() const;
    QString labelText(const char *name) const;
    bool isShown(const char *name) const;
    // A real mouse click on a visible, enabled button; false otherwise.
    bool click(const char *buttonName);

    // Processes events until `done` holds or `timeoutMs` passed.
    static bool waitUntil(const std::function<bool()> &done, int timeoutMs = kStepMs);
    // No serial connection is being removed, nor one of the firmware
    // confirmation still under way (Start is refused while one is).
    bool waitLinkIdle(int timeoutMs = kStepMs);
    // Start pressed once no link is being removed, then the information page
    // without a message box.
    bool startToInfoPage();
    // Waits for the message box number `n` (1-based, counted since the last clear).
    bool waitForBox(int n, int timeoutMs = kStepMs) { return boxes.waitForCount(n, timeoutMs); }
    // Message box `n` (1-based) is of this kind, title and text; false, with
    // what was shown on standard error, otherwise.
    bool boxIs(int n, int kind, const QString &title, const QString &text) const;

    // One complete upgrade from the welcome page: Start, the device
    // information page with `expectCurrent` as current version, Next, the
    // success page, Finish. Expects no message box at all; false (with the
    // failed step logged) otherwise.
    bool completeUpgrade(const QString &expectCurrent);
    // The same up to the success page, without Finish.
    bool upgradeToSuccessPage(const QString &expectCurrent);
    QString lastFailure() const { return m_strFailure; }

    // Context for a failing check, on standard error: the log capture takes
    // the Qt message output.
    static void note(const QString &text);

    LogCapture log;
    MessageBoxAnswerer boxes{QMessageBox::Ok};
    FileDialogAnswerer dialogs;

private slots:
    void onBootloaderVolumeRequested();

private:
    bool fail(const QString &step);

    bool m_bReady = false;
    std::unique_ptr<UsbSerialTestbed> m_poBed;
    GatedVolumeCatalog m_oCatalog;
    std::unique_ptr<TransponderSim> m_poSim;
    std::unique_ptr<TransponderSim> m_poSecondSim;
    std::unique_ptr<SimBootloaderVolume> m_poVolume;
    Mount m_eMount = Mount::Never;
    bool m_bMounted = false;
    int m_iVolumeSerial = 0;
    std::unique_ptr<MainWindow> m_poWindow;
    QString m_strFailure;
};

template <class T>
T *UpgradeRig::child(const char *name) const
{
    return m_poWindow ? m_poWindow->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}
