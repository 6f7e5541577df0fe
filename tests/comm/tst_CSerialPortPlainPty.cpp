// A plain pseudo-terminal has no modem lines: the open sequence stops at DTR.
#include "comm/CSerialPort.h"
#include "tests/comm/PtyPair.h"
#include "tests/support/LogCapture.h"

#include <QtTest>

class TestSerialPortPlainPty : public QObject {
    Q_OBJECT
private slots:
    void stopsAtDataTerminalReady()
    {
        if (qEnvironmentVariable("LD_PRELOAD").contains("ptyshim"))
            QFAIL("this test must run without the pty shim");
        LogCapture capture;
        PtyPair pty;
        QVERIFY(pty.ok());
        COMM::CSerialPort port(makeDevInfo(2, L"COMX", 2, true), makeSerialParam(pty.name8().constData(), 2), 4);
        QVERIFY(!port.connectPort());
        QVERIFY(capture.contains("setDataTerminalReady fail."));
        QVERIFY(!capture.contains("setRequestToSend fail."));
        QVERIFY(!port.isConnected());
        QVERIFY(!port.isMarkedConnected());
    }
};

QTEST_GUILESS_MAIN(TestSerialPortPlainPty)
#include "tst_CSerialPortPlainPty.moc"
