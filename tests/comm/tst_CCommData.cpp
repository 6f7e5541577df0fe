#include "comm/CCommData.h"
#include "comm/CLogListener.h"
#include "comm/CNetworkSocket.h"
#include "comm/CSerialPort.h"
#include "comm/CThread.h"
#include "tests/support/LogCapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <memory>
#include <string>

using COMM::CCommData;

namespace {
CommConfig serialConfig(const char *port, int baudIndex, bool active)
{
    CommConfig c;
    c.setDevInfo(makeDevInfo(2, L"COM7", 2, active));
    c.CommType = 1;
    c.serialParam = makeSerialParam(port, baudIndex);
    return c;
}
}  // namespace

class TestCommData : public QObject {
    Q_OBJECT
private slots:
    void dataKinds()
    {
        QCOMPARE(dataKindFor(16, 1), 2);
        QCOMPARE(dataKindFor(2, 1), 4);
        QCOMPARE(dataKindFor(4, 0), 5);
        QCOMPARE(dataKindFor(2, 0), 4);
        QCOMPARE(dataKindFor(8, 2), 1);
        QCOMPARE(dataKindFor(16, 2), 2);
        QCOMPARE(dataKindFor(8, 1), 4);
        QCOMPARE(dataKindFor(8, -1), 4);
    }

    void buildersStoreEmptyOrMinusOne()
    {
        bool ok = true;
        const std::wstring name31(31, L'n'), name32(32, L'n');
        DevInfo d = makeDevInfo(2, name31.c_str(), 2, true, &ok);
        QVERIFY(ok);
        QCOMPARE(std::wstring(d.DevName), name31);
        d = makeDevInfo(2, name32.c_str(), -1, false, &ok);
        QVERIFY(!ok);
        QCOMPARE(d.DevName[0], L'\0');
        QCOMPARE(d.DevPrimaryPos, -1);
        d = makeDevInfo(2, nullptr, 2, false, &ok);
        QVERIFY(!ok);

        SerialParam s = makeSerialParam("COM7", 9, &ok);
        QCOMPARE(s.BaudIndex, -1);
        QVERIFY(!ok);
        QCOMPARE(baudRateFor(s.BaudIndex), -1);
        const std::string long256(256, 'p');
        s = makeSerialParam(long256.c_str(), 2, &ok);
        QCOMPARE(s.PortName[0], '\0');
        QCOMPARE(s.BaudIndex, 2);
        QCOMPARE(baudRateFor(0), 115200);
        QCOMPARE(baudRateFor(7), 1200);

        NetworkParam n = makeNetworkParam(4, "10.0.0.1", 70000, &ok);
        QVERIFY(!ok);
        QCOMPARE(n.NetKind, -1);
        QCOMPARE(n.Port, -1);
        QCOMPARE(QByteArray(n.Address), QByteArray("10.0.0.1"));
        n = makeNetworkParam(1, std::string(254, '1'), 65535, &ok);
        QCOMPARE(n.Address[0], '\0');
        QCOMPARE(n.Port, 65535);
        n = makeNetworkParam(3, "127.0.0.1", 0, &ok);
        QVERIFY(ok);
    }

    void serialItemWithoutActiveStaysClosed()
    {
        LogCapture capture;
        CCommData item;
        COMM::CSerialPort *port = item.createSerialPort(serialConfig("/dev/does-not-exist-ais", 2, false), 4);
        QVERIFY(port);
        QCOMPARE(item.commType(), 1);
        QCOMPARE(item.channel(), static_cast<COMM::CServiceComm *>(port));
        QVERIFY(!port->isConnected());
        QVERIFY(capture.contains("Serial Port:/dev/does-not-exist-ais, Baud Rate:38400"));
        QVERIFY(!capture.contains("serial open fail."));
        QVERIFY(!item.createSerialPort(serialConfig("other", 2, false), 4));
        QCOMPARE(item.serialPort(), port);
        QCOMPARE(item.description(), std::string("/dev/does-not-exist-ais 38400"));
        QVERIFY(!item.skipReconnect(true, true, true));

        const CommConfig back = item.getConfig();
        QCOMPARE(back.CommType, 1);
        QCOMPARE(QByteArray(back.serialParam.PortName), QByteArray("/dev/does-not-exist-ais"));

        // Active: opened at creation, failing here at the first step.
        CCommData active;
        QVERIFY(active.createSerialPort(serialConfig("/dev/does-not-exist-ais", 2, true), 4));
        QVERIFY(capture.contains("serial open fail."));
    }

    void descriptionOfComSeven()
    {
        CCommData item;
        QVERIFY(item.createSerialPort(serialConfig("COM7", 2, false), 4));
        QCOMPARE(item.description(), std::string("COM7 38400"));
    }

    void networkItemsAndInvalidRole()
    {
        CommConfig c;
        c.setDevInfo(makeDevInfo(2, L"udp", 2, false));
        c.CommType = 2;
        c.netParam = makeNetworkParam(3, "127.0.0.1", 5000);
        CCommData item;
        QVERIFY(item.createNetworkSocket(c, 4));
        QCOMPARE(item.commType(), 2);
        QCOMPARE(item.netKind(), 3);
        QVERIFY(item.channel() == item.networkSocket()->channel());
        QCOMPARE(item.getConfig().netParam.Port, 5000);
        QVERIFY(!item.createNetworkSocket(c, 4));

        CommConfig bad = c;
        bad.netParam.NetKind = 7;
        CCommData none;
        QVERIFY(!none.createNetworkSocket(bad, 4));
        QVERIFY(!none.channel());
        QCOMPARE(none.commType(), -1);
        QVERIFY(none.skipReconnect(false, false, false));  // no channel
        QCOMPARE(none.description(), std::string());
        QCOMPARE(none.getConfig().CommType, -1);
        QCOMPARE(none.getConfig().DevPrimaryPos, 2);

        // A sensor-type-4 UDP server is not retried when asked to skip role 2.
        CommConfig four = c;
        four.SensorType = 4;
        four.netParam = makeNetworkParam(2, "127.0.0.1", 5001);
        CCommData skip;
        QVERIFY(skip.createNetworkSocket(four, 4));
        QVERIFY(skip.skipReconnect(true, true, true));
        QVERIFY(!skip.skipReconnect(true, true, false));
    }

    void listenerItem()
    {
        CommConfig c;
        c.setDevInfo(makeDevInfo(2, L"R57Log", -1, false));
        c.CommType = 0;
        c.listenerMode = 1;
        c.DebugIsString = true;
        CCommData item;
        COMM::CLogListener *listener = item.createLogListener(c, 4);
        QVERIFY(listener);
        QCOMPARE(listener->getCommType(), 0);
        QCOMPARE(listener->mode(), 1);
        QVERIFY(item.skipReconnect(true, false, false));
        QVERIFY(!item.skipReconnect(false, false, false));
        CommConfig back;
        listener->getConfig(back);
        QCOMPARE(back.CommType, 0);
        QCOMPARE(back.listenerMode, 1);
        QVERIFY(back.DebugIsString);

        QSignalSpy rx(listener, SIGNAL(signalRxSentence(void *, char)));
        listener->replay("$R,1\r\n");
        QCOMPARE(rx.count(), 1);
        QCOMPARE(rx.first().at(1).value<char>(), char(0));
        QCOMPARE(listener->rawHandle()->sentCount(), size_t(1));
        listener->endSession();
        QCOMPARE(listener->rawHandle()->sentCount(), size_t(0));
    }

    void reconnectCounting()
    {
        CCommData item;
        QVERIFY(!item.countFailedReconnt());  // limit 0: never given up
        item.resetReconntCount();
        item.setReconntMax(2);
        QVERIFY(!item.countFailedReconnt());
        QVERIFY(item.countFailedReconnt());
        item.resetReconntCount();
        QCOMPARE(item.reconntCount(), uint8_t(0));
        QVERIFY(!item.isReconnect());
        item.setReconnect();
        QVERIFY(item.isReconnect());
    }

    void threadNeverStartedIsDeletedAtOnce()
    {
        LogCapture capture;
        QElapsedTimer t;
        t.start();
        {
            CThread thread(nullptr, true);
            thread.setObjectName("Idle");
            QVERIFY(thread.isRunningFlag());
        }
        QVERIFY(t.elapsed() < 1000);
        QVERIFY(capture.contains("Name:Idle Start"));
        QVERIFY(capture.contains("Name:Idle End"));
        QVERIFY(capture.matching("CThread::~CThread").first().contains("[L]"));
    }

    void threadWithRunningLoopIsStoppedByItsDestructor()
    {
        QElapsedTimer t;
        t.start();
        {
            std::atomic<bool> looping{false};
            auto inThread = std::make_unique<QObject>();  // outlives the thread
            CThread thread(nullptr, true);
            inThread->moveToThread(&thread);
            QTimer::singleShot(0, inThread.get(), [&looping] { looping = true; });
            thread.start();
            QTRY_VERIFY(looping);  // its event loop runs: only quit() ends it
        }
        QVERIFY(t.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(TestCommData)
#include "tst_CCommData.moc"
