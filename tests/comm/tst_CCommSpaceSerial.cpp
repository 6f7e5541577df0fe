// Serial connections of the communication space on pseudo-terminals; runs
// with the pty modem-line shim preloaded.
#include "comm/CSerialPort.h"
#include "tests/comm/PtyPair.h"
#include "tests/comm/RecordingSpace.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestDirs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <cstring>

namespace {
QString writeCommIni(const char *dirName, const QByteArray &text)
{
    const QString dir = TestDirs::fresh(QString::fromLatin1(dirName)) + "/";
    QFile f(dir + "comm.ini");
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return dir;
}

QByteArray serialGroup(const QByteArray &port, bool active)
{
    return "[ConnectHead]\nTotal=1\n[Connect1]\nSensorType=2\nDevName=AIS\nActive=" +
           QByteArray(active ? "true" : "false") + "\nCommType=1\nParm1=" + port + "\nParm2=2\n";
}
}  // namespace

class TestCommSpaceSerial : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!qEnvironmentVariable("LD_PRELOAD").contains("ptyshim"))
            QFAIL("this test needs the pty shim in LD_PRELOAD");
    }

    void activeGroupOpensAtStartup()
    {
        PtyPair pty;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("active", serialGroup(pty.name8(), true)));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        const QStringList ev = space.events();
        QVERIFY(ev.indexOf("signalCommConnted") >= 0);
        QVERIFY(ev.indexOf("signalCommConnted") < ev.indexOf("signalCommConntReady"));
        QCOMPARE(space.connted().size(), 1);
        COMM::CCommData *item = space.connted().first();
        QCOMPARE(item->commType(), 1);
        QVERIFY(item->serialPort()->isConnected());
        QCOMPARE(item->description(), pty.name8().toStdString() + " 38400");

        // Sentences from the device reach the channel's queue.
        QVERIFY(pty.write("$AIVER,1\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(item->serialPort()->rawHandle()->sentCount(), size_t(1), 3000);
    }

    void inactiveGroupIsOpenedByTheScan()
    {
        LogCapture capture;
        PtyPair pty;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("inactive", serialGroup(pty.name8(), false)));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        QCOMPARE(space.count("signalCommConnted"), 0);
        QVERIFY(!space.commItems().front()->serialPort()->isConnected());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConnted"), 1, 4000);
        QVERIFY(space.commItems().front()->serialPort()->isConnected());
        QVERIFY(capture.contains("CCommSpace::reconntComm"));
        QVERIFY(capture.matching("CCommSpace::reconntComm").first().endsWith(pty.name() + " 38400"));
    }

    void pulledDeviceIsRemovedOnTheNextTick()
    {
        LogCapture capture;
        PtyPair pty;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("pulled", serialGroup(pty.name8(), true)));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConnted"), 1, 3000);
        pty.releaseSlave();
        pty.closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataDeleted"), 1, 4000);
        QVERIFY(capture.contains("(Error)QSerialPort::ResourceError.Resource error."));
        QCOMPARE(space.commCount(), 0);
        const QStringList ev = space.events();
        const int at = ev.indexOf("onCommItemDeleting");
        QVERIFY(at >= 0);
        QCOMPARE(ev.mid(at, 3), (QStringList{"onCommItemDeleting", "onCommItemDeleted", "signalCommDataDeleted"}));
        QVERIFY(capture.contains("CCommSpace::deleteCommItem"));
        // Removal is quiet afterwards: no further ticks find anything to delete.
        QTest::qWait(1200);
        QCOMPARE(space.count("signalCommDataDeleted"), 1);
    }

    void connectRequestForTheTransponder()
    {
        // The record the device discovery builds.
        PtyPair pty;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("request", ""));
        COMM::CCommData *saved = nullptr;
        space.dataSaved = [&](COMM::CCommData *item) {
            saved = item;
            item->setReconntMax(1);
        };
        QVERIFY(space.initCommSpaceTh());
        CommConfig c;
        c.setDevInfo(makeDevInfo(2, pty.name().toStdWString().c_str(), 2, true));
        c.SplitLines = true;
        c.CommType = 1;
        c.serialParam = makeSerialParam(pty.name8().constData(), 2);
        space.saveCommConnect(c);
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataSaved"), 1, 3000);
        QCOMPARE(space.count("signalCommConnted"), 1);
        QVERIFY(saved);
        QCOMPARE(saved->channel()->getDataKind(), 4);
        QVERIFY(saved->serialPort()->isEnabled());

        // A frame pushed from this thread goes out on the channel's timer.
        TxFrame f;
        std::memcpy(f.data, "$AIAIQ,VER*3C\r\n", 15);
        f.length = 15;
        saved->channel()->pushTxFrame(f, true);
        QCOMPARE(pty.read(15), QByteArray("$AIAIQ,VER*3C\r\n"));

        space.deleteCommData(saved);
        QTRY_COMPARE_WITH_TIMEOUT(space.commCount(), 0, 3000);
    }
};

QTEST_GUILESS_MAIN(TestCommSpaceSerial)
#include "tst_CCommSpaceSerial.moc"
