#include "device/CCommandHandle.h"
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"
#include "tests/support/TestDirs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
bool ptyShimLoaded()
{
    return qgetenv("LD_PRELOAD").contains("ptyshim");
}

// Reads from the port until a line end arrives or the time is up.
QByteArray readLine(QSerialPort &port, int iTimeoutMs, int *chunks = nullptr)
{
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (!got.endsWith('\n') && clock.elapsed() < iTimeoutMs) {
        if (port.waitForReadyRead(20) || port.bytesAvailable()) {
            const QByteArray part = port.readAll();
            if (!part.isEmpty() && chunks)
                ++*chunks;
            got += part;
        }
        QCoreApplication::processEvents();
    }
    return got;
}

bool recognised(const QByteArray &line)
{
    CCommandHandle handle;
    handle.setTargetType("AIS-B-470");
    return handle.sentenceProcess(line.toStdString());
}
}  // namespace

class TestTransponderSim : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UsbSerialTestbed> m_poBed;

    std::unique_ptr<QSerialPort> openPort(const QString &name)
    {
        auto port = std::make_unique<QSerialPort>(name);
        if (!port->open(QIODevice::ReadWrite) || !port->setBaudRate(38400))
            return nullptr;
        return port;
    }

    QByteArray query(TransponderSim &sim, int iTimeoutMs = 1000, int *chunks = nullptr)
    {
        auto port = openPort(sim.portName());
        if (!port)
            return "open failed";
        port->write("$AIAIQ,VER*3C\r\n");
        port->waitForBytesWritten(200);
        return readLine(*port, iTimeoutMs, chunks);
    }

private slots:
    void initTestCase()
    {
        if (!UsbSerialTestbed::preloadActive())
            QFAIL("run through the transponder launcher: umockdev's preload library is not loaded");
        m_poBed = std::make_unique<UsbSerialTestbed>();
    }
    void cleanup() { m_poBed->unplugAll(); }

    void portIsListedAndOpensWithTheTransponderLineSettings()
    {
        TransponderSim sim(*m_poBed, TransponderSettings());
        QVERIFY(sim.powerOn());
        QVERIFY(sim.portName().startsWith("ttyACM"));
        const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
        QCOMPARE(ports.size(), 1);
        QCOMPARE(ports[0].portName(), sim.portName());
        QCOMPARE(ports[0].systemLocation(), "/dev/" + sim.portName());
        QCOMPARE(ports[0].description(), QString("AIS Virtual Com"));
        QCOMPARE(ports[0].manufacturer(), QString("AIS"));
        QVERIFY(ports[0].hasVendorIdentifier() && ports[0].hasProductIdentifier());
        QCOMPARE(ports[0].vendorIdentifier(), quint16(0x2504));
        QCOMPARE(ports[0].productIdentifier(), quint16(0x3209));

        auto port = openPort(sim.portName());
        QVERIFY(port);
        QCOMPARE(port->baudRate(), 38400);
        // A pseudo-terminal has no modem lines; only the shim provides them.
        QCOMPARE(port->setDataTerminalReady(true), ptyShimLoaded());
        QCOMPARE(port->setRequestToSend(true), ptyShimLoaded());
    }

    void answersTheVersionQuery()
    {
        TransponderSettings settings;
        settings.firmwareVersion = "V1.3.0.01-A";
        TransponderSim sim(*m_poBed, settings);
        QVERIFY(sim.powerOn());
        const QByteArray line = query(sim);
        QVERIFY2(line.startsWith("$AIVER,") && line.endsWith("*" + line.right(4).left(2) + "\r\n"), line);
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(line.toStdString()));
        QCOMPARE(QByteArray(handle.m_stVerInfo.szFwVersion), QByteArray("V1.3.0.01-A"));
        QCOMPARE(sim.queryCount(), 1);
        QCOMPARE(sim.receivedLines().value(0), QByteArray("$AIAIQ,VER*3C"));
    }

    void misbehaviours_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("lineEnd");
        QTest::newRow("bad checksum") << unsigned(TransponderSettings::BadChecksum) << false << true;
        QTest::newRow("lower-case checksum") << unsigned(TransponderSettings::LowerCaseChecksum) << false << true;
        QTest::newRow("over-long") << unsigned(TransponderSettings::OverLongLine) << false << true;
        QTest::newRow("split") << unsigned(TransponderSettings::SplitAnswer) << true << true;
        QTest::newRow("no line end") << unsigned(TransponderSettings::NoLineEnd) << true << false;
    }
    void misbehaviours()
    {
        QFETCH(unsigned, flags);
        QFETCH(bool, accepted);
        QFETCH(bool, lineEnd);
        TransponderSettings settings;
        settings.misbehaviour = flags;
        TransponderSim sim(*m_poBed, settings);
        QVERIFY(sim.powerOn());
        int chunks = 0;
        const QByteArray line = query(sim, lineEnd ? 1000 : 300, &chunks);
        QVERIFY2(line.startsWith("$AIVER,"), line);
        QCOMPARE(line.endsWith("\r\n"), lineEnd);
        QCOMPARE(recognised(line), accepted);
        if (flags & TransponderSettings::SplitAnswer)
            QVERIFY(chunks >= 2);
        if (flags & TransponderSettings::OverLongLine)
            QVERIFY(line.size() > 200);
        if (flags & TransponderSettings::LowerCaseChecksum) {
            const QByteArray digits = line.mid(line.indexOf('*') + 1, 2);
            QVERIFY(digits != digits.toUpper());
        }
    }

    void silenceAndAnswerLimit()
    {
        TransponderSettings settings;
        settings.misbehaviour = TransponderSettings::NoAnswer;
        TransponderSim silent(*m_poBed, settings);
        QVERIFY(silent.powerOn());
        QCOMPARE(query(silent, 300), QByteArray());
        QCOMPARE(silent.queryCount(), 1);
        silent.powerOff();

        settings.misbehaviour = 0;
        settings.answerLimit = 1;
        TransponderSim once(*m_poBed, settings);
        QVERIFY(once.powerOn());
        QVERIFY(query(once).startsWith("$AIVER"));
        QCOMPARE(query(once, 300), QByteArray());
        QCOMPARE(once.answerCount(), 1);
    }

    void bootloaderCommandUnplugsThenAsksForTheVolume()
    {
        TransponderSettings settings;
        settings.bootloaderDelayMs = 300;
        TransponderSim sim(*m_poBed, settings);
        QSignalSpy volume(&sim, &TransponderSim::bootloaderVolumeRequested);
        QVERIFY(sim.powerOn());
        auto port = openPort(sim.portName());
        QVERIFY(port);
        QList<QSerialPort::SerialPortError> errors;
        connect(port.get(), &QSerialPort::errorOccurred, this, [&errors](QSerialPort::SerialPortError e) {
            if (e != QSerialPort::NoError)
                errors.append(e);
        });
        port->write("$PTST,,,,,16*28\r\n$PDBG,107,1,,,,,,*16\r\n");
        QTRY_COMPARE(int(sim.mode()), int(TransponderSim::Mode::Bootloader));
        QVERIFY(QSerialPortInfo::availablePorts().isEmpty());
        // The open port learns that its device went away, once, as from USB.
        QTRY_VERIFY(!errors.isEmpty());
        QCOMPARE(errors.first(), QSerialPort::ResourceError);
        QTest::qWait(100);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(volume.count(), 0);
        QVERIFY(volume.wait(2000));
        QCOMPARE(sim.receivedLines(), (QList<QByteArray>{"$PTST,,,,,16*28", "$PDBG,107,1,,,,,,*16"}));
    }

    void powerCycleRunsTheCopiedImage()
    {
        const QString dir = TestDirs::fresh("cycle");
        const QString image = dir + "/App_470.Sbin";
        const QString foreign = dir + "/Other.Sbin";
        QFile f(image);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(makeFirmwareImage("AIS-B-470", "V1.4.0.02-B", QByteArray(1000, '\xA5')));
        f.close();
        QFile g(foreign);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(makeFirmwareImage("AIS-A-100", "V9.0.0.00-A", "x"));
        g.close();

        TransponderSettings settings;
        settings.bootloaderDelayMs = 0;
        TransponderSim sim(*m_poBed, settings);
        QVERIFY(sim.powerOn());
        {
            auto port = openPort(sim.portName());
            QVERIFY(port);
            port->write("$PDBG,107,1,,,,,,*16\r\n");
            QTRY_COMPARE(int(sim.mode()), int(TransponderSim::Mode::Bootloader));
        }
        QVERIFY(!sim.powerCycle(foreign));
        QCOMPARE(sim.firmwareVersion(), QString("V1.2.0.00-A"));
        QVERIFY(!sim.powerCycle(dir + "/missing.Sbin"));
        QVERIFY(sim.powerCycle(image));
        QCOMPARE(int(sim.mode()), int(TransponderSim::Mode::Normal));
        QCOMPARE(QSerialPortInfo::availablePorts().size(), 1);
        const QByteArray line = query(sim);
        QVERIFY2(line.contains(",AIS-B-470,V1.4.0.02-B,"), line);
    }

    void firmwareImageHeader()
    {
        QString machine = "keep";
        QString version = "keep";
        QVERIFY(parseFirmwareImage(makeFirmwareImage("AIS-B-470", "V1.3.0.01-A", "\n\0payload"), &machine, &version));
        QCOMPARE(machine, QString("AIS-B-470"));
        QCOMPARE(version, QString("V1.3.0.01-A"));
        machine = version = "keep";
        QVERIFY(!parseFirmwareImage("AISFW,AIS-B-470\n", &machine, &version));
        QVERIFY(!parseFirmwareImage("XXFW,AIS-B-470,V1\n", &machine, &version));
        QVERIFY(!parseFirmwareImage("AISFW,AIS-B-470,V1", &machine, &version));
        QVERIFY(!parseFirmwareImage("AISFW,,V1\n", &machine, &version));
        QCOMPARE(machine, QString("keep"));
    }
};

QTEST_GUILESS_MAIN(TestTransponderSim)
#include "tst_TransponderSim.moc"
