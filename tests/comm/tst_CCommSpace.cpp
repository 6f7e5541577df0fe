#include "comm/CNetworkSocket.h"
#include "comm/CServiceComm.h"
#include "tests/comm/RecordingSpace.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {
QString writeCommIni(const char *dirName, const QByteArray &text)
{
    const QString dir = TestDirs::fresh(QString::fromLatin1(dirName)) + "/";
    QFile f(dir + "comm.ini");
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return dir;
}

quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

QByteArray udpGroup(int n, int role, int port, bool active, const char *address = "127.0.0.1")
{
    return QString("[Connect%1]\nSensorType=2\nDevName=net%1\nActive=%2\nCommType=2\nParm1=%3\nParm2=%4\nParm3=%5\n")
        .arg(n)
        .arg(active ? "true" : "false")
        .arg(address)
        .arg(port)
        .arg(role)
        .toLatin1();
}

CommConfig udpClientConfig(quint16 port)
{
    CommConfig c;
    c.setDevInfo(makeDevInfo(2, L"req", 2, true));
    c.CommType = 2;
    c.netParam = makeNetworkParam(3, "127.0.0.1", port);
    return c;
}

// Receives the space's signals on the test thread, as the main window does.
class GuiReceiver : public QObject {
    Q_OBJECT
public:
    int ready = 0;
    QList<COMM::CCommData *> connted;
public slots:
    void onReady() { ++ready; }
    void onConnted(COMM::CCommData *item) { connted.append(item); }
};
}  // namespace

class TestCommSpace : public QObject {
    Q_OBJECT
private slots:
    void startWithoutTotalCreatesNothing()
    {
        LogCapture capture;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("no-total", "[ConnectHead]\nOther=1\n"));
        GuiReceiver gui;
        QVERIFY(connect(&space, SIGNAL(signalCommConntReady()), &gui, SLOT(onReady())));
        QVERIFY(space.initCommSpaceTh());
        QCOMPARE(space.createdThread, space.commThreadObject());
        QCOMPARE(space.createdThread->objectName(), QString("CommSpaces Thread"));
        QTRY_COMPARE_WITH_TIMEOUT(gui.ready, 1, 3000);
        QCOMPARE(space.commCount(), 0);
        QCOMPARE(space.events(), (QStringList{"onCommThCreated", "onCommConntRead", "onCommConntFinish", "signalCommConntReady"}));
        QVERIFY(capture.contains("CommSpaces Thread Started, Thread:CommSpaces Thread"));
        QVERIFY(capture.contains("CCommSpace::initCommConnt"));
        QCOMPARE(space.thread(), QThread::currentThread());  // the space itself stays here

        QVERIFY(!space.initCommSpaceTh());
        QVERIFY(capture.contains("The thread is already exist."));
        QVERIFY(capture.matching("The thread is already exist.").first().contains("[E]"));
    }

    // The program runs elevated: a comm.ini an ordinary user put in the
    // current directory opens nothing; only the program's folder counts.
    void commIniIsReadFromTheProgramFolderOnly()
    {
        const QString here = QDir::currentPath() + "/comm.ini";
        const QString beside = QCoreApplication::applicationDirPath() + "/comm.ini";
        QVERIFY(QFileInfo(here).absolutePath() != QFileInfo(beside).absolutePath());
        const auto removeBoth = qScopeGuard([&] {
            QFile::remove(here);
            QFile::remove(beside);
        });
        // Read or not, a group without CommType says so in the log.
        const QByteArray ini = "[ConnectHead]\nTotal=1\n[Connect1]\nSensorType=2\nActive=true\n";
        for (const QString &path : {here, beside}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
            file.close();
            LogCapture capture;
            RecordingSpace space;
            QVERIFY(space.initCommSpaceTh());
            QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
            QCOMPARE(capture.count("Read the /Connect1/ is failed."), path == beside ? 1 : 0);
            QFile::remove(path);
        }
    }

    void invalidGroupsAreRejectedAndSensorFourSkipped()
    {
        LogCapture capture;
        const quint16 port = freePort();
        QByteArray ini = "[ConnectHead]\nTotal=11\n";
        ini += "[Connect1]\nSensorType=2\nActive=true\n";                      // CommType missing
        ini += udpGroup(2, 3, port, true).replace("SensorType=2", "SensorType=4");  // valid, skipped
        ini += udpGroup(3, 3, port, true).replace("SensorType=2", "SensorType=32");
        ini += udpGroup(4, 3, port, true).replace("SensorType=2", "SensorType=-1");
        ini += udpGroup(5, 3, port, true) + "DevPrimaryPos=3\n";
        ini += udpGroup(6, 3, port, true) + "DevPrimaryPos=-2\n";
        ini += udpGroup(7, 4, port, true);                                     // role 4
        ini += udpGroup(8, 3, 70000, true);                                    // port out of range
        ini += "[Connect9]\nSensorType=2\nCommType=1\nParm1=/dev/nowhere\nParm2=8\n";  // baud index 8
        ini += "[Connect10]\nSensorType=2\nCommType=3\n";
        ini += udpGroup(11, 3, port, true) + "DevPrimaryPos=-1\n";             // the one accepted group
        RecordingSpace space;
        space.setConfigDir(writeCommIni("invalid", ini));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);

        for (int g : {1, 3, 4, 5, 6, 7, 8, 9, 10}) {
            const QString line = QString("Read the /Connect%1/ is failed.").arg(g);
            QVERIFY2(capture.count(line) == 1, qPrintable(line));
            QVERIFY(capture.matching(line).first().contains("CCommSpace::readCommConnect"));
            QVERIFY(capture.matching(line).first().contains("[!]"));
        }
        QVERIFY(!capture.contains("Read the /Connect2/"));
        QVERIFY(!capture.contains("Read the /Connect11/"));
        QCOMPARE(capture.count("is failed."), 9);
        QCOMPARE(space.commCount(), 1);
        // A UDP client counts as connected at once: announced at start-up.
        QCOMPARE(space.count("signalCommConnted"), 1);
        QCOMPARE(space.count("onCommItemSetup"), 1);
        QVERIFY(space.commItems().front()->channel()->isEnabled());
    }

    void totalFarAboveTheGroupsReadsOnlyThoseGroups()
    {
        // Found by fuzz_comm_ini: a Total of 2147483647 kept the communication
        // thread reading absent groups, so the space never got ready.
        LogCapture capture;
        const quint16 port = freePort();
        QByteArray ini = "[ConnectHead]\nTotal=2147483647\n";
        ini += udpGroup(1, 3, port, true);
        ini += "[Connect3]\nSensorType=2\n";  // present, CommType missing
        ini += "[Connect03]\nSensorType=2\n";  // not a group name this reader forms
        RecordingSpace space;
        space.setConfigDir(writeCommIni("huge-total", ini));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 5000);
        QCOMPARE(space.commCount(), 1);
        QCOMPARE(capture.count("Read the /Connect3/ is failed."), 1);
        QCOMPARE(capture.count("is failed."), 1);
    }

    void variantValuesAreReadAsPlainText()
    {
        // Found by fuzz_comm_ini: Qt's INI reader decodes "@Variant(...)" with
        // QDataStream, and this one asks for a list of 2^32 elements.
        QByteArray ini = "[ConnectHead]\r\nTotrm1=@Variant(\\Head]\r\nTotrm1=@Variant(\\0\\0\\0\\trnQ%constrray)\r\n"
                         "Parm2=0x10\r\nParm30\\0\\0\\0\\x7f\\0\\0\\0\\nQconstrray)\r\nParm2=0x10\r\nParm3=1\r\n";
        ini += "Total=1\n[Connect1]\nSensorType=2\nDevName=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\nQconstrray)\n";
        RecordingSpace space;
        space.setConfigDir(writeCommIni("variant", ini));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        QCOMPARE(space.commCount(), 0);
    }

    void reconnectScanTakesItemsInTurn()
    {
        const quint16 p1 = freePort(), p2 = freePort();
        RecordingSpace space;
        space.setConfigDir(writeCommIni("turns", "[ConnectHead]\nTotal=2\n" + udpGroup(1, 2, p1, false) + udpGroup(2, 2, p2, false)));
        GuiReceiver gui;
        QVERIFY(connect(&space, SIGNAL(signalCommConnted(COMM::CCommData*)), &gui, SLOT(onConnted(COMM::CCommData*))));
        QElapsedTimer t;
        t.start();
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        QCOMPARE(space.count("signalCommConnted"), 0);  // not active: nothing bound yet
        const auto items = space.commItems();
        QCOMPARE(items.size(), size_t(2));

        QTRY_COMPARE_WITH_TIMEOUT(space.connted().size(), 1, 3000);
        const qint64 first = t.elapsed();
        QCOMPARE(space.connted().at(0), items[0]);
        QTRY_COMPARE_WITH_TIMEOUT(space.connted().size(), 2, 3000);
        const qint64 second = t.elapsed();
        QCOMPARE(space.connted().at(1), items[1]);
        // One attempt per tick: the second item comes a tick later.
        QVERIFY2(second - first >= 600, qPrintable(QString::number(second - first)));
        QVERIFY(space.count("onCommTimer") >= 2);
        // Delivered across threads to a receiver on this thread as well.
        QTRY_COMPARE_WITH_TIMEOUT(gui.connted.size(), 2, 2000);
        QCOMPARE(gui.connted.at(0), items[0]);
    }

    void connectedItemDoesNotStarveTheNextOne()
    {
        const quint16 p1 = freePort(), p2 = freePort();
        RecordingSpace space;
        // Item 1 (a UDP client) is connected from the start; item 2 still
        // gets its turn on a later tick.
        space.setConfigDir(writeCommIni("starve", "[ConnectHead]\nTotal=2\n" + udpGroup(1, 3, p1, true) + udpGroup(2, 2, p2, false)));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.connted().size(), 1, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(space.connted().size(), 2, 5000);
        QCOMPARE(space.connted().at(1), space.commItems().at(1));
    }

    void deleteRequestRunsHooksInOrder()
    {
        LogCapture capture;
        RecordingSpace space;
        space.setConfigDir(writeCommIni("delete", "[ConnectHead]\nTotal=1\n" + udpGroup(1, 3, freePort(), true)));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.commCount(), 1, 3000);
        COMM::CCommData *item = space.commItems().front();
        QCOMPARE(space.findCommData(item->channel()), item);
        QVERIFY(!space.isCommDeleting());
        space.deleteCommData(item);
        QVERIFY(space.isCommDeleting());
        // A second request for the same item waits for the slot, and then
        // names an item that is gone: it must be ignored, not dereferenced.
        space.deleteCommData(item);
        QTRY_COMPARE_WITH_TIMEOUT(space.commCount(), 0, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!space.isCommDeleting(), 3000);
        QTest::qWait(1200);
        const QStringList ev = space.events();
        const int deleting = ev.indexOf("onCommItemDeleting");
        QVERIFY(deleting >= 0);
        QCOMPARE(ev.mid(deleting, 3), (QStringList{"onCommItemDeleting", "onCommItemDeleted", "signalCommDataDeleted"}));
        QCOMPARE(space.count("signalCommDataDeleted"), 1);
        QCOMPARE(space.count("signalCommDataDelete"), 2);
        QVERIFY(capture.contains("CCommSpace::deleteCommItem"));
        QCOMPARE(space.findCommData(nullptr), nullptr);
    }

    void connectRequestFromAnotherThread()
    {
        RecordingSpace space;
        space.setConfigDir(writeCommIni("save", ""));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        space.saveCommConnect(udpClientConfig(freePort()));
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataSaved"), 1, 3000);
        // Announced only once the hooks have taken the item: a receiver
        // that sends at once must find the channel attached.
        const QStringList ev = space.events();
        const int i = ev.indexOf("onCommItemSetup");
        QVERIFY(i > 0);
        QCOMPARE(ev.mid(i, 4), (QStringList{"onCommItemSetup", "onCommDataSaved", "signalCommConnted", "signalCommDataSaved"}));
        QCOMPARE(space.commCount(), 1);

        // A connection that is never set up still completes the request.
        CommConfig four = udpClientConfig(freePort());
        four.SensorType = 4;
        space.saveCommConnect(four);
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataSaved"), 2, 3000);
        QVERIFY(space.events().contains("onCommDataSaved(null)"));
        QCOMPARE(space.commCount(), 1);
    }

    void commThreadRequestsIntoOccupiedSlots()
    {
        // Hooks run on the communication thread; two requests in a row from
        // there must not wait for a slot only that thread can empty.
        RecordingSpace space;
        space.setConfigDir(writeCommIni("own-thread", ""));
        const quint16 a = freePort(), b = freePort();
        bool once = false;
        space.dataSaved = [&](COMM::CCommData *) {
            if (once)
                return;
            once = true;
            space.saveCommConnect(udpClientConfig(a));
            space.saveCommConnect(udpClientConfig(b));
        };
        int deleted = 0;
        space.timerHook = [&] {
            if (space.commCount() == 3 && deleted == 0) {
                deleted = 2;
                const auto items = space.commItems();
                space.deleteCommData(items[0]);
                space.deleteCommData(items[1]);
            }
        };
        QVERIFY(space.initCommSpaceTh());
        space.saveCommConnect(udpClientConfig(freePort()));
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataSaved"), 3, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataDeleted"), 2, 5000);
        QCOMPARE(space.commCount(), 1);
    }

    void giveUpAfterTheReconnectLimit()
    {
        RecordingSpace space;
        space.setConfigDir(writeCommIni("give-up", "[ConnectHead]\nTotal=1\n[Connect1]\nSensorType=2\nActive=true\n"
                                                   "CommType=1\nParm1=/dev/does-not-exist-ais\nParm2=2\n"));
        space.itemSetup = [](COMM::CCommData *item) { item->setReconntMax(1); };
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        QCOMPARE(space.commCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommDataDeleted"), 1, 5000);
        QCOMPARE(space.commCount(), 0);
        QCOMPARE(space.count("signalCommConnted"), 0);
    }

    void logListenerAtStartup()
    {
        RecordingSpace space(true);
        space.setConfigDir(writeCommIni("listener", ""));
        QVERIFY(space.initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space.count("signalCommConntReady"), 1, 3000);
        QCOMPARE(space.count("signalCommLogReady"), 1);
        QCOMPARE(space.count("signalCommConnted"), 0);
        QCOMPARE(space.commCount(), 1);
        const COMM::CCommData *item = space.commItems().front();
        QCOMPARE(item->commType(), 0);
        QCOMPARE(QString::fromWCharArray(item->channel()->deviceInfo().DevName), QString("R57Log"));
        QVERIFY(item->channel()->isDebugString());
    }

    void endWithLiveChannelsNeverHangs()
    {
        LogCapture capture;
        const quint16 tcpPort = freePort();
        QUdpSocket peer;
        peer.bind(QHostAddress(QHostAddress::LocalHost), 0);
        QByteArray ini = "[ConnectHead]\nTotal=3\n";
        ini += QString("[Connect1]\nSensorType=2\nActive=true\nCommType=2\nParm1=127.0.0.1\nParm2=%1\nParm3=0\n").arg(tcpPort).toLatin1();
        ini += udpGroup(2, 3, peer.localPort(), true);
        ini += udpGroup(3, 2, freePort(), true);
        auto space = std::make_unique<RecordingSpace>(true);
        space->setConfigDir(writeCommIni("end", ini));
        QVERIFY(space->initCommSpaceTh());
        QTRY_COMPARE_WITH_TIMEOUT(space->commCount(), 4, 3000);

        // Traffic in flight while stopping: a TCP client and frames queued.
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, tcpPort);
        QVERIFY(client.waitForConnected(3000));
        for (COMM::CCommData *item : space->commItems()) {
            TxFrame f;
            std::memcpy(f.data, "$X\r\n", 4);
            f.length = 4;
            f.gapMs = 0;
            for (int i = 0; i < 50; ++i)
                item->channel()->pushTxFrame(f, true);
        }
        QElapsedTimer t;
        t.start();
        space->end();
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(space->commCount(), 0);
        QVERIFY(space->commThreadObject()->isFinished());
        QVERIFY(space->events().contains("onCommStop"));
        QVERIFY(capture.contains("Waiting for stop timer and clear CommList"));
        QVERIFY(capture.matching("CCommSpace::end").size() >= 1);
        space.reset();
        QVERIFY(capture.contains("CCommSpace::~CCommSpace"));
        QVERIFY(capture.contains("Name:CommSpaces Thread End"));
    }

    void endRightAfterStart()
    {
        QElapsedTimer t;
        t.start();
        RecordingSpace space;
        space.setConfigDir(writeCommIni("quick-end", "[ConnectHead]\nTotal=1\n" + udpGroup(1, 3, freePort(), true)));
        QVERIFY(space.initCommSpaceTh());
        space.end();
        QCOMPARE(space.commCount(), 0);
        QVERIFY(t.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(TestCommSpace)
#include "tst_CCommSpace.moc"
