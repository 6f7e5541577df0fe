// The upgrade report saved from the real main window: through the report
// button and through the offer after a failed upgrade, with Qt's save dialog
// answered as an operator would.
#include "log/SysDebug.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QtTest>

#include <memory>

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
const QString kStars(43, '*');
const QString kEquals(43, '=');

QString stateName(int state)
{
    static const char *const names[] = {"Unknown",  "Stopped",          "Start pending", "Stop pending",
                                        "Running",  "Continue pending", "Pause pending", "Paused"};
    return state >= 0 && state < 8 ? QString::fromLatin1(names[state]) : QStringLiteral("<state %1>").arg(state);
}

// Lines 1 to 26 of every report; line 4 (the date) is checked on its own.
QStringList expectedHead(const SysSvcInfo &after)
{
    return {kStars,
            QStringLiteral("\tLumora-470 Firmware Upgrade Log"),
            kStars,
            QString(),  // date
            QStringLiteral("SW Version: v1.5.3"),
            QString(),
            QStringLiteral("[User System Information]"),
            QStringLiteral("\tOS Type: ") + QSysInfo::productType(),
            QStringLiteral("\tOS Version: ") + QSysInfo::productVersion(),
            QStringLiteral("\tOS Kernel Version:") + QSysInfo::kernelVersion(),
            QStringLiteral("\tCpu Architecture:") + QSysInfo::currentCpuArchitecture(),
            QString(),
            kEquals,
            QStringLiteral("\tRegistry & System Sevice"),
            kEquals,
            QStringLiteral("[Registry]"),
            QStringLiteral("(4=Disabled)"),
            QStringLiteral("\tWSearch: ") + QString::number(after.wsearchReg),
            QStringLiteral("\tStorSvc: ") + QString::number(after.storageReg),
            QString(),
            QStringLiteral("[System Service]"),
            QStringLiteral("\tWSearch: ") + stateName(after.wsearchService),
            QStringLiteral("\tStorSvc: ") + stateName(after.storageService),
            QStringLiteral("\tShellHWDetection: ") + stateName(after.shellHWDetectionService),
            QStringLiteral("\tBDESVC: ") + stateName(after.bitLockerService),
            QString()};
}

// A saved report, split at its CR LF line ends.
struct Report {
    QByteArray bytes;
    QStringList lines;
    QString problem;  // empty when the file is well formed

    explicit Report(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("cannot read ") + path;
            return;
        }
        bytes = file.readAll();
        for (int i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
                problem = QStringLiteral("bare LF at byte %1").arg(i);
            if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
                problem = QStringLiteral("CR without LF at byte %1").arg(i);
        }
        if (!bytes.endsWith("\r\n"))
            problem = QStringLiteral("no line end at the end");
        lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        lines.removeLast();  // after the last line end
    }

    // Index of the section header (equals, "\t<name>", equals), -1 if absent.
    int section(const QString &name) const
    {
        for (int i = 0; i + 2 < lines.size(); ++i)
            if (lines[i] == kEquals && lines[i + 1] == '\t' + name && lines[i + 2] == kEquals)
                return i;
        return -1;
    }
    // The lines of a section up to the next section or the end.
    QStringList body(const QString &name) const
    {
        const int start = section(name);
        if (start < 0)
            return {};
        QStringList found;
        for (int i = start + 3; i < lines.size() && lines[i] != kEquals; ++i)
            found << lines[i];
        return found;
    }
    // The debug section as plain lines: the logger keeps its lines Base64
    // encoded by default, as one run of text.
    QStringList debugLines() const
    {
        const QString text = body(QStringLiteral("Debug Message")).join('\n');
        static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/=]+$"));
        const QString plain =
            base64.match(text).hasMatch() ? QString::fromLatin1(QByteArray::fromBase64(text.toLatin1())) : text;
        return plain.split('\n', Qt::SkipEmptyParts);
    }
};
}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UpgradeRig> rig;
    QString m_strDesktop;

    QString reportPath(const char *name) const { return QDir::current().absoluteFilePath(QLatin1String(name)); }

    // The fixed head of a report, its date and its debug section.
    void checkCommonParts(const Report &report)
    {
        QVERIFY2(report.problem.isEmpty(), qPrintable(report.problem));
        QVERIFY(report.lines.size() > 26);
        const QStringList head = expectedHead(rig->window()->sysStatusAfter());
        for (int i = 0; i < head.size(); ++i) {
            if (i == 3)
                continue;
            QCOMPARE(report.lines[i], head[i]);
        }
        const QString date = report.lines[3];
        QVERIFY2(date.startsWith(QStringLiteral("Date: ")) && date.size() == 6 + 19 + 1 && date.endsWith(' '),
                 qPrintable(date));
        const QDateTime when = QDateTime::fromString(date.mid(6, 19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QVERIFY(when.isValid());
        QVERIFY(qAbs(when.secsTo(QDateTime::currentDateTime())) < 300);
        QCOMPARE(report.lines[26], kEquals);  // a section follows at once

        const QStringList debug = report.debugLines();
        QVERIFY(!debug.isEmpty());
        QVERIFY(!debug.filter(QStringLiteral("Export File")).isEmpty());
        QVERIFY(report.section(QStringLiteral("Debug Message")) > report.section(QStringLiteral("MSD Content")));
    }

    bool waitForExport(int before)
    {
        return UpgradeRig::waitUntil([&] { return rig->log.count("Export file finish") > before; });
    }

private slots:
    void initTestCase()
    {
        // A home of the test's own, with the desktop folder the dialog proposes.
        const QString home = QDir::current().absoluteFilePath(QStringLiteral("home"));
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
        m_strDesktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QVERIFY(m_strDesktop.startsWith(home));
        QVERIFY(QDir().mkpath(m_strDesktop));
        rig = std::make_unique<UpgradeRig>();
        QVERIFY(rig->isReady());
    }
    void init()
    {
        // Each case starts with an empty ring: taking it echoes every record
        // once more, and the capture must hold only this case's lines.
        SysDebug::instance()->takeRecentLog();
        rig->boxes.clear();
        rig->log.clear();
        QVERIFY(rig->writePackage(QStringLiteral("V1.3.0.01-A")));
    }
    void cleanup() { rig->endCase(); }
    void cleanupTestCase() { rig.reset(); }

    void reportButtonWithTheDeviceOnItsSerialPort()
    {
        // A volume of that name is mounted too, but the device answers on
        // its serial port: no volume listing.
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(QStringLiteral("V1.2.0.00-A")));
        QVERIFY(sim);
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());
        const QString path = reportPath("report-serial.txt");
        QFile::remove(path);

        const int dialogsBefore = rig->dialogs.count();
        rig->dialogs.queueFile(path);
        QVERIFY(rig->click("btnThemeFunGenRep"));
        QVERIFY(waitForExport(0));
        QCOMPARE(rig->dialogs.count(), dialogsBefore + 1);
        QCOMPARE(rig->dialogs.last().caption, QStringLiteral("Log"));
        QCOMPARE(rig->dialogs.last().filters, QStringList{QStringLiteral("Log File(*.txt)")});
        QCOMPARE(QFileInfo(rig->dialogs.last().suggested).fileName(), QStringLiteral("FW_Log"));
        QCOMPARE(QFileInfo(rig->dialogs.last().suggested).absolutePath(), m_strDesktop);

        const Report report(path);
        checkCommonParts(report);
        QCOMPARE(report.section(QStringLiteral("MSD Content")), -1);
        QCOMPARE(report.lines[27], QStringLiteral("\tDebug Message"));
        // Locating the device for the report talks to nobody and starts nothing.
        QVERIFY(sim->receivedLines().isEmpty());
        QCOMPARE(rig->page(), 0);
        QCOMPARE(rig->boxes.count(), 0);
    }

    void reportInBootloaderModeListsTheVolume()
    {
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());
        const QString path = reportPath("report-bootloader.txt");
        QFile::remove(path);

        rig->dialogs.queueFile(path);
        QVERIFY(rig->click("btnThemeFunGenRep"));
        QVERIFY(waitForExport(0));

        const Report report(path);
        checkCommonParts(report);
        QCOMPARE(report.section(QStringLiteral("MSD Content")), 26);
        const QStringList listing = report.body(QStringLiteral("MSD Content"));
        QVERIFY2(!listing.filter(QRegularExpression(QStringLiteral("[/\\\\]READY\\.txt$"))).isEmpty(),
                 qPrintable(listing.join('|')));
        QVERIFY(rig->log.contains("output = "));
        QCOMPARE(rig->page(), 0);
    }

    void cancelledDialogWritesNothing()
    {
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());
        const QStringList before = QDir::current().entryList(QDir::Files);
        const int dialogsBefore = rig->dialogs.count();

        // No file queued: the answerer cancels.
        QVERIFY(rig->click("btnThemeFunGenRep"));
        QTRY_COMPARE_WITH_TIMEOUT(rig->dialogs.count(), dialogsBefore + 1, kStepMs);
        QVERIFY(rig->dialogs.last().answer.isEmpty());
        QTest::qWait(300);
        QVERIFY(rig->log.contains("Export File"));
        QVERIFY(!rig->log.contains("Export file finish"));
        QCOMPARE(QDir::current().entryList(QDir::Files), before);
        QVERIFY(QDir(m_strDesktop).entryList(QDir::Files).isEmpty());
    }

    void reportOfferedAfterAFailureHoldsItsTrace()
    {
        // Bootloader mode without a package: Next fails, the offer follows.
        rig->removePackage();
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());
        QVERIFY(rig->click("btnWelcomStart"));
        QTRY_VERIFY_WITH_TIMEOUT(rig->isShown("btnInfoNext"), kStepMs);
        const QString path = reportPath("report-offer.txt");
        QFile::remove(path);

        rig->boxes.queueAnswer(QMessageBox::Ok);   // "Firmware file not found!"
        rig->boxes.queueAnswer(QMessageBox::Yes);  // the report offer
        rig->dialogs.queueFile(path);
        QVERIFY(rig->click("btnInfoNext"));
        QVERIFY(rig->waitForBox(2));
        QCOMPARE(rig->boxes.shown().at(0).text, kFirmwareNotFound);
        QCOMPARE(rig->boxes.shown().at(1).text, kReportOffer);
        QCOMPARE(rig->boxes.shown().at(1).answeredWith, QMessageBox::Yes);
        QVERIFY(waitForExport(0));
        QTRY_COMPARE_WITH_TIMEOUT(rig->page(), 0, kStepMs);

        const Report report(path);
        checkCommonParts(report);
        QCOMPARE(report.section(QStringLiteral("MSD Content")), 26);
        const QStringList debug = report.debugLines();
        QVERIFY(!debug.filter(QStringLiteral("Can't read csv file under ")).isEmpty());
        QVERIFY(!debug.filter(QStringLiteral("Show MsgBox: isSerialDevChecked=0, isMSDChecked=1, isBinFileExist=0, "
                                             "isReadyFileExist=1, isTransSuccess=0"))
                     .isEmpty());
        QVERIFY(!debug.filter(QStringLiteral("Show generate log msgbox")).isEmpty());

        // The ring was emptied by the first report: a second one holds only what came after.
        const QString second = reportPath("report-second.txt");
        QFile::remove(second);
        rig->dialogs.queueFile(second);
        QVERIFY(rig->click("btnThemeFunGenRep"));
        QVERIFY(waitForExport(1));
        const Report later(second);
        QVERIFY2(later.problem.isEmpty(), qPrintable(later.problem));
        QVERIFY(later.debugLines().filter(QStringLiteral("Show MsgBox:")).isEmpty());
        QVERIFY(!later.debugLines().filter(QStringLiteral("Export File")).isEmpty());
    }
};

QTEST_MAIN(TestReport)
#include "tst_Report.moc"
