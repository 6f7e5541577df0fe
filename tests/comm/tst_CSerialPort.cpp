// Runs with the pty modem-line shim preloaded, so the whole open sequence
// succeeds on a pseudo-terminal.
#include "comm/CSerialPort.h"
#include "tests/comm/PtyPair.h"
#include "tests/support/LogCapture.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using COMM::CSerialPort;

namespace {
std::unique_ptr<CSerialPort> makePort(const QByteArray &name, int baudIndex, int kind = 4)
{
    DevInfo info = makeDevInfo(2, L"COMX", 2, true);
    info.SplitLines = true;
    return std::make_unique<CSerialPort>(info, makeSerialParam(name.constData(), baudIndex), kind);
}

TxFrame frame(const char *text)
{
    TxFrame f;
    const int n = int(std::strlen(text));
    std::memcpy(f.data, text, size_t(n));
    f.length = n;
    return f;
}
}  // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!qEnvironmentVariable("LD_PRELOAD").contains("ptyshim"))
            QFAIL("this test needs the pty shim in LD_PRELOAD");
    }

    void opensWithFixedLineSettings()
    {
        PtyPair pty;
        QVERIFY(pty.ok());
        auto port = makePort(pty.name8(), 2);
        QCOMPARE(port->getCommType(), 1);
        QVERIFY(!port->isEnabled());
        QCOMPARE(QString::fromStdString(port->name()), "Serial Port " + pty.name() + ":38400");
        QVERIFY(!port->isConnected());

        QVERIFY(port->connectPort());
        QVERIFY(port->isConnected());
        QVERIFY(port->isMarkedConnected());
        const QSerialPort *dev = port->device();
        QCOMPARE(dev->baudRate(), 38400);
        QCOMPARE(dev->dataBits(), QSerialPort::Data8);
        QCOMPARE(dev->parity(), QSerialPort::NoParity);
        QCOMPARE(dev->stopBits(), QSerialPort::OneStop);
        QCOMPARE(dev->flowControl(), QSerialPort::NoFlowControl);
        QVERIFY(const_cast<QSerialPort *>(dev)->isDataTerminalReady());
        QVERIFY(const_cast<QSerialPort *>(dev)->isRequestToSend());
    }

    void receivesSentencesAndSendsFrames()
    {
        PtyPair pty;
        auto port = makePort(pty.name8(), 2);
        QVERIFY(port->connectPort());
        port->setEnabled(true);
        QSignalSpy rx(port.get(), SIGNAL(signalRxSentence(void *, char)));

        QVERIFY(pty.write("$AIVER,AIS-B-470,V1.0.0.1*00\r\n$PA"));
        QTRY_VERIFY_WITH_TIMEOUT(port->rawHandle()->sentCount() >= 1, 3000);
        QVERIFY(rx.count() >= 1);
        QCOMPARE(rx.first().at(1).value<char>(), char(1));
        std::string s;
        QVERIFY(port->rawHandle()->getSentence(s));
        QCOMPARE(s, std::string("$AIVER,AIS-B-470,V1.0.0.1*00\r\n"));
        QVERIFY(!port->rawHandle()->getSentence(s));

        QVERIFY(port->sendData(frame("$AIAIQ,VER*3C\r\n")));
        QCOMPARE(pty.read(15), QByteArray("$AIAIQ,VER*3C\r\n"));

        // Through the transmit queue and timer as well.
        port->pushTxFrame(frame("$PDBG,107,1,,,,,,*16\r\n"), true);
        QCOMPARE(pty.read(22), QByteArray("$PDBG,107,1,,,,,,*16\r\n"));
    }

    void reopeningDoesNotReadChunksTwice()
    {
        PtyPair pty;
        auto port = makePort(pty.name8(), 2, 6);  // command kind: one element per chunk
        QVERIFY(port->connectPort());
        port->setEnabled(true);
        port->markConnected();  // init() once more
        QVERIFY(pty.write("abc"));
        QTRY_VERIFY_WITH_TIMEOUT(port->rawHandle()->cmdCount() == 1, 3000);
        QTest::qWait(100);
        QCOMPARE(port->rawHandle()->cmdCount(), size_t(1));
    }

    void configurationFailuresNameTheStep()
    {
        LogCapture capture;
        PtyPair pty;
        auto port = makePort(pty.name8(), 8);
        QCOMPARE(port->baudRate(), -1);
        QVERIFY(!port->connectPort());
        QVERIFY(capture.contains("COMM::CSerialPort::connectPort"));
        QVERIFY(capture.contains("Set baud rate fail."));
        // A half-configured port is closed again, so it is retried as a whole.
        QVERIFY(!port->isConnected());

        auto missing = makePort("/dev/does-not-exist-ais", 2);
        QVERIFY(!missing->connectPort());
        QVERIFY(capture.contains("serial open fail. /dev/does-not-exist-ais: No such file or directory"));
        QVERIFY(!missing->isConnected());
        QVERIFY(!missing->sendData(frame("x")));
    }

    void openFailureForLackOfPermissionSaysSo()
    {
        // A port the user may not open (no udev rule, not in dialout) must
        // read as such in the log and the report.
        LogCapture capture;
        PtyPair pty;
        QVERIFY(pty.ok());
        QCOMPARE(::chmod(pty.name8().constData(), 0), 0);
        auto port = makePort(pty.name8(), 2);
        // Root opens a port whatever its mode: open it as "nobody" then.
        const bool bRoot = ::geteuid() == 0;
        if (bRoot)
            QCOMPARE(::seteuid(65534), 0);
        const bool bOpened = port->connectPort();
        if (bRoot)
            QCOMPARE(::seteuid(0), 0);
        QVERIFY(!bOpened);
        QVERIFY(capture.contains("serial open fail. " + pty.name() + ": Permission denied"));
        QCOMPARE(port->device()->error(), QSerialPort::PermissionError);
    }

    void errorTextsAndDeviceGoneFlag()
    {
        LogCapture capture;
        PtyPair pty;
        auto port = makePort(pty.name8(), 2);
        port->onError(QSerialPort::NoError);
        QCOMPARE(capture.count("COMM::CSerialPort::onError"), 0);

        port->onError(QSerialPort::ParityError);
        QVERIFY(capture.contains("Port:" + pty.name() + " Baudrate:38400 sender (Error)QSerialPort::ParityError.Parity error."));
        QVERIFY(!port->hasPortError());

        port->onError(QSerialPort::ResourceError);
        QCOMPARE(capture.count("COMM::CSerialPort::onError"), 2);
        QVERIFY(capture.contains("sender (Error)QSerialPort::ResourceError.Resource error."));
        QVERIFY(port->hasPortError());

        auto other = makePort(pty.name8(), 2);
        other->onError(QSerialPort::DeviceNotFoundError);
        QVERIFY(other->hasPortError());
        QCOMPARE(QString(CSerialPort::errorText(12)), QString("(Error)QSerialPort::TimeoutError.Time out error."));
        QCOMPARE(QString(CSerialPort::errorText(14)), QString());
    }

    void pullingTheDeviceRaisesResourceError()
    {
        LogCapture capture;
        PtyPair pty;
        auto port = makePort(pty.name8(), 2);
        QVERIFY(port->connectPort());
        pty.releaseSlave();
        pty.closeMaster();
        QTRY_VERIFY_WITH_TIMEOUT(port->hasPortError(), 3000);
        QVERIFY(capture.contains("(Error)QSerialPort::ResourceError.Resource error."));
    }

    void getConfigGivesTheConnectionBack()
    {
        PtyPair pty;
        auto port = makePort(pty.name8(), 3);
        port->setDebug(true, 3);
        CommConfig c;
        port->getConfig(c);
        QCOMPARE(c.SensorType, 2);
        QCOMPARE(QString::fromWCharArray(c.DevName), QString("COMX"));
        QCOMPARE(c.CommType, 1);
        QCOMPARE(QByteArray(c.serialParam.PortName), pty.name8());
        QCOMPARE(c.serialParam.BaudIndex, 3);
        QVERIFY(c.SplitLines);
        QVERIFY(c.DebugIsString);
        QCOMPARE(c.DebugMsgOut, 3);
    }

    void destructionLogsStartAndEnd()
    {
        LogCapture capture;
        PtyPair pty;
        auto port = makePort(pty.name8(), 2);
        QVERIFY(port->connectPort());
        port.reset();
        QVERIFY(capture.contains("COMM::CSerialPort::~CSerialPort"));
        QVERIFY(capture.contains("Name: Start"));
        QVERIFY(capture.contains("Name: End"));
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_CSerialPort.moc"
