// The upgrade report: its exact text from the view, the line ends of the
// written file, the volume listing, and the export from the real window.
#include "app/CLanguageSwitch.h"
#include "app/MainWindow.h"
#include "app/ReportText.h"
#include "app/VolumeListing.h"
#include "app/mainwindowView.h"
#include "log/SysDebug.h"
#include "log/SysLog.h"
#include "tests/support/FileDialogAnswerer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "tests/support/TestDirs.h"
#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString kStars(43, '*');
const QString kRule(43, '=');

// A bare form to host the view, as the main window does.
struct ViewHost {
    QMainWindow window;
    Ui::MainWindow ui;
    std::unique_ptr<mainwindowView> view;
    ViewHost()
    {
        ui.setupUi(&window);
        view = std::make_unique<mainwindowView>(&ui, nullptr);
    }
};

QStringList reportLines(const QString &text)
{
    QStringList lines = text.split("\r\n");
    EXPECT_EQ(lines.last(), "") << "the text ends with CR LF";
    lines.removeLast();
    return lines;
}

void writeFile(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}
}  // namespace

TEST(ReportText, KnownSnapshotGivesTheExactLines)
{
    ViewHost host;
    SysSvcInfo info;
    info.storageReg = 4;
    info.wsearchReg = 2;
    info.storageService = 1;
    info.wsearchService = 4;
    info.shellHWDetectionService = 7;
    info.bitLockerService = 0;

    const QDateTime before = QDateTime::currentDateTime();
    const QString text = host.view->buildReport(info, QString(), QString());
    const QDateTime after = QDateTime::currentDateTime();

    const QStringList lines = reportLines(text);
    ASSERT_EQ(lines.size(), 26) << text.toStdString();
    EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n"))) << "only CR LF line ends";

    const QString date = lines[3];
    const QString f = "yyyy-MM-dd hh:mm:ss ";
    EXPECT_TRUE(date == "Date: " + before.toString(f) || date == "Date: " + after.toString(f)) << date.toStdString();
    EXPECT_TRUE(date.endsWith(' ')) << "one blank before the line end";

    const QStringList expected{
        kStars,
        "\tLumora-470 Firmware Upgrade Log",
        kStars,
        date,
        "SW Version: v1.5.3",
        "",
        "[User System Information]",
        "\tOS Type: " + QSysInfo::productType(),
        "\tOS Version: " + QSysInfo::productVersion(),
        "\tOS Kernel Version:" + QSysInfo::kernelVersion(),
        "\tCpu Architecture:" + QSysInfo::currentCpuArchitecture(),
        "",
        kRule,
        "\tRegistry & System Sevice",
        kRule,
        "[Registry]",
        "(4=Disabled)",
        "\tWSearch: 2",
        "\tStorSvc: 4",
        "",
        "[System Service]",
        "\tWSearch: Running",
        "\tStorSvc: Stopped",
        "\tShellHWDetection: Paused",
        "\tBDESVC: Unknown",
        "",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(host.view->userSystemInfo(), QStringList(expected.mid(6, 6)).join("\r\n") + "\r\n");
}

TEST(ReportText, ServiceStatesByName)
{
    ViewHost host;
    const QStringList names{"Unknown",          "Stopped",       "Start pending", "Stop pending",
                            "Running",          "Continue pending", "Pause pending", "Paused"};
    for (int state = 0; state < 8; ++state) {
        SysSvcInfo info;
        info.bitLockerService = state;
        const QStringList lines = reportLines(host.view->buildReport(info, QString(), QString()));
        EXPECT_EQ(lines[24], "\tBDESVC: " + names[state]) << state;
    }
    // Not a Windows state: still says what was read.
    EXPECT_EQ(host.view->serviceStateName(9), "Unknown (9)");

    // The service partner reads English whatever the operator's language.
    ASSERT_TRUE(CLanguageSwitch::instance().apply("en_XA"));
    SysSvcInfo info;
    info.bitLockerService = 4;
    EXPECT_EQ(reportLines(ViewHost().view->buildReport(info, QString(), QString()))[24], "\tBDESVC: Running");
    CLanguageSwitch::instance().apply("en");
}

TEST(ReportText, ListingAndDebugSectionsOnlyWhenPresent)
{
    ViewHost host;
    const SysSvcInfo info;
    const QString listing = "E:\\READY.txt\r\nE:\\System Volume Information";
    const QString debug = "line one\r\nline two";

    QStringList lines = reportLines(host.view->buildReport(info, listing, debug));
    ASSERT_EQ(lines.size(), 26 + 3 + 2 + 3 + 2);
    EXPECT_EQ(lines.mid(26, 5), QStringList({kRule, "\tMSD Content", kRule, "E:\\READY.txt",
                                             "E:\\System Volume Information"}));
    EXPECT_EQ(lines.mid(31), QStringList({kRule, "\tDebug Message", kRule, "line one", "line two"}));

    lines = reportLines(host.view->buildReport(info, QString(), debug));
    ASSERT_EQ(lines.size(), 26 + 5);
    EXPECT_EQ(lines[27], "\tDebug Message");

    lines = reportLines(host.view->buildReport(info, listing, QString()));
    ASSERT_EQ(lines.size(), 26 + 5);
    EXPECT_EQ(lines[27], "\tMSD Content");

    // Why there is no log file: one line before the sections.
    const QString why = "No log file: logger.log is a symbolic link, not a regular file";
    lines = reportLines(host.view->buildReport(info, listing, debug, why));
    ASSERT_EQ(lines.size(), 26 + 2 + 10);
    EXPECT_EQ(lines.mid(26, 3), QStringList({why, "", kRule}));
}

TEST(ReportText, BareLineFeedsBecomeCrLfAndPairsStay)
{
    EXPECT_EQ(ReportText::withCrLf("a\nb\r\nc\n\nd\re"), "a\r\nb\r\nc\r\n\r\nd\re");
    EXPECT_EQ(ReportText::withCrLf("\n"), "\r\n");
    EXPECT_EQ(ReportText::withCrLf(""), "");
}

TEST(VolumeListingTest, BareRecursiveByNameFoldersAfterTheirEntries)
{
    const QString root = TestDirs::fresh("listing");
    QDir dir(root);
    ASSERT_TRUE(dir.mkpath("sub/Deep"));
    ASSERT_TRUE(dir.mkpath("Alpha"));
    writeFile(root + "/b.txt");
    writeFile(root + "/READY.txt");
    writeFile(root + "/sub/z.bin");
    writeFile(root + "/sub/Deep/x");
    writeFile(root + "/Alpha/a");

    const QString sep = QDir::separator();
    const QString r = QDir::toNativeSeparators(QDir(root).absolutePath());
    const QStringList expected{
        r + sep + "Alpha",
        r + sep + "b.txt",
        r + sep + "READY.txt",
        r + sep + "sub",
        r + sep + "Alpha" + sep + "a",
        r + sep + "sub" + sep + "Deep",
        r + sep + "sub" + sep + "z.bin",
        r + sep + "sub" + sep + "Deep" + sep + "x",
    };
    EXPECT_EQ(VolumeListing::bareRecursive(root + "/"), expected.join("\r\n") + "\r\n");
    EXPECT_EQ(VolumeListing::bareRecursive(root + "/missing"), "");
    EXPECT_EQ(VolumeListing::bareRecursive(""), "");
}

// The export from the real window: the report button, the save dialog and the file.
class ReportExport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Plain lines, so the report's debug section can be read here.
        const QString dir = TestDirs::fresh("logger") + "/";
        writeFile(dir + "profile.ini", "[Sys_Debug]\nEncryptionEnable=false\n");
        SysDebug::instance()->start(dir, dir + "profile.ini");
    }
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        window->show();
    }
    void clickReport()
    {
        auto *button = window->findChild<QAbstractButton *>("btnThemeFunGenRep");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    LogCapture log;
    MessageBoxAnswerer answerer{QMessageBox::Ok};
    FileDialogAnswerer files;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ReportExport, ReportButtonWritesCrLfTextWithTheRecentLog)
{
    const QString path = TestDirs::fresh("export") + "/report.txt";
    files.queueFile(path);
    clickReport();

    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(files.last().caption, "Log");
    EXPECT_EQ(files.last().filters, QStringList("Log File(*.txt)"));
    ASSERT_TRUE(log.contains("Export file finish"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(kStars.toLatin1() + "\r\n\tLumora-470 Firmware Upgrade Log\r\n"));
    EXPECT_FALSE(bytes.contains("\r\r")) << "no doubled CR";
    for (int i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1))
        ASSERT_EQ(bytes.at(i - 1), '\r') << "bare LF at " << i;
    // No device: no volume listing, but the recent log lines are there.
    EXPECT_FALSE(bytes.contains("\tMSD Content"));
    EXPECT_TRUE(bytes.contains("\tDebug Message\r\n" + kRule.toLatin1() + "\r\n"));
    EXPECT_TRUE(bytes.contains("Export File")) << "the log line written just before the report";
    // The ring was emptied by the export.
    EXPECT_EQ(SysDebug::instance()->takeRecentLog().contains("Export File"), false);
}

TEST_F(ReportExport, CancelWritesNothing)
{
    clickReport();
    ASSERT_EQ(files.count(), 1);
    EXPECT_TRUE(files.last().answer.isEmpty());
    EXPECT_TRUE(log.contains("Export File"));
    EXPECT_FALSE(log.contains("Export file finish"));
}

TEST_F(ReportExport, UnwritableTargetIsSkippedWithoutAMessage)
{
    files.queueFile(TestDirs::fresh("nodir") + "/missing/report.txt");
    clickReport();
    ASSERT_EQ(files.count(), 1);
    EXPECT_TRUE(log.contains("Export file finish"));
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_FALSE(QFile::exists(files.last().answer));
}

// A technician who cancels once, or picks a folder that cannot be written,
// still gets the recent lines in the next report.
TEST_F(ReportExport, LinesOfAnExportThatWroteNothingGoToTheNextReport)
{
    AIS_LOG(SysLevel::Info, "ReportExport", "marker before a cancelled export");
    clickReport();
    AIS_LOG(SysLevel::Info, "ReportExport", "marker before a failed export");
    files.queueFile(TestDirs::fresh("heldLinesNoFolder") + "/missing/report.txt");
    clickReport();
    const QString path = TestDirs::fresh("heldLines") + "/report.txt";
    files.queueFile(path);
    clickReport();
    ASSERT_EQ(files.count(), 3);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int cancelled = bytes.indexOf("marker before a cancelled export");
    const int failed = bytes.indexOf("marker before a failed export");
    EXPECT_GT(cancelled, bytes.indexOf("\tDebug Message"));
    EXPECT_GT(failed, cancelled) << "oldest first";
    // Written once: the next report starts afresh.
    EXPECT_FALSE(SysDebug::instance()->takeRecentLog().contains("marker before"));
}

// One export at a time: neither the report button (reachable on Windows
// while the volume listing is awaited) nor a report offer that falls due
// starts a second export inside the first; the offer waits for its end.
TEST_F(ReportExport, OneExportAtATime)
{
    const QString dir = TestDirs::fresh("oneExport");
    files.setHoldMs(2500);  // over a refresh tick
    files.queueFile(dir + "/first.txt");
    files.queueFile(dir + "/second.txt");
    answerer.queueAnswer(QMessageBox::Ok);
    answerer.queueAnswer(QMessageBox::Yes);
    window->updateTransProgressDisp(false);  // a failure: the offer is due on the next tick
    auto *button = window->findChild<QAbstractButton *>("btnThemeFunGenRep");
    QTimer::singleShot(500, button, &QAbstractButton::click);
    clickReport();

    // The offer's export, after the first one.
    ASSERT_TRUE(QTest::qWaitFor([&dir] { return QFile::exists(dir + "/second.txt"); }, 15000));
    EXPECT_TRUE(QFile::exists(dir + "/first.txt"));
    EXPECT_EQ(files.count(), 2);
    EXPECT_EQ(files.mostOpenAtOnce(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
