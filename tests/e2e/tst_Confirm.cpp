// The firmware the transponder runs after its power cycle, confirmed on the
// success page through the real main window against the simulated device:
// each outcome, decided by the upgraded unit alone with others on the bench,
// and the watch ended by Finish or by closing the window.
#include "app/CFirmwareConfirm.h"
#include "platform/clock/SysClock.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"

#include <QSerialPortInfo>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(TransponderSettings::AfterPowerCycle)

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
constexpr int kTickMs = UpgradeRig::kTickMs;
const QString &kOldVersion = UpgradeRig::kOldVersion;
const QString &kNewVersion = UpgradeRig::kNewVersion;
}  // namespace

class TestConfirm : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UpgradeRig> rig;

    // A device with the old firmware, upgraded up to the success page, which
    // says it waits for the power cycle. Found at Start in bootloader mode,
    // it is not identified.
    TransponderSim *upgraded(TransponderSettings::AfterPowerCycle eAfter, int iBootloaderDelayMs = 300,
                             bool bFromBootloader = false)
    {
        TransponderSettings settings = UpgradeRig::deviceSettings(kOldVersion);
        settings.afterPowerCycle = bFromBootloader ? TransponderSettings::AfterPowerCycle::InBootloader : eAfter;
        settings.bootloaderDelayMs = iBootloaderDelayMs;
        TransponderSim *sim = rig->plugTransponder(settings);
        if (!sim || !rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand))
            return nullptr;
        if (bFromBootloader) {
            if (!rig->powerCycleDevice() || !UpgradeRig::waitUntil([this] { return rig->volumeMounted(); }))
                return nullptr;
            settings.afterPowerCycle = eAfter;
            sim->setSettings(settings);
        }
        if (!rig->openWindow() || !rig->upgradeToSuccessPage(bFromBootloader ? kBootloader : kOldVersion))
            return nullptr;
        if (rig->labelText("lblCopyConfirm") != kConfirmWaiting || !rig->isShown("lblCopyConfirm")) {
            UpgradeRig::note(QStringLiteral("confirmation line: ") + rig->labelText("lblCopyConfirm"));
            return nullptr;
        }
        return sim;
    }

    // Start finds the device again at once and shows what it runs.
    bool startShows(const QString &current)
    {
        return rig->startToInfoPage() && rig->labelText("lblInfoCurrentVer") == current;
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

    void runsThePackageVersion()
    {
        QVERIFY(upgraded(TransponderSettings::AfterPowerCycle::RunsImage));
        QVERIFY(rig->powerCycleDevice());
        QTRY_COMPARE_WITH_TIMEOUT(rig->labelText("lblCopyConfirm"), kConfirmDone.arg(kNewVersion), kStepMs);
        // The power cycle was seen: the result text no longer asks for one.
        QCOMPARE(rig->labelText("lblCopySuccessNote"), kUpgradeComplete);
        QVERIFY(rig->log.contains("Firmware confirmed: device runs " + kNewVersion));
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 2);

        QVERIFY(rig->click("btnCopyProgressFinish"));
        QCOMPARE(rig->page(), 0);
        QVERIFY(startShows(kNewVersion));
    }

    void notTaken_data()
    {
        QTest::addColumn<TransponderSettings::AfterPowerCycle>("after");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("bootloaderDelayMs");
        const QString backInBootloader = QStringLiteral("Firmware not taken: device back in bootloader mode");
        // The drive stays away long enough for a look of the watch to miss it ...
        QTest::newRow("old firmware kept")
            << TransponderSettings::AfterPowerCycle::KeepsOldFirmware << kConfirmOldFirmware.arg(kOldVersion)
            << ("Firmware not taken: device runs " + kOldVersion + " instead of " + kNewVersion) << kOldVersion
            << 2500;
        QTest::newRow("back in bootloader mode")
            << TransponderSettings::AfterPowerCycle::InBootloader << kConfirmBootloader << backInBootloader
            << kBootloader << 2500;
        // ... or is back before the next look: a new mount of the same drive.
        QTest::newRow("back in bootloader mode within one look")
            << TransponderSettings::AfterPowerCycle::InBootloader << kConfirmBootloader << backInBootloader
            << kBootloader << 0;
    }
    void notTaken()
    {
        QFETCH(TransponderSettings::AfterPowerCycle, after);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        QFETCH(QString, current);
        QFETCH(int, bootloaderDelayMs);
        QVERIFY(upgraded(after, bootloaderDelayMs));
        QVERIFY(rig->powerCycleDevice());
        QVERIFY(rig->waitForBox(1));
        QVERIFY(rig->boxIs(1, 2, kTitleWarning, message));
        QVERIFY(rig->log.contains(logged));
        // The report offer (answered No), then the welcome page.
        QVERIFY(rig->waitForBox(2, 5000));
        QVERIFY(rig->boxIs(2, 0, kTitleInformation, kReportOffer));
        QTRY_COMPARE_WITH_TIMEOUT(rig->page(), 0, 5000);
        QVERIFY(startShows(current));
    }

    // Three minutes on the monotonic clock: the date stepping by hours
    // (NTP, GPS time, by hand) neither ends the watch nor stretches it.
    void notSeenWithinThreeMinutes()
    {
        QVERIFY(upgraded(TransponderSettings::AfterPowerCycle::StaysAway));
        const int64_t begun = SysClock::steadyMs();  // the watch began just before
        QVERIFY(rig->powerCycleDevice());
        QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("Bootloader volume gone"), kStepMs);

        for (const int64_t step : {5 * 3600, -10 * 3600}) {
            UpgradeRig::advanceClock(step);
            QTest::qWait(kTickMs);
            QCOMPARE(rig->labelText("lblCopyConfirm"), kConfirmWaiting);
        }
        const int64_t watchMs = CFirmwareConfirm::kWatchSec * 1000;
        UpgradeRig::advanceSteady(begun + watchMs - 10000 - SysClock::steadyMs());
        QTest::qWait(kTickMs);
        QCOMPARE(rig->labelText("lblCopyConfirm"), kConfirmWaiting);

        UpgradeRig::advanceSteady(begun + watchMs + 1000 - SysClock::steadyMs());
        QTRY_COMPARE_WITH_TIMEOUT(rig->labelText("lblCopyConfirm"), kConfirmNotSeen, 5000);
        QCOMPARE(rig->labelText("lblCopySuccessNote"), kCopyComplete);
        QVERIFY(rig->log.contains("Firmware not confirmed: device not seen within 180 s"));
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 0);
        QVERIFY(rig->click("btnCopyProgressFinish"));
        QCOMPARE(rig->page(), 0);
    }

    // A second AIS-B-470 on the bench never decides the outcome, whichever
    // version it runs: the upgraded unit does once it is back. Not
    // identified at Start, the upgraded unit is told by its drive: a device
    // that comes while the drive is still there is another.
    void secondUnitNeverDecides_data()
    {
        QTest::addColumn<QString>("otherRuns");
        QTest::addColumn<TransponderSettings::AfterPowerCycle>("after");
        QTest::addColumn<bool>("fromBootloader");
        QTest::newRow("other runs the package version, upgraded keeps the old")
            << kNewVersion << TransponderSettings::AfterPowerCycle::KeepsOldFirmware << false;
        QTest::newRow("other runs an old version, upgraded runs the package")
            << kOldVersion << TransponderSettings::AfterPowerCycle::RunsImage << false;
        QTest::newRow("upgraded from bootloader mode, other runs the package version")
            << kNewVersion << TransponderSettings::AfterPowerCycle::KeepsOldFirmware << true;
    }
    void secondUnitNeverDecides()
    {
        QFETCH(QString, otherRuns);
        QFETCH(TransponderSettings::AfterPowerCycle, after);
        QFETCH(bool, fromBootloader);
        QVERIFY(upgraded(after, 300, fromBootloader));
        TransponderSettings other = UpgradeRig::deviceSettings(otherRuns);
        other.uniqueId = QStringLiteral("000000002");
        other.serialNumber = 8;
        TransponderSim *second = rig->plugSecondTransponder(other);
        QVERIFY(second);
        if (fromBootloader) {
            QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("came while the upgraded unit's drive is still there"), kStepMs);
            QTest::qWait(kTickMs);
            QCOMPARE(second->queryCount(), 0);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("is another unit (000000002, serial 8)"), kStepMs);
        }
        QCOMPARE(rig->labelText("lblCopyConfirm"), kConfirmWaiting);
        QCOMPARE(rig->boxes.count(), 0);

        QVERIFY(rig->powerCycleDevice());
        if (after == TransponderSettings::AfterPowerCycle::RunsImage) {
            QTRY_COMPARE_WITH_TIMEOUT(rig->labelText("lblCopyConfirm"), kConfirmDone.arg(kNewVersion), kStepMs);
            QCOMPARE(rig->boxes.count(), 0);
        } else {
            QVERIFY(rig->waitForBox(1));
            QVERIFY(rig->boxIs(1, 2, kTitleWarning, kConfirmOldFirmware.arg(kOldVersion)));
        }
    }

    // Another port that matches discovery but whose device never answers,
    // listed first, does not keep the upgraded unit from being confirmed.
    void silentPortListedFirst()
    {
        QVERIFY(upgraded(TransponderSettings::AfterPowerCycle::RunsImage));
        TransponderSettings silent = UpgradeRig::deviceSettings(kOldVersion);
        silent.misbehaviour = TransponderSettings::NoAnswer;
        TransponderSim *first = rig->plugSecondTransponder(silent);
        QVERIFY(first);
        QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("Device not identified yet"), kStepMs);
        QVERIFY(rig->powerCycleDevice());
        const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports.first().portName(), first->portName());
        QTRY_COMPARE_WITH_TIMEOUT(rig->labelText("lblCopyConfirm"), kConfirmDone.arg(kNewVersion), kStepMs);
    }

    // Finish, or closing the window, at any step of the watch: no outcome
    // afterwards, no page opened by the device coming back, and the device
    // found again by Start.
    void endedAtAnyStep_data()
    {
        QTest::addColumn<bool>("deviceBack");
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Finish before the device is back") << false << false;
        QTest::newRow("Finish while the device is identified") << true << false;
        QTest::newRow("window closed while the device is identified") << true << true;
    }
    void endedAtAnyStep()
    {
        QFETCH(bool, deviceBack);
        QFETCH(bool, closeWindow);
        TransponderSim *sim = upgraded(TransponderSettings::AfterPowerCycle::RunsImage);
        QVERIFY(sim);
        if (deviceBack) {
            // Slow to answer: the check is still running when the watch ends.
            TransponderSettings slow = sim->settings();
            slow.answerDelayMs = 1200;
            sim->setSettings(slow);
            const int queriesBefore = sim->queryCount();
            QVERIFY(rig->powerCycleDevice());
            QTRY_VERIFY_WITH_TIMEOUT(sim->queryCount() > queriesBefore, kStepMs);
        }
        if (closeWindow) {
            rig->closeWindow();
            QVERIFY(rig->log.contains("Firmware confirmation stopped"));
            QVERIFY(rig->openWindow());
        } else {
            QVERIFY(rig->click("btnCopyProgressFinish"));
            QCOMPARE(rig->page(), 0);
            QVERIFY(rig->log.contains("Firmware confirmation stopped"));
            QTest::qWait(2 * kTickMs);
            QCOMPARE(rig->page(), 0);
            QCOMPARE(rig->boxes.count(), 0);
            QVERIFY(!rig->log.contains("Firmware confirmed"));
        }
        if (!deviceBack)
            QVERIFY(rig->powerCycleDevice());
        QVERIFY(startShows(kNewVersion));
    }
};

QTEST_MAIN(TestConfirm)
#include "tst_Confirm.moc"
