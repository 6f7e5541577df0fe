// Failed upgrades through the real main window against the simulated
// transponder and bootloader volume: the exact message of each failure, the
// report offer where one is due, and a clean new attempt in the same window
// once the cause is gone.
#include "device/CCommSpacesManage.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"
#include "transfer/CMSDManipulate.h"

#include <QtTest>

#include <memory>

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
constexpr int kTickMs = UpgradeRig::kTickMs;
const QString &kOldVersion = UpgradeRig::kOldVersion;
const QString &kNewVersion = UpgradeRig::kNewVersion;
}  // namespace

class TestFailures : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UpgradeRig> rig;

    bool boxIs(int n, int kind, const QString &title, const QString &text) const
    {
        return rig->boxIs(n, kind, title, text);
    }
    bool isReportOffer(int n) const { return boxIs(n, 0, kTitleInformation, kReportOffer); }

    // A device in normal mode, its volume mounted as `eMount` says, and the
    // information page shown; the device, or nullptr.
    TransponderSim *deviceOnInfoPage(UpgradeRig::Mount eMount = UpgradeRig::Mount::OnBootloaderCommand,
                                     const SimBootloaderVolume::Options &options = SimBootloaderVolume::Options())
    {
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(kOldVersion));
        if (!sim || !rig->prepareVolume(eMount, options) || !rig->openWindow() || !rig->startToInfoPage())
            return nullptr;
        return sim;
    }

    // The copy time-out's message, the report offer after it, and the welcome page.
    bool timeOutReported()
    {
        return rig->waitForBox(1, 5000) && boxIs(1, 0, kTitleInformation, kTimeOut) && rig->waitForBox(2, 5000) &&
               isReportOffer(2) && UpgradeRig::waitUntil([this] { return rig->page() == 0; }, 5000) &&
               rig->log.contains("Copy File time out!");
    }

    // Power cycle of a device left in bootloader mode, and a fresh volume
    // for the next bootloader command.
    bool deviceBackInNormalMode()
    {
        rig->unmountVolume();
        return rig->transponder()->powerCycle() && rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand);
    }

    bool retrySucceeds(const QString &current)
    {
        if (rig->completeUpgrade(current))
            return rig->volumeFile(UpgradeRig::kImageName) == rig->packageImage();
        UpgradeRig::note(QStringLiteral("retry failed at: ") + rig->lastFailure());
        for (const QString &line : rig->log.lines().mid(qMax(0, rig->log.lines().size() - 80)))
            UpgradeRig::note(line);
        return false;
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<UpgradeRig>();
        QVERIFY(rig->isReady());
    }
    void init() { QVERIFY(rig->beginCase(kNewVersion)); }
    void cleanup() { rig->endCase(); }
    void cleanupTestCase() { rig.reset(); }

    void nothingConnected()
    {
        QVERIFY(rig->openWindow());
        QVERIFY(rig->click("btnWelcomStart"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 0, kTitleInformation, kConfirmConnection));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->log.contains("Port name not found"));
        QVERIFY(rig->log.contains("Find MSD fail"));
        // Not a failed upgrade: no report offer.
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 1);

        // The operator connects the device and presses Start again.
        QVERIFY(rig->plugTransponder(UpgradeRig::deviceSettings(kOldVersion)));
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(retrySucceeds(kOldVersion));
        QCOMPARE(rig->boxes.count(), 1);
    }

    void wrongModelIsNotIdentified()
    {
        TransponderSettings settings = UpgradeRig::deviceSettings(kOldVersion);
        settings.machineType = QStringLiteral("AIS-B-600");
        TransponderSim *sim = rig->plugTransponder(settings);
        QVERIFY(sim);
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig->openWindow());

        QVERIFY(rig->click("btnWelcomStart"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 0, kTitleInformation, kConfirmConnection));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->log.contains("Target machine type is not correct"));
        // The serial link is dropped; the device itself was not told anything else.
        QTRY_COMPARE_WITH_TIMEOUT(rig->discovery()->commCount(), 0, kStepMs);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 1);
        // Three queries, each repeated one followed by the test sentence; answered, but refused.
        QCOMPARE(sim->receivedLines().count("$AIAIQ,VER*3C"), 3);
        QCOMPARE(sim->receivedLines().count("$PTST,,,,,16*28"), 2);
        QVERIFY(sim->answerCount() >= 1);
        QCOMPARE(sim->mode(), TransponderSim::Mode::Normal);
        QVERIFY(!sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));

        // The right device on the same port.
        TransponderSettings right = sim->settings();
        right.machineType = QStringLiteral("AIS-B-470");
        sim->setSettings(right);
        QVERIFY(retrySucceeds(kOldVersion));
    }

    void connectionRemovedWhileConnecting()
    {
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(kOldVersion));
        QVERIFY(sim);
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig->openWindow());
        QVERIFY(rig->waitLinkIdle());

        // Start finds the port and queues the connection; the cable is pulled
        // before the communication thread's next tick opens it.
        QVERIFY(rig->click("btnWelcomStart"));
        sim->powerOff();
        QVERIFY(rig->log.contains("Try to connect"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 0, kTitleInformation, kConfirmConnection));
        QVERIFY(rig->log.contains("Comm Deleted"));
        QVERIFY(!rig->log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_CHECK_AISDEV"));
        QCOMPARE(rig->page(), 0);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 1);

        QVERIFY(sim->powerOn());
        QVERIFY(retrySucceeds(kOldVersion));
    }

    void firmwarePackageMissing()
    {
        // Reached with a device in bootloader mode: Next without a package.
        rig->removePackage();
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());
        QVERIFY(rig->startToInfoPage());
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kBootloader);
        QCOMPARE(rig->labelText("lblInfoNewVer"), QString());

        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 3, kTitleError, kFirmwareNotFound));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->log.contains("Can't find csv file"));
        QVERIFY(rig->log.contains("Can't read csv file under " + rig->packageDir() + "/Firmware.csv"));
        QVERIFY(rig->log.contains("Show MsgBox: isSerialDevChecked=0, isMSDChecked=1, isBinFileExist=0, "
                                  "isReadyFileExist=1, isTransSuccess=0"));
        // The report offer follows on the next tick (answered No).
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(isReportOffer(2));
        QVERIFY(rig->volumeFile(UpgradeRig::kImageName).isEmpty());

        QVERIFY(rig->writePackage(kNewVersion));
        QVERIFY(retrySucceeds(kBootloader));
        QCOMPARE(rig->boxes.count(), 2);
    }

    void identifiedDeviceWithoutPackage()
    {
        // No package to compare with: the information page stays usable (an
        // empty version must not read as a forbidden downgrade), Next says why.
        rig->removePackage();
        QVERIFY(deviceOnInfoPage());
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kOldVersion);
        QVERIFY(rig->isShown("btnInfoBack"));

        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 3, kTitleError, kFirmwareNotFound));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->window()->isVisible());
        QVERIFY(rig->log.contains("Show MsgBox: isSerialDevChecked=1, isMSDChecked=0, isBinFileExist=0, "
                                  "isReadyFileExist=0, isTransSuccess=0"));
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(isReportOffer(2));
        QVERIFY(rig->transponder()->mode() == TransponderSim::Mode::Normal);

        QVERIFY(rig->writePackage(kNewVersion));
        QVERIFY(retrySucceeds(kOldVersion));
        QCOMPARE(rig->boxes.count(), 2);
    }

    void readyFileMissing()
    {
        SimBootloaderVolume::Options notReady;
        notReady.readyFile = false;
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now, notReady));
        QVERIFY(rig->openWindow());
        QVERIFY(rig->startToInfoPage());
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kBootloader);

        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 3, kTitleError, kPowerOffOn));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->log.contains("Can't find ready file in MSD"));
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(isReportOffer(2));
        QVERIFY(rig->volumeFile(UpgradeRig::kImageName).isEmpty());

        // Power off and on: the bootloader marks its volume ready.
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(retrySucceeds(kBootloader));
    }

    void systemVolumeInformationStopsTheCopyUntilTheTimeOut()
    {
        SimBootloaderVolume::Options seized;
        seized.systemVolumeInformation = true;
        QVERIFY(deviceOnInfoPage(UpgradeRig::Mount::OnBootloaderCommand, seized));

        const int64_t started = UpgradeRig::clock();
        QVERIFY(rig->click("btnInfoNext"));
        QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("Check ready file fail"), kStepMs);
        QVERIFY(rig->log.contains("Find MSD success"));
        QVERIFY(!rig->log.contains("Start to copy file"));

        // Nothing ends the wait but the time-out: 180 s are not yet over.
        UpgradeRig::setClock(started + 180);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 2);
        QVERIFY(rig->isShown("wgCopyProcess"));
        QVERIFY(!rig->isShown("btnCopyProgressFinish"));
        QVERIFY(rig->log.contains("Check copy file time out = 180"));

        UpgradeRig::setClock(started + 181);
        QVERIFY(timeOutReported());
        QVERIFY(rig->volumeFile(UpgradeRig::kImageName).isEmpty());
        // Reported once only.
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 2);

        QVERIFY(deviceBackInNormalMode());
        QVERIFY(retrySucceeds(kOldVersion));
    }

    void copyTimeOutWhenTheVolumeNeverComes()
    {
        TransponderSim *sim = deviceOnInfoPage(UpgradeRig::Mount::Never);
        QVERIFY(sim);

        QVERIFY(rig->click("btnInfoNext"));
        QTRY_COMPARE_WITH_TIMEOUT(sim->mode(), TransponderSim::Mode::Bootloader, kStepMs);
        // Three searches a second apart, then the search gives up silently.
        QTRY_COMPARE_WITH_TIMEOUT(rig->log.count("Find MSD fail"), 3, kStepMs);
        QTRY_VERIFY_WITH_TIMEOUT(!rig->msd()->m_oFindTimer.isActive(), 5000);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->log.count("Find MSD fail"), 3);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 2);

        // 180 s pass at once.
        UpgradeRig::advanceClock(181);
        QVERIFY(timeOutReported());

        // The device came up in bootloader mode too late; power cycled, it works.
        QVERIFY(deviceBackInNormalMode());
        QVERIFY(retrySucceeds(kOldVersion));
    }

    void copyStoppedAtItsTimeOut()
    {
        // The copy thread hangs at its first step, nothing written for more
        // than a minute when its time-out comes; it then fails (write-protected
        // volume) once it is let go.
        SimBootloaderVolume::Options readOnly;
        readOnly.readOnly = true;
        QVERIFY(deviceOnInfoPage(UpgradeRig::Mount::OnBootloaderCommand, readOnly));
        rig->holdCopy();
        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitCopyHeld());

        UpgradeRig::advanceSteady(61 * 1000);
        UpgradeRig::advanceClock(181);
        QVERIFY(rig->waitForBox(1, 5000));
        QVERIFY(boxIs(1, 0, kTitleInformation, kCopyStalled.arg(60)));
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(isReportOffer(2));
        QTRY_COMPARE_WITH_TIMEOUT(rig->page(), 0, 5000);
        QVERIFY(rig->log.contains("Copy made no progress for "));

        // The device waits in bootloader mode: Start finds its volume, but
        // Next starts no second copy while the first one hangs, and says so
        // without asking to keep the power on.
        QVERIFY(rig->startToInfoPage());
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kBootloader);
        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(3));
        QVERIFY(boxIs(3, 0, kTitleInformation, kCopyStalled.arg(60)));
        QCOMPARE(rig->page(), 1);
        QCOMPARE(rig->log.count("Start to copy file"), 1);

        // Its late failure is logged and shown nowhere.
        rig->releaseCopy();
        QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("Copy bin file fail"), kStepMs);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 3);
        QCOMPARE(rig->page(), 1);
        QVERIFY(rig->log.contains("Trans result after time out ignored: fail"));

        // Now Next copies.
        QVERIFY(rig->volume()->setWritable(true));
        QVERIFY(rig->click("btnInfoNext"));
        QTRY_VERIFY_WITH_TIMEOUT(rig->isShown("btnCopyProgressFinish"), kStepMs);
        QCOMPARE(rig->volumeFile(UpgradeRig::kImageName), rig->packageImage());
        QCOMPARE(rig->boxes.count(), 3);
    }

    void copyFailure()
    {
        SimBootloaderVolume::Options readOnly;
        readOnly.readOnly = true;
        QVERIFY(deviceOnInfoPage(UpgradeRig::Mount::OnBootloaderCommand, readOnly));

        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(1));
        QVERIFY(boxIs(1, 2, kTitleWarning, kPowerOffOn));
        QCOMPARE(rig->page(), 0);
        QVERIFY(rig->log.contains("Start to copy file"));
        QVERIFY(rig->log.contains("Copy bin file fail"));
        QVERIFY(rig->log.contains("Trans Fail"));
        QVERIFY(rig->log.contains("Copy file fail"));
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(isReportOffer(2));
        QVERIFY(rig->volumeFile(UpgradeRig::kImageName).isEmpty());

        QVERIFY(deviceBackInNormalMode());
        QVERIFY(retrySucceeds(kOldVersion));
        QCOMPARE(rig->boxes.count(), 2);
    }
};

QTEST_MAIN(TestFailures)
#include "tst_Failures.moc"
