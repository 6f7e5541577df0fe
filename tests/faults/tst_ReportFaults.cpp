// The upgrade report saved where it cannot be written: the export writes
// nothing, shows nothing, logs its end as usual, and the window goes on to
// save a report elsewhere and to upgrade.
#include "sim/transponder/TransponderSim.h"
#include "sim/volume/VolumeFault.h"
#include "tests/faults/FaultBench.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

class TestReportFaults : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FaultBench> bench;
    UpgradeRig &rig() const { return bench->rig(); }

    // The report's debug section, decoded when the logger writes it encoded.
    static QByteArray debugText(const QByteArray &report)
    {
        const QByteArray head = "\tDebug Message\r\n" + QByteArray(43, '=') + "\r\n";
        const int at = report.indexOf(head);
        if (at < 0)
            return QByteArray();
        const QByteArray body = report.mid(at + head.size()).trimmed();
        static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/=\\r\\n]+$"));
        return base64.match(QString::fromLatin1(body)).hasMatch() ? QByteArray::fromBase64(body) : body;
    }

    QString workPath(const QString &name) const { return QDir::current().absoluteFilePath(name); }

    // The report button, answered with `path`; true once the export has ended.
    bool exportTo(const QString &path)
    {
        const int before = rig().log.count("Export file finish");
        rig().dialogs.queueFile(path);
        if (!rig().click("btnThemeFunGenRep"))
            return false;
        return UpgradeRig::waitUntil([&] { return rig().log.count("Export file finish") > before; });
    }

private slots:
    void initTestCase()
    {
        bench = std::make_unique<FaultBench>();
        QVERIFY(bench->isReady());
        QVERIFY2(VolumeFault::available(), "the volume fault shim is not preloaded");
    }
    void init() { QVERIFY(bench->beginCase()); }
    void cleanup()
    {
        bench->endCase();
        for (const QString &dir : {QStringLiteral("missing"), QStringLiteral("protected"), QStringLiteral("saved")})
            QDir(workPath(dir)).removeRecursively();
    }
    void cleanupTestCase() { bench.reset(); }

    void reportTargetUnwritable_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("earlier");  // a report of an earlier export is already there
        const int none = static_cast<int>(VolumeFault::Kind::None);
        const int readOnly = static_cast<int>(VolumeFault::Kind::ReadOnly);
        const int full = static_cast<int>(VolumeFault::Kind::Full);
        QTest::newRow("folder missing") << QStringLiteral("missing/FW_Log.txt") << none << false;
        QTest::newRow("write-protected folder") << QStringLiteral("protected/FW_Log.txt") << readOnly << false;
        QTest::newRow("write-protected earlier report") << QStringLiteral("protected/FW_Log.txt") << readOnly << true;
        QTest::newRow("full folder") << QStringLiteral("protected/FW_Log.txt") << full << false;
        QTest::newRow("full folder, earlier report") << QStringLiteral("protected/FW_Log.txt") << full << true;
    }
    void reportTargetUnwritable()
    {
        QFETCH(QString, target);
        QFETCH(int, fault);
        QFETCH(bool, earlier);
        const QString path = workPath(target);
        const QString folder = QFileInfo(path).absolutePath() + '/';
        const QByteArray earlierText = "an earlier report\r\n";
        if (fault != static_cast<int>(VolumeFault::Kind::None)) {
            QVERIFY(QDir().mkpath(folder));
            if (earlier) {
                QFile old(path);
                QVERIFY(old.open(QIODevice::WriteOnly) && old.write(earlierText) == earlierText.size());
            }
            // A full folder takes no byte more.
            QVERIFY(VolumeFault::arm(static_cast<VolumeFault::Kind>(fault), folder, 0));
        }
        TransponderSim *sim = rig().plugTransponder(UpgradeRig::deviceSettings(FaultBench::kOldVersion));
        QVERIFY(sim);
        QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig().openWindow());

        const int asked = rig().dialogs.count();
        // The save dialog's own question about the file that is there: replace it.
        if (earlier)
            rig().boxes.queueAnswer(QMessageBox::Yes);
        QVERIFY(exportTo(path));
        const int dialogBoxes = earlier ? 1 : 0;
        if (earlier)
            QVERIFY2(rig().boxes.count() == 1 && rig().boxes.last().text.contains(QStringLiteral("already exists")),
                     qPrintable(rig().boxes.count() ? rig().boxes.last().text : QString()));
        QCOMPARE(rig().dialogs.count(), asked + 1);
        QCOMPARE(rig().dialogs.last().answer, path);
        QVERIFY(rig().log.contains("Export File"));
        // What was written is thrown away, and the log says so.
        QCOMPARE(rig().log.contains("Write report file fail"), fault == static_cast<int>(VolumeFault::Kind::Full));
        VolumeFault::disarm();
        // Nothing written, an earlier report kept as it was, nothing shown;
        // the window is where it was.
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        if (earlier) {
            QCOMPARE(left, QStringList{QFileInfo(path).fileName()});
            QFile old(path);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), earlierText);
        } else {
            QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
        }
        QVERIFY(bench->noFurtherBox(dialogBoxes));
        QCOMPARE(rig().page(), 0);

        // A report saved elsewhere has its text, the failed export's lines included.
        QVERIFY(QDir().mkpath(workPath(QStringLiteral("saved"))));
        const QString good = workPath(QStringLiteral("saved/FW_Log.txt"));
        QVERIFY(exportTo(good));
        QFile saved(good);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray text = saved.readAll();
        QVERIFY(text.startsWith("*******************************************\r\n\tLumora-470 Firmware Upgrade Log\r\n"));
        QVERIFY2(debugText(text).contains("Export file finish"), text.right(800).constData());
        QVERIFY(bench->noFurtherBox(dialogBoxes));

        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), dialogBoxes);
    }
};

QTEST_MAIN(TestReportFaults)
#include "tst_ReportFaults.moc"
