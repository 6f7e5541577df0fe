// The firmware the transponder runs after its power cycle, confirmed on the
// success page through the real main window against the simulated device:
// each outcome, and the watch ended by Finish or by closing the window.
#include "app/CFirmwareConfirm.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"

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
    // says it waits for the power cycle.
    TransponderSim *upgraded(TransponderSettings::AfterPowerCycle eAfter, int iBootloaderDelayMs = 300)
    {
        TransponderSettings settings = UpgradeRig::deviceSettings(kOldVersion);
        settings.afterPowerCycle = eAfter;
        settings.bootloaderDelayMs = iBootloaderDelayMs;
        TransponderSim *sim = rig->plugTransponder(settings);
        if (!sim || !rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand) || !rig->openWindow() ||
            !rig->upgradeToSuccessPage(kOldVersion))
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
        QTest::newRow("old firmware kept")
            << TransponderSettings::AfterPowerCycle::KeepsOldFirmware << kConfirmOldFirmware.arg(kOldVersion)
            << ("Firmware not taken: device runs " + kOldVersion + " instead of " + kNewVersion) << kOldVersion;
        QTest::newRow("back in bootloader mode")
            << TransponderSettings::AfterPowerCycle::InBootloader << kConfirmBootloader
            << QStringLiteral("Firmware not taken: device back in bootloader mode") << kBootloader;
    }
    void notTaken()
    {
        QFETCH(TransponderSettings::AfterPowerCycle, after);
        QFETCH(QString, message);
        QFETCH(QString, logged);
        QFETCH(QString, current);
        // The drive stays away long enough for a look of the watch to miss it.
        QVERIFY(upgraded(after, 2500));
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

    void notSeenWithinThreeMinutes()
    {
        QVERIFY(upgraded(TransponderSettings::AfterPowerCycle::StaysAway));
        const int64_t started = UpgradeRig::clock();
        QVERIFY(rig->powerCycleDevice());
        QTRY_VERIFY_WITH_TIMEOUT(rig->log.contains("Bootloader volume gone"), kStepMs);

        UpgradeRig::setClock(started + CFirmwareConfirm::kWatchSec);
        QTest::qWait(kTickMs);
        QCOMPARE(rig->labelText("lblCopyConfirm"), kConfirmWaiting);

        UpgradeRig::setClock(started + CFirmwareConfirm::kWatchSec + 1);
        QTRY_COMPARE_WITH_TIMEOUT(rig->labelText("lblCopyConfirm"), kConfirmNotSeen, 5000);
        QCOMPARE(rig->labelText("lblCopySuccessNote"), kCopyComplete);
        QVERIFY(rig->log.contains("Firmware not confirmed: device not seen within 180 s"));
        QTest::qWait(kTickMs);
        QCOMPARE(rig->boxes.count(), 0);
        QVERIFY(rig->click("btnCopyProgressFinish"));
        QCOMPARE(rig->page(), 0);
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
