// A start-up check killed between changing the host and handing it back: the
// next start must hand the system back from the record the killed run left.
// The program runs as a real process (sysprep_handback_driver) on the
// simulated Windows host, whose state lives in a folder both runs share.
#include "sim/host/SimWinHost.h"
#include "sysprep/SysSnapshotFile.h"
#include "tests/support/TestDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/types.h>

namespace {
const QStringList kInitCommands{
    "sc config WSearch start= disabled", "sc config StorSvc start= disabled", "net stop StorSvc",
    "net stop WSearch",                  "net stop ShellHWDetection",         "net stop BDESVC",
};
// The hand-back of the stock Windows 10 host: the recorded start words, and
// the services that were running started again.
const QStringList kStockHandBack{
    "sc config WSearch start= auto", "sc config StorSvc start= demand", "net start StorSvc",
    "net start WSearch",             "net start ShellHWDetection",      "net stop BDESVC",
};
const QString kStockBefore = "before=3,2,4,4,4,1";

struct ProgramRun {
    std::unique_ptr<QProcess> process;
    QString output;
};

class HandBackAfterKill : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString base =
            TestDirs::fresh(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        hostDir = base + "/host with blanks";
        recordDir = base + "/program";
        QDir().mkpath(recordDir);
        host = std::make_unique<SimWinHost>(hostDir);
        ASSERT_TRUE(host->isReady());
        host->addStockServices();
        record = std::make_unique<SysSnapshotFile>(recordDir + "/" + SysSnapshotFile::kFileName);
    }

    // Starts the program and waits until its start-up check is through.
    ProgramRun start(const char *mode)
    {
        ProgramRun run;
        run.process = std::make_unique<QProcess>();
        run.process->setProcessChannelMode(QProcess::MergedChannels);
        run.process->start(QStringLiteral(AIS_HANDBACK_DRIVER), {hostDir, recordDir, QString::fromLatin1(mode)});
        QElapsedTimer elapsed;
        elapsed.start();
        while (!run.output.contains("ready") && !elapsed.hasExpired(60000)) {
            if (!run.process->waitForReadyRead(500) && run.process->state() == QProcess::NotRunning)
                break;
            run.output += QString::fromLocal8Bit(run.process->readAll());
        }
        return run;
    }

    static QString finish(ProgramRun &run)
    {
        run.process->waitForFinished(60000);
        run.output += QString::fromLocal8Bit(run.process->readAll());
        return run.output;
    }

    // A tool the killed run left hanging would outlive the test by minutes:
    // end the ones started from this test's host folder.
    void endLeftTools() const
    {
        const QByteArray prefix = QFile::encodeName(hostDir) + "/";
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            bool isPid = false;
            const qint64 id = pid.toLongLong(&isPid);
            if (!isPid)
                continue;
            QFile cmdline("/proc/" + pid + "/cmdline");
            if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().startsWith(prefix))
                ::kill(static_cast<pid_t>(id), SIGKILL);
        }
    }

    static QString line(const QString &output, const QString &start)
    {
        for (const QString &l : output.split('\n')) {
            if (l.startsWith(start))
                return l.trimmed();
        }
        return {};
    }

    void expectStockHost()
    {
        EXPECT_EQ(host->service("StorSvc").start, 3);
        EXPECT_EQ(host->service("StorSvc").state, 4);
        EXPECT_EQ(host->service("WSearch").start, 2);
        EXPECT_EQ(host->service("WSearch").state, 4);
        EXPECT_EQ(host->service("ShellHWDetection").state, 4);
        EXPECT_EQ(host->service("BDESVC").state, 1);
    }

    QString hostDir;
    QString recordDir;
    std::unique_ptr<SimWinHost> host;
    std::unique_ptr<SysSnapshotFile> record;
};
}  // namespace

TEST_F(HandBackAfterKill, NextStartHandsBackFromTheRecordThenRecordsAfresh)
{
    // First run: prepared the host, then killed before any hand-back.
    ProgramRun first = start("wait");
    ASSERT_EQ(line(first.output, "ready"), "ready " + kStockBefore) << first.output.toStdString();
    first.process->kill();  // SIGKILL: no destructor, no hand-back
    ASSERT_TRUE(first.process->waitForFinished(10000));
    EXPECT_EQ(first.process->exitStatus(), QProcess::CrashExit);

    // The host is left changed, and the record of how it was is on disk.
    EXPECT_EQ(host->commandLog(), kInitCommands);
    EXPECT_EQ(host->service("StorSvc").start, 4);
    EXPECT_EQ(host->service("WSearch").start, 4);
    for (const char *name : {"StorSvc", "WSearch", "ShellHWDetection", "BDESVC"})
        EXPECT_EQ(host->service(name).state, 1) << name;
    const std::optional<SysSvcInfo> left = record->load();
    ASSERT_TRUE(left.has_value());
    EXPECT_EQ(left->storageReg, 3);
    EXPECT_EQ(left->wsearchReg, 2);
    EXPECT_EQ(left->storageService, 4);
    EXPECT_EQ(left->wsearchService, 4);
    EXPECT_EQ(left->shellHWDetectionService, 4);
    EXPECT_EQ(left->bitLockerService, 1);

    // Second run: hands back from the record first, so what it records as
    // "before" is the host as it was before the killed run, not as that run left it.
    host->clearCommandLog();
    ProgramRun second = start("close");
    const QString output = finish(second);
    EXPECT_EQ(line(output, "ready"), "ready " + kStockBefore) << output.toStdString();
    EXPECT_EQ(line(output, "closed"), "closed") << output.toStdString();
    EXPECT_EQ(second.process->exitCode(), 0);
    EXPECT_EQ(host->commandLog(), kStockHandBack + kInitCommands + kStockHandBack);

    // Closed normally: the host is as it was at first, and the record is gone.
    expectStockHost();
    EXPECT_FALSE(record->exists());
    EXPECT_EQ(QDir(recordDir).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(HandBackAfterKill, RecordIsOnDiskBeforeTheHostIsChanged)
{
    // A "net stop" that never returns holds the first run inside the change;
    // the record must already be there when it is killed at that moment.
    SimService shell = host->service("ShellHWDetection");
    shell.netHangs = true;
    host->setService("ShellHWDetection", shell);

    QProcess first;
    first.start(QStringLiteral(AIS_HANDBACK_DRIVER), {hostDir, recordDir, "wait"});
    ASSERT_TRUE(first.waitForStarted(10000));
    QElapsedTimer elapsed;
    elapsed.start();
    while (!host->commandLog().contains("net stop ShellHWDetection") && !elapsed.hasExpired(60000))
        QThread::msleep(50);
    ASSERT_TRUE(host->commandLog().contains("net stop ShellHWDetection")) << host->commandLog().join('\n').toStdString();
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    endLeftTools();
    EXPECT_EQ(host->service("StorSvc").start, 4);
    ASSERT_TRUE(record->load().has_value());
    EXPECT_EQ(record->load()->storageService, 4);

    shell.netHangs = false;
    shell.state = 1;  // the hanging stop got as far as stopping it
    host->setService("ShellHWDetection", shell);
    ProgramRun second = start("close");
    const QString output = finish(second);
    EXPECT_EQ(line(output, "ready"), "ready " + kStockBefore) << output.toStdString();
    expectStockHost();
    EXPECT_FALSE(record->exists());
}

TEST_F(HandBackAfterKill, GarbageRecordIsRefusedAndReplaced)
{
    {
        QFile file(record->path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("version=1\nstorageReg=banana\n");
    }
    ProgramRun run = start("wait");
    ASSERT_EQ(line(run.output, "ready"), "ready " + kStockBefore) << run.output.toStdString();
    // Nothing handed back from a record that is not one; the new one replaced it.
    EXPECT_EQ(host->commandLog(), kInitCommands);
    ASSERT_TRUE(record->load().has_value());
    EXPECT_EQ(record->load()->wsearchReg, 2);
    run.process->kill();
    run.process->waitForFinished(10000);
}

// A second copy started while the first is still running must not undo the
// first one's preparation, nor take or delete its record.
TEST_F(HandBackAfterKill, SecondCopyLeavesTheRunningOnesRecordAlone)
{
    ProgramRun first = start("wait");
    ASSERT_EQ(line(first.output, "ready"), "ready " + kStockBefore) << first.output.toStdString();
    host->clearCommandLog();

    ProgramRun second = start("close");
    const QString output = finish(second);
    // It finds the host as the first one left it, and hands back to that.
    EXPECT_EQ(line(output, "ready"), "ready before=4,4,1,1,1,1") << output.toStdString();
    EXPECT_EQ(host->commandLog().mid(0, kInitCommands.size()), kInitCommands);
    EXPECT_FALSE(host->commandLog().contains("net start StorSvc"));
    ASSERT_TRUE(record->load().has_value());
    EXPECT_EQ(record->load()->storageReg, 3);

    // The first one's record still serves the start after it is killed.
    first.process->kill();
    ASSERT_TRUE(first.process->waitForFinished(10000));
    ProgramRun third = start("close");
    const QString thirdOutput = finish(third);
    EXPECT_EQ(line(thirdOutput, "ready"), "ready " + kStockBefore) << thirdOutput.toStdString();
    expectStockHost();
    EXPECT_FALSE(record->exists());
}

TEST_F(HandBackAfterKill, NormalCloseLeavesNoRecord)
{
    ProgramRun run = start("close");
    const QString output = finish(run);
    EXPECT_EQ(line(output, "closed"), "closed") << output.toStdString();
    EXPECT_EQ(host->commandLog(), kInitCommands + kStockHandBack);
    expectStockHost();
    EXPECT_FALSE(record->exists());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
