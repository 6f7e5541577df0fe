// The identification check's receive side on real serial channels whose
// ports stay closed: answers go in through the channel's receive entry, as
// the port's read slot hands them over on the communication thread.
#include "comm/CCommData.h"
#include "comm/CSerialPort.h"
#include "device/CCommSpacesManage.h"
#include "device/CDeviceComm.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {
const QByteArray kAnswer = "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1*11\r\n";

std::unique_ptr<COMM::CCommData> closedSerialItem(const char *portName)
{
    CommConfig config = CCommSpacesManage::transponderConfig(portName);
    config.Active = false;
    auto item = std::make_unique<COMM::CCommData>();
    if (item->createSerialPort(config, COMM::CServiceComm::KindSentence))
        item->serialPort()->setEnabled(true);
    return item;
}

// Delivers the answer on a thread of its own, as the communication thread
// does. A std::thread: ThreadSanitizer sees its join, not QThread::wait.
std::thread answerFrom(COMM::CSerialPort *poChannel)
{
    return std::thread([poChannel] { poChannel->dataReceived(kAnswer, false); });
}

// Holds the thread that logs the given text inside the logger's echo until
// released, so a test can act while that thread is in the middle of its work.
class LogGate {
public:
    explicit LogGate(const char *text)
    {
        s_text = text;
        s_gate = this;
        m_previous = qInstallMessageHandler(&LogGate::handler);
    }
    ~LogGate()
    {
        release();
        qInstallMessageHandler(m_previous);
        s_gate = nullptr;
    }
    bool waitUntilHeld() { return m_held.tryAcquire(1, 5000); }
    void release()
    {
        if (!m_released.exchange(true))
            m_go.release();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &msg)
    {
        LogGate *gate = s_gate;
        if (!gate || !msg.contains(QLatin1String(s_text)) || gate->m_entered.exchange(true))
            return;
        gate->m_held.release();
        gate->m_go.tryAcquire(1, 5000);
    }

    static inline std::atomic<LogGate *> s_gate{nullptr};
    static inline const char *s_text = "";
    QtMessageHandler m_previous = nullptr;
    QSemaphore m_held, m_go;
    std::atomic<bool> m_entered{false}, m_released{false};
};
}  // namespace

class TestDeviceComm : public QObject {
    Q_OBJECT
private slots:
    void onlyTheAttachedChannelsAnswersCount()
    {
        CDeviceComm dev;
        QSignalSpy results(&dev, &CDeviceComm::signalAISDevCheckResult);
        auto attached = closedSerialItem("ttyAttached");
        auto other = closedSerialItem("ttyOther");
        QVERIFY(attached->serialPort() && other->serialPort());
        dev.attachChannel(attached.get());
        // A channel that was connected once and is no longer the attached one.
        dev.attachChannel(other.get());
        dev.attachChannel(attached.get());

        other->serialPort()->dataReceived(kAnswer, false);
        QCOMPARE(other->serialPort()->rawHandle()->sentCount(), size_t(0));  // taken and dropped
        QVERIFY(!dev.m_bDevChecked);

        // The link is dropped; its channel lives until the next tick and
        // still delivers the late answer.
        dev.resetState();
        attached->serialPort()->dataReceived(kAnswer, false);
        QVERIFY(!dev.m_bDevChecked);
        QCOMPARE(dev.m_oCmdHandle.m_iStatus, 0);
        QCOMPARE(dev.verInfo().szMachineType[0], '\0');
        QTest::qWait(20);
        QCOMPARE(results.count(), 0);

        // Attached again, the same channel's answer identifies the device.
        dev.attachChannel(attached.get());
        attached->serialPort()->dataReceived(kAnswer, false);
        QVERIFY(dev.m_bDevChecked);
        QTRY_COMPARE(results.count(), 1);
        QVERIFY(results.first().first().toBool());
    }

    void successQueuedBeforeAResetIsNotReported()
    {
        CDeviceComm dev;
        QSignalSpy results(&dev, &CDeviceComm::signalAISDevCheckResult);
        auto item = closedSerialItem("ttyQueued");
        dev.attachChannel(item.get());
        answerFrom(item->serialPort()).join();
        QVERIFY(dev.m_bDevChecked);
        // The end-of-check signal is still queued when the link is dropped.
        dev.resetState();
        QTest::qWait(20);
        QCOMPARE(results.count(), 0);
    }

    void resetDuringAnAnswerLeavesNothingChecked()
    {
        CDeviceComm dev;
        QSignalSpy results(&dev, &CDeviceComm::signalAISDevCheckResult);
        auto item = closedSerialItem("ttyRace");
        dev.attachChannel(item.get());

        // The answer is held after its model was accepted, before the check
        // is marked; the reset comes from another thread meanwhile.
        LogGate gate("Target machine type is correct");
        std::thread answer = answerFrom(item->serialPort());
        const bool held = gate.waitUntilHeld();
        std::thread reset([&dev] { dev.resetState(); });
        QThread::msleep(200);
        gate.release();
        answer.join();
        reset.join();
        QVERIFY(held);

        QVERIFY(dev.m_poChannel.load() == nullptr);
        QVERIFY(!dev.m_bDevChecked);
        QCOMPARE(dev.m_oCmdHandle.m_iStatus, 0);
        QTest::qWait(20);
        QCOMPARE(results.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDeviceComm)
#include "tst_DeviceComm.moc"
