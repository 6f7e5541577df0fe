// Faults on the serial side of an upgrade, through the real main window: the
// cable pulled while the device identifies itself, a device that floods the
// line while it is asked, and one that is another model. Each ends in its
// exact message and leaves a window in which a normal upgrade then succeeds.
#include "device/CCommSpacesManage.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/faults/FaultBench.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
const QByteArray kBootloaderCommand = "$PDBG,107,1,,,,,,*16";
constexpr int kFloodLines = 100000;
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
// Shadow memory grows with every allocation; the timing is several times slower.
constexpr qint64 kRssGrowthMaxKiB = 3 * 20 * 1024;
constexpr qint64 kSlackMs = 5000;
#else
// The flood is about 5.5 MiB: the bounded queues may hold part of it, never a multiple of it.
constexpr qint64 kRssGrowthMaxKiB = 20 * 1024;
constexpr qint64 kSlackMs = 1000;
#endif
}  // namespace

class TestSerialFaults : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FaultBench> bench;
    UpgradeRig &rig() const { return bench->rig(); }

private slots:
    void initTestCase()
    {
        bench = std::make_unique<FaultBench>();
        QVERIFY(bench->isReady());
    }
    void init() { QVERIFY(bench->beginCase()); }
    void cleanup() { bench->endCase(); }
    void cleanupTestCase() { bench.reset(); }

    void unplugDuringIdentification_data()
    {
        QTest::addColumn<bool>("midAnswer");
        QTest::newRow("before the answer") << false;
        QTest::newRow("while the answer comes") << true;
    }
    void unplugDuringIdentification()
    {
        QFETCH(bool, midAnswer);
        TransponderSettings settings = UpgradeRig::deviceSettings(FaultBench::kOldVersion);
        settings.unplugAtQuery = 1;
        settings.unplugMidAnswer = midAnswer;
        TransponderSim *sim = rig().plugTransponder(settings);
        QVERIFY(sim);
        QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig().openWindow());
        QVERIFY(rig().waitLinkIdle());

        QVERIFY(rig().click("btnWelcomStart"));
        QVERIFY(rig().waitForBox(1));
        QVERIFY(bench->boxIs(1, 0, kConfirmConnection));
        QCOMPARE(rig().page(), 0);
        QCOMPARE(sim->mode(), TransponderSim::Mode::Off);
        QCOMPARE(sim->queryCount(), 1);
        QCOMPARE(sim->answerCount(), 0);
        // The pulled port was noticed and its connection removed.
        QVERIFY(rig().log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_CHECK_AISDEV"));
        QTRY_COMPARE_WITH_TIMEOUT(rig().discovery()->commCount(), 0, kStepMs);
        QVERIFY(rig().log.contains("Comm Deleted"));
        QVERIFY(!rig().log.contains("Target machine type is correct"));
        // A failed identification is no failed upgrade: no report offer.
        QVERIFY(bench->noFurtherBox(1));

        // Plugged in again, the same device upgrades.
        TransponderSettings plain = sim->settings();
        plain.unplugAtQuery = 0;
        sim->setSettings(plain);
        QVERIFY(sim->powerOn());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), 1);
    }

    void otherModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("another model") << QStringLiteral("AIS-B-600");
        QTest::newRow("longer name") << QStringLiteral("AIS-B-4700");
        QTest::newRow("shorter name") << QStringLiteral("AIS-B-47");
        QTest::newRow("lower case") << QStringLiteral("ais-b-470");
    }
    void otherModel()
    {
        QFETCH(QString, model);
        TransponderSettings settings = UpgradeRig::deviceSettings(FaultBench::kOldVersion);
        settings.machineType = model;
        TransponderSim *sim = rig().plugTransponder(settings);
        QVERIFY(sim);
        QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig().openWindow());

        QVERIFY(rig().startToInfoPage() == false);
        QVERIFY(rig().waitForBox(1));
        QVERIFY(bench->boxIs(1, 0, kConfirmConnection));
        QCOMPARE(rig().page(), 0);
        // Asked and answered, every answer refused.
        QVERIFY(sim->answerCount() >= 1);
        QCOMPARE(rig().log.count("Target machine type is not correct: " + model), sim->answerCount());
        QVERIFY(!rig().log.contains("Target machine type is correct"));
        // The link is dropped and the device told nothing but the queries.
        QTRY_COMPARE_WITH_TIMEOUT(rig().discovery()->commCount(), 0, kStepMs);
        QCOMPARE(sim->mode(), TransponderSim::Mode::Normal);
        QVERIFY(!sim->receivedLines().contains(kBootloaderCommand));
        QVERIFY(bench->noFurtherBox(1));

        TransponderSettings right = sim->settings();
        right.machineType = QStringLiteral("AIS-B-470");
        sim->setSettings(right);
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), 1);
    }

    void floodWhileIdentifying()
    {
        // A device stuck streaming: foreign sentences, another model's
        // answers, broken answers and noise, as fast as the line takes them,
        // and never its own answer.
        TransponderSettings settings = UpgradeRig::deviceSettings(FaultBench::kOldVersion);
        settings.floodLines = kFloodLines;
        settings.misbehaviour = TransponderSettings::NoAnswer;
        TransponderSim *sim = rig().plugTransponder(settings);
        QVERIFY(sim);
        QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig().openWindow());
        QVERIFY(rig().waitLinkIdle());

        const qint64 rssBefore = FaultBench::rssKiB();
        QVERIFY(rssBefore > 0);
        qint64 rssPeak = rssBefore;
        qint64 longestGapMs = 0;
        qint64 firstQueryMs = -1;
        QElapsedTimer sinceStart;
        QElapsedTimer gap;
        QVERIFY(rig().click("btnWelcomStart"));
        sinceStart.start();
        gap.start();
        const bool ended = UpgradeRig::waitUntil([&] {
            longestGapMs = qMax(longestGapMs, gap.restart());
            rssPeak = qMax(rssPeak, FaultBench::rssKiB());
            if (firstQueryMs < 0 && sim->queryCount() > 0)
                firstQueryMs = sinceStart.elapsed();
            // The capture keeps every echoed line: the program is measured, not the test.
            rig().log.clear();
            return rig().boxes.count() > 0 || rig().page() != 0;
        });
        const qint64 resultMs = sinceStart.elapsed();
        const int taken = sim->floodLinesWritten();
        UpgradeRig::note(QStringLiteral("flood: %1 lines taken, first query after %2 ms, result after %3 ms, "
                                        "RSS %4 -> peak %5 KiB, longest GUI gap %6 ms")
                             .arg(taken)
                             .arg(firstQueryMs)
                             .arg(resultMs)
                             .arg(rssBefore)
                             .arg(rssPeak)
                             .arg(longestGapMs));
        QVERIFY(ended);
        QVERIFY(bench->boxIs(1, 0, kConfirmConnection));
        QCOMPARE(rig().page(), 0);
        // A real flood went through the receive path while the device was asked.
        QVERIFY2(taken >= kFloodLines / 10, qPrintable(QString::number(taken)));
        QVERIFY(sim->isFlooding() || taken == kFloodLines);
        // The check ends on its own clock (three ticks, 1500 ms), not held up by the flood.
        QVERIFY(firstQueryMs >= 0);
        QVERIFY2(resultMs - firstQueryMs < 1500 + kSlackMs, qPrintable(QString::number(resultMs - firstQueryMs)));
        // The window kept answering: nothing blocked it longer than the check's own 100 ms pause.
        QVERIFY2(longestGapMs < kSlackMs, qPrintable(QString::number(longestGapMs)));
        // Bounded memory: the queues drop what nobody takes, and keep no more than the bytes.
        QVERIFY2(rssPeak - rssBefore < kRssGrowthMaxKiB, qPrintable(QString::number(rssPeak - rssBefore)));
        QTRY_COMPARE_WITH_TIMEOUT(rig().discovery()->commCount(), 0, kStepMs);
        QVERIFY(bench->noFurtherBox(1));

        // Reset and working again, the device upgrades in the same window.
        TransponderSettings plain = sim->settings();
        plain.floodLines = 0;
        plain.misbehaviour = 0;
        sim->setSettings(plain);
        QVERIFY(sim->powerCycle());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), 1);
    }
};

QTEST_MAIN(TestSerialFaults)
#include "tst_SerialFaults.moc"
