#include "comm/CCommData.h"
#include "comm/CSerialPort.h"
#include "device/CCommSpacesManage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "tests/support/LogCapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {
const QByteArray kQuery = "$AIAIQ,VER*3C";
const QByteArray kTest = "$PTST,,,,,16*28";

// Collects a signal of another thread through a queued connection, so the
// values are only touched on the test's thread (QSignalSpy appends on the
// emitting thread).
template <typename T>
struct QueuedLog : QObject {
    QList<T> values;
    void add(T value) { values.append(value); }
    bool waitFor(int count, int iTimeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (values.size() < count && clock.elapsed() < iTimeoutMs)
            QTest::qWait(10);
        return values.size() >= count;
    }
};

struct SignalCount : QObject {
    int count = 0;
    void add() { ++count; }
};

// Records each check result with the thread it arrived on and when.
struct ResultLog : QObject {
    struct Entry {
        bool ok;
        QThread *thread;
        qint64 atMs;
    };
    QList<Entry> entries;
    QElapsedTimer clock;
    void watch(CDeviceComm &oDevComm)
    {
        clock.start();
        connect(&oDevComm, &CDeviceComm::signalAISDevCheckResult, this,
                [this](bool ok) {
                    entries.append({ok, QThread::currentThread(), clock.elapsed()});
                    qInfo("check result %s after %lld ms", ok ? "true" : "false", static_cast<long long>(clock.elapsed()));
                },
                Qt::DirectConnection);
    }
};
}  // namespace

// The whole identification path: discovery, the communication thread with a
// real serial channel, and the simulated transponder at the other end.
class TestIdentification : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UsbSerialTestbed> m_poBed;
    std::unique_ptr<TransponderSim> m_poSim;
    std::unique_ptr<CCommSpacesManage> m_poManage;
    COMM::CCommData *m_poItem = nullptr;

    // Plugs a transponder with these settings and connects it.
    bool connectTo(const TransponderSettings &settings)
    {
        m_poSim = std::make_unique<TransponderSim>(*m_poBed, settings);
        if (!m_poSim->powerOn())
            return fail("power on");
        m_poManage = std::make_unique<CCommSpacesManage>(nullptr);
        QueuedLog<COMM::CCommData *> connected;
        connect(m_poManage.get(), &CCommSpace::signalCommConnted, &connected, &QueuedLog<COMM::CCommData *>::add,
                Qt::QueuedConnection);
        if (!m_poManage->initCommSpaceTh())
            return fail("thread");
        if (!m_poManage->pollingDevName())
            return fail("polling");
        if (!m_poManage->conntPolledDev())
            return fail("connect request");
        if (!connected.waitFor(1, 8000))
            return fail("connected signal");
        m_poItem = connected.values.first();
        // The hook attaches the channel on the communication thread just after the signal.
        QElapsedTimer clock;
        clock.start();
        while (!m_poManage->m_oDevComm.m_poChannel.load() && clock.elapsed() < 2000)
            QTest::qWait(10);
        return m_poManage->m_oDevComm.m_poChannel.load() == m_poItem->serialPort();
    }

    static bool fail(const char *step)
    {
        qWarning("connecting failed at: %s", step);
        return false;
    }

    // Every line the transponder received.
    QList<QByteArray> checkTraffic() const { return m_poSim->receivedLines(); }

private slots:
    void initTestCase()
    {
        if (!UsbSerialTestbed::preloadActive())
            QFAIL("run through the transponder launcher: umockdev's preload library is not loaded");
        m_poBed = std::make_unique<UsbSerialTestbed>();
    }

    void cleanup()
    {
        if (m_poManage)
            m_poManage->end();
        m_poManage.reset();
        m_poSim.reset();
        m_poItem = nullptr;
        m_poBed->unplugAll();
    }

    void correctAnswerReportsTrueOnTheGuiThread()
    {
        TransponderSettings settings;
        settings.firmwareVersion = "V1.3.0.01-A";
        QVERIFY(connectTo(settings));

        // The record queued by the discovery is what the channel was built from.
        CommConfig config;
        m_poItem->serialPort()->getConfig(config);
        QCOMPARE(config.SensorType, 2);
        QCOMPARE(QString::fromWCharArray(config.DevName), m_poSim->portName());
        QCOMPARE(config.CommType, 1);
        QCOMPARE(config.serialParam.BaudIndex, 2);
        QVERIFY(config.SplitLines && config.Active);
        QCOMPARE(m_poItem->reconntMax(), uint8_t(1));
        QCOMPARE(m_poItem->serialPort()->device()->baudRate(), 38400);

        LogCapture capture;
        ResultLog results;
        CDeviceComm &dev = m_poManage->m_oDevComm;
        results.watch(dev);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 3000);
        QVERIFY(results.entries[0].ok);
        QCOMPARE(results.entries[0].thread, QThread::currentThread());
        QVERIFY(results.entries[0].atMs < 1000);
        QVERIFY(dev.m_bDevChecked);
        QCOMPARE(QByteArray(dev.m_oCmdHandle.m_stVerInfo.szFwVersion), QByteArray("V1.3.0.01-A"));
        QCOMPARE(QByteArray(dev.m_oCmdHandle.m_stVerInfo.szMachineType), QByteArray("AIS-B-470"));
        QVERIFY(!dev.m_oQueryTimer.isActive());
        QCOMPARE(dev.m_iQueryCount, 0);

        QVERIFY(capture.contains("CDeviceComm::sendCommand                $AIAIQ,VER*3C"));
        QCOMPARE(capture.count("CDeviceComm::onCommRxSent"), 1);
        QVERIFY(capture.contains(QString::fromLatin1(TransponderSim::answerLine(settings).trimmed())));
        QTest::qWait(700);
        QCOMPARE(results.entries.size(), 1);
        QCOMPARE(checkTraffic(), QList<QByteArray>{kQuery});
    }

    void silenceGivesThreeQueriesThenFalse()
    {
        TransponderSettings settings;
        settings.misbehaviour = TransponderSettings::NoAnswer;
        QVERIFY(connectTo(settings));
        ResultLog results;
        results.watch(m_poManage->m_oDevComm);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 4000);
        QVERIFY(!results.entries[0].ok);
        QVERIFY2(results.entries[0].atMs >= 1400 && results.entries[0].atMs < 2500,
                 qPrintable(QString::number(results.entries[0].atMs)));
        QVERIFY(!m_poManage->m_oDevComm.m_oQueryTimer.isActive());
        QVERIFY(!m_poManage->m_oDevComm.m_bDevChecked);
        // The last test sentence leaves the channel at most a tick or two later.
        QTRY_COMPARE_WITH_TIMEOUT(checkTraffic().size(), 5, 1000);
        QCOMPARE(checkTraffic(), (QList<QByteArray>{kQuery, kQuery, kTest, kQuery, kTest}));
        QTest::qWait(600);
        QCOMPARE(results.entries.size(), 1);
        QCOMPARE(m_poSim->queryCount(), 3);
    }

    void wrongModelIsLoggedAndFails()
    {
        TransponderSettings settings;
        settings.machineType = "AIS-A-100";
        QVERIFY(connectTo(settings));
        LogCapture capture;
        ResultLog results;
        results.watch(m_poManage->m_oDevComm);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 4000);
        QVERIFY(!results.entries[0].ok);
        QVERIFY(results.entries[0].atMs >= 1400);
        QCOMPARE(capture.count("Target machine type is not correct: AIS-A-100"), 3);
        QCOMPARE(QByteArray(m_poManage->m_oDevComm.m_oCmdHandle.m_stVerInfo.szMachineType), QByteArray("AIS-A-100"));
        QVERIFY(!m_poManage->m_oDevComm.m_bDevChecked);
    }

    void lateAnswerGivesBothResults()
    {
        TransponderSettings settings;
        settings.answerDelayMs = 1800;
        settings.answerLimit = 1;
        QVERIFY(connectTo(settings));
        ResultLog results;
        results.watch(m_poManage->m_oDevComm);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 2, 5000);
        QVERIFY(!results.entries[0].ok);
        QVERIFY(results.entries[1].ok);
        QVERIFY(results.entries[1].atMs >= 1700);
        QCOMPARE(results.entries[1].thread, QThread::currentThread());
        QVERIFY(m_poManage->m_oDevComm.m_bDevChecked);
    }

    void untidyLinesStillIdentify_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::newRow("split into chunks") << unsigned(TransponderSettings::SplitAnswer);
        QTest::newRow("garbage first") << unsigned(TransponderSettings::GarbageLines);
        QTest::newRow("both") << unsigned(TransponderSettings::GarbageLines | TransponderSettings::SplitAnswer);
    }
    void untidyLinesStillIdentify()
    {
        QFETCH(unsigned, flags);
        TransponderSettings settings;
        settings.misbehaviour = flags;
        QVERIFY(connectTo(settings));
        ResultLog results;
        results.watch(m_poManage->m_oDevComm);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 3000);
        QVERIFY(results.entries[0].ok);
        QVERIFY(results.entries[0].atMs < 1000);
    }

    void resetDuringCheckSendsNothingAndFails()
    {
        TransponderSettings settings;
        settings.misbehaviour = TransponderSettings::NoAnswer;
        QVERIFY(connectTo(settings));
        LogCapture capture;
        ResultLog results;
        CDeviceComm &dev = m_poManage->m_oDevComm;
        results.watch(dev);
        m_poManage->checkPolledDev();
        dev.resetState();
        QVERIFY(dev.m_oQueryTimer.isActive());
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 4000);
        QVERIFY(!results.entries[0].ok);
        // Two ticks, each a query and a test sentence, all without a channel.
        QCOMPARE(capture.count("Serial port is not exist"), 4);
        QTest::qWait(300);
        QCOMPARE(checkTraffic(), QList<QByteArray>{kQuery});
    }

    void secondStartKeepsTheCount()
    {
        TransponderSettings settings;
        settings.misbehaviour = TransponderSettings::NoAnswer;
        QVERIFY(connectTo(settings));
        ResultLog results;
        CDeviceComm &dev = m_poManage->m_oDevComm;
        results.watch(dev);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(dev.m_iQueryCount, 1, 1500);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 4000);
        QVERIFY(!results.entries[0].ok);
        // Restarted about 600 ms in, with one repeat already counted: the
        // result comes after two more ticks, not three.
        QVERIFY2(results.entries[0].atMs >= 1500 && results.entries[0].atMs < 2600,
                 qPrintable(QString::number(results.entries[0].atMs)));
    }

    void bootloaderSwitchDropsTheConnection()
    {
        TransponderSettings settings;
        settings.bootloaderDelayMs = 100;
        QVERIFY(connectTo(settings));
        QSignalSpy volume(m_poSim.get(), &TransponderSim::bootloaderVolumeRequested);
        SignalCount deleted;
        connect(m_poManage.get(), &CCommSpace::signalCommDataDeleted, &deleted, &SignalCount::add, Qt::QueuedConnection);
        m_poManage->sendDevCommand(CCommandHandle::getCommand(1));
        QVERIFY(volume.wait(3000));
        QCOMPARE(m_poSim->receivedLines().last(), QByteArray("$PDBG,107,1,,,,,,*16"));
        // The pulled device is removed on a later tick and its channel detached.
        QTRY_COMPARE_WITH_TIMEOUT(deleted.count, 1, 8000);
        QVERIFY(m_poManage->m_oDevComm.m_poChannel.load() == nullptr);
        QCOMPARE(m_poManage->commCount(), 0);
    }

    void deletePolledDevDropsTheConnection()
    {
        QVERIFY(connectTo(TransponderSettings()));
        SignalCount deleted;
        connect(m_poManage.get(), &CCommSpace::signalCommDataDeleted, &deleted, &SignalCount::add, Qt::QueuedConnection);
        CDeviceComm &dev = m_poManage->m_oDevComm;
        dev.m_bDevChecked = true;
        m_poManage->deletePolledDev();
        QVERIFY(dev.m_poChannel.load() == nullptr);
        QVERIFY(!dev.m_bDevChecked);
        QTRY_COMPARE_WITH_TIMEOUT(deleted.count, 1, 8000);
        QCOMPARE(m_poManage->commCount(), 0);

        // Found and connected again afterwards, as after a workflow reset.
        QueuedLog<COMM::CCommData *> connected;
        connect(m_poManage.get(), &CCommSpace::signalCommConnted, &connected, &QueuedLog<COMM::CCommData *>::add,
                Qt::QueuedConnection);
        QVERIFY(m_poManage->pollingDevName());
        QVERIFY(m_poManage->conntPolledDev());
        QVERIFY(connected.waitFor(1, 8000));
        QTRY_VERIFY_WITH_TIMEOUT(dev.m_poChannel.load() != nullptr, 2000);
        ResultLog results;
        results.watch(dev);
        m_poManage->checkPolledDev();
        QTRY_COMPARE_WITH_TIMEOUT(results.entries.size(), 1, 3000);
        QVERIFY(results.entries[0].ok);
    }
};

QTEST_GUILESS_MAIN(TestIdentification)
#include "tst_Identification.moc"
