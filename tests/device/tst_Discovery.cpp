#include "device/CCommSpacesManage.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "tests/support/LogCapture.h"

#include <QSerialPortInfo>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
UsbSerialIdentity identity(const QString &description, int vendor, int product, const QString &name = QString())
{
    UsbSerialIdentity id;
    id.description = description;
    id.manufacturer = "Maker";
    id.vendorId = vendor;
    id.productId = product;
    id.portName = name;
    return id;
}
}  // namespace

// Discovery against fake USB serial ports; no communication thread needed.
class TestDiscovery : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UsbSerialTestbed> m_poBed;

private slots:
    void initTestCase()
    {
        if (!UsbSerialTestbed::preloadActive())
            QFAIL("run through the transponder launcher: umockdev's preload library is not loaded");
        m_poBed = std::make_unique<UsbSerialTestbed>();
    }
    void cleanup() { m_poBed->unplugAll(); }

    void matchRules_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("vendor");
        QTest::addColumn<int>("product");
        QTest::addColumn<bool>("match");
        QTest::addColumn<QString>("line");
        QTest::newRow("description in capitals") << "USB AIS VIRTUAL COM Port (2)" << 0x1234 << 0x0001 << true
                                                 << "Port name is found: USB AIS VIRTUAL COM Port (2)";
        QTest::newRow("2504/3209") << "CDC" << 0x2504 << 0x3209 << true << "VID/PID:2504/3209 is found";
        QTest::newRow("2504/0300") << "CDC" << 0x2504 << 0x0300 << true << "[old firmware]VID/PID:2504/300 is found";
        QTest::newRow("2504/1300") << "CDC" << 0x2504 << 0x1300 << true << "[old firmware]VID/PID:2504/1300 is found";
        QTest::newRow("2504 without product") << "CDC" << 0x2504 << -1 << false << "Port name not found";
        QTest::newRow("other vendor, 3209") << "CDC" << 0x1504 << 0x3209 << false << "Port name not found";
        QTest::newRow("no identifiers") << "Virtual Com" << -1 << -1 << false << "Port name not found";
    }
    void matchRules()
    {
        QFETCH(QString, description);
        QFETCH(int, vendor);
        QFETCH(int, product);
        QFETCH(bool, match);
        QFETCH(QString, line);
        const QString name = m_poBed->plug(identity(description, vendor, product));
        QVERIFY(!name.isEmpty());

        LogCapture capture;
        CCommSpacesManage manage(nullptr);
        manage.strPolledDev = "stale";
        QCOMPARE(manage.pollingDevName(), match);
        QCOMPARE(QString::fromStdString(manage.strPolledDev), match ? name : QString());
        QCOMPARE(capture.count("CCommSpacesManage::pollingDevName"), 4);
        QVERIFY(capture.contains("Start to find serial port name."));
        QVERIFY(capture.contains("Serial port total 1"));
        QVERIFY(capture.contains(QString("Get Serial port description: %1, port name: %2, serial manufacturer: Maker")
                                     .arg(description, name)));
        QVERIFY2(capture.contains(line), qPrintable(capture.lines().join('\n')));
    }

    void firstMatchingPortWins()
    {
        const QString keyboard = m_poBed->plug(identity("Keyboard", 0x046d, 0xc31c));
        QVERIFY(!keyboard.isEmpty());
        QVERIFY(!m_poBed->plug(identity("AIS Virtual Com", 0x2504, 0x3209)).isEmpty());
        QVERIFY(!m_poBed->plug(identity("CDC", 0x2504, 0x0300)).isEmpty());
        // The enumeration order is the system's, not the names'.
        const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
        QCOMPARE(ports.size(), 3);
        int first = -1;
        for (int i = 0; i < ports.size() && first < 0; ++i)
            if (ports[i].portName() != keyboard)
                first = i;

        LogCapture capture;
        CCommSpacesManage manage(nullptr);
        QVERIFY(manage.pollingDevName());
        QCOMPARE(QString::fromStdString(manage.strPolledDev), ports[first].portName());
        QVERIFY(capture.contains("Serial port total 3"));
        // The scan ends at the first match.
        QCOMPARE(capture.count("Get Serial port description:"), first + 1);
        QCOMPARE(capture.count("is found"), 1);

        // The firmware confirmation asks every matching port, in that order.
        std::vector<std::string> matching;
        for (const QSerialPortInfo &port : ports)
            if (port.portName() != keyboard)
                matching.push_back(port.portName().toStdString());
        QCOMPARE(manage.matchingPorts(), matching);
    }

    void noPortAtAll()
    {
        LogCapture capture;
        CCommSpacesManage manage(nullptr);
        QSignalSpy saves(&manage, SIGNAL(signalCommDataSave()));
        QVERIFY(!manage.pollingDevName());
        QVERIFY(capture.contains("Serial port total 0"));
        QVERIFY(capture.contains("Port name not found"));
        QVERIFY(manage.strPolledDev.empty());
        // Nothing remembered: no connect request is queued and nothing is logged.
        QVERIFY(!manage.conntPolledDev());
        QCOMPARE(saves.count(), 0);
        QVERIFY(!capture.contains("Try to connect"));
    }

    void transponderConnectionRecord()
    {
        const CommConfig c = CCommSpacesManage::transponderConfig("ttyACM0");
        QCOMPARE(c.SensorType, 2);
        QCOMPARE(QString::fromWCharArray(c.DevName), QString("ttyACM0"));
        QCOMPARE(c.DevPrimaryPos, 2);
        QVERIFY(c.Active);
        QVERIFY(c.SplitLines);
        QCOMPARE(c.CommType, 1);
        QCOMPARE(QByteArray(c.serialParam.PortName), QByteArray("ttyACM0"));
        QCOMPARE(c.serialParam.BaudIndex, 2);
        QVERIFY(!c.DebugIsString);
        QCOMPARE(c.DebugMsgOut, 0);

        // A name of 32 characters does not fit the wide name; the port name keeps it.
        const std::string longName(32, 'p');
        const CommConfig l = CCommSpacesManage::transponderConfig(longName);
        QCOMPARE(l.DevName[0], wchar_t(0));
        QCOMPARE(QByteArray(l.serialParam.PortName), QByteArray(longName.c_str()));
        const CommConfig s = CCommSpacesManage::transponderConfig(std::string(31, 'p'));
        QCOMPARE(QString::fromWCharArray(s.DevName).size(), 31);
    }

    void deleteWithoutChannelStillResets()
    {
        CCommSpacesManage manage(nullptr);
        QSignalSpy deletes(&manage, SIGNAL(signalCommDataDelete(COMM::CCommData*)));
        manage.m_oDevComm.m_bDevChecked = true;
        manage.m_oDevComm.m_iQueryCount = 2;
        manage.m_oDevComm.m_oCmdHandle.m_iStatus = 1;
        manage.deletePolledDev();
        QCOMPARE(deletes.count(), 0);
        QVERIFY(!manage.m_oDevComm.m_bDevChecked);
        QCOMPARE(manage.m_oDevComm.m_iQueryCount, 0);
        QCOMPARE(manage.m_oDevComm.m_oCmdHandle.m_iStatus.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_Discovery.moc"
