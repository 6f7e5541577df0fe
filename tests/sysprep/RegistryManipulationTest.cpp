// The system preparation against the simulated Windows host: real "sc" and
// "net" processes acting on the host's services and start values.
#include "platform/host/IWinHost.h"
#include "sim/host/SimWinHost.h"
#include "sysprep/CRegistryManipulation.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "tests/support/TestClock.h"
#include "tests/support/TestDirs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QStringList kInitCommands{
    "sc config WSearch start= disabled", "sc config StorSvc start= disabled", "net stop StorSvc",
    "net stop WSearch",                  "net stop ShellHWDetection",         "net stop BDESVC",
};

// Every text between brackets: shows which texts go through tr().
class BracketTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *pszSource, const char *, int) const override
    {
        return '[' + QString::fromUtf8(pszSource) + ']';
    }
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char *name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        host = std::make_unique<SimWinHost>(TestDirs::fresh(name));
        ASSERT_TRUE(host->isReady());
        host->addStockServices();
        IWinHost::setCurrent(host.get());
    }
    void TearDown() override { IWinHost::setCurrent(nullptr); }

    void setAllInTarget()
    {
        for (const char *name : {"StorSvc", "WSearch", "ShellHWDetection", "BDESVC"}) {
            SimService s = host->service(name);
            s.state = 1;
            s.start = 4;
            host->setService(name, s);
        }
    }

    // Index of the first captured line containing the piece, -1 if none.
    int lineOf(const QString &piece) const
    {
        const QStringList lines = log.lines();
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(piece))
                return i;
        }
        return -1;
    }

    std::unique_ptr<SimWinHost> host;
    LogCapture log;
    CRegistryManipulation reg;
};
}  // namespace

TEST_F(RegistryTest, OsVersionTable)
{
    struct Case {
        int major, minor, code;
        const char *extra;
        bool newerThanWin7;
    };
    const Case cases[] = {
        {5, 0, 0, nullptr, false},
        {5, 1, 1, nullptr, false},
        {5, 2, 2, nullptr, false},
        {5, 3, -1, "Win OS version greater than 5.2", false},
        {6, 0, 3, nullptr, false},
        {6, 1, 4, nullptr, false},
        {6, 2, 5, nullptr, true},
        {6, 3, 6, nullptr, true},
        {6, 4, -1, "Win OS version greater than 6.3", true},
        {10, 0, 7, nullptr, true},
        {10, 1, 8, "Win OS version greater than 10.0", true},
        {11, 0, 8, "Win major ver is greater than 10", true},
        {4, 0, -1, nullptr, false},
        {7, 0, -1, nullptr, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
        log.clear();
        host->setVersion(c.major, c.minor);
        reg.winOsVer = 99;
        EXPECT_EQ(reg.checkWinOsVer(), c.newerThanWin7);
        EXPECT_EQ(reg.winOsVer, c.code);
        const QStringList lines = log.matching("CRegistryManipulation::setWinOsVer");
        ASSERT_EQ(lines.size(), c.extra ? 2 : 1);
        if (c.extra) {
            EXPECT_TRUE(lines[0].endsWith(c.extra)) << lines[0].toStdString();
        }
        EXPECT_TRUE(lines.last().endsWith(QString("Win OS ver: %1.%2").arg(c.major).arg(c.minor)));
    }
    // Nothing about the version is asked of services or tools.
    EXPECT_TRUE(host->commandLog().isEmpty());
}

TEST_F(RegistryTest, SnapshotReadsRegistryAndServicesAndLogsInOrder)
{
    const SysSvcInfo info = reg.querySysSvcInfo();
    EXPECT_EQ(info.storageReg, 3);
    EXPECT_EQ(info.wsearchReg, 2);
    EXPECT_EQ(info.storageService, 4);
    EXPECT_EQ(info.wsearchService, 4);
    EXPECT_EQ(info.shellHWDetectionService, 4);
    EXPECT_EQ(info.bitLockerService, 1);

    const QStringList expected{"WSearch Reg : 2",           "Storage Reg : 3",
                               "Storage Service : 4",       "WSearch Service : 4",
                               "ShellHWDetection Service : 4", "bit locker Service : 1"};
    const QStringList lines = log.matching("CRegistryManipulation::querySysSvcInfo");
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(lines[i].endsWith(expected[i])) << lines[i].toStdString();
}

TEST_F(RegistryTest, InitSystemStatusDisablesAndStopsAllFour)
{
    EXPECT_TRUE(reg.initSystemStatus());
    EXPECT_EQ(host->commandLog(), kInitCommands);
    for (const char *name : {"StorSvc", "WSearch", "ShellHWDetection", "BDESVC"})
        EXPECT_EQ(host->service(name).state, 1) << name;
    EXPECT_EQ(host->service("StorSvc").start, 4);
    EXPECT_EQ(host->service("WSearch").start, 4);

    EXPECT_TRUE(log.contains("Set Reg value: sc config WSearch start= disabled"));
    EXPECT_TRUE(log.contains("Set Reg value info: [SC] ChangeServiceConfig SUCCESS"));
    EXPECT_TRUE(log.contains("net stop StorSvc success"));
    EXPECT_TRUE(log.contains("Service Proc Info: The StorSvc service was stopped successfully."));
    // BitLocker was stopped already: net fails, but only a time-out is a failure.
    EXPECT_TRUE(log.contains("net stop BDESVC success"));
    const int begin = lineOf("Init system registry & service");
    const int finish = lineOf("Init system registry & service finish");
    const int success = lineOf("System init success");
    EXPECT_GE(begin, 0);
    EXPECT_LT(begin, finish);
    EXPECT_LT(finish, success);
    EXPECT_FALSE(log.contains("System service status fail"));
}

TEST_F(RegistryTest, TargetAlreadyReachedStillRunsAllSixCommands)
{
    setAllInTarget();
    EXPECT_TRUE(reg.isSysStatusCorrect());
    EXPECT_TRUE(reg.initSystemStatus());
    EXPECT_EQ(host->commandLog(), kInitCommands);
}

TEST_F(RegistryTest, ServiceThatKeepsRunningFailsTheCheck)
{
    SimService search = host->service("WSearch");
    search.stopRefusals = -1;
    host->setService("WSearch", search);

    EXPECT_FALSE(reg.initSystemStatus());
    EXPECT_TRUE(log.contains("System init fail"));
    EXPECT_TRUE(log.contains("System service status fail"));
    EXPECT_TRUE(log.contains("Current Storage Service : 1"));
    EXPECT_TRUE(log.contains("Current WSearch Service : 4"));
    EXPECT_TRUE(log.contains("Current ShellHWDetection Service : 1"));
    EXPECT_TRUE(log.contains("Current bit locker Service : 1"));
    // The registry values are not repeated in the failure lines.
    EXPECT_FALSE(log.contains("Current WSearch Reg"));
}

TEST_F(RegistryTest, MissingServiceReadsUnknownAndFailsTheCheck)
{
    setAllInTarget();
    host->removeService("BDESVC");

    EXPECT_EQ(reg.querySystemService("BDESVC"), 0);
    EXPECT_EQ(log.count("OpenService() failed : 1060\n"), 1);
    EXPECT_FALSE(reg.isSysStatusCorrect());
    EXPECT_TRUE(log.contains("Current bit locker Service : 0"));

    log.clear();
    EXPECT_FALSE(reg.initSystemStatus());
    EXPECT_TRUE(log.contains("Service Proc Info: The service name is invalid."));
}

TEST_F(RegistryTest, NonAdministratorIsToldAndNothingIsConfigured)
{
    host->setAdmin(false);
    MessageBoxAnswerer answerer;

    reg.setRegValue("StorSvc", 4);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.last().kind, 0);
    EXPECT_EQ(answerer.last().title, "Information");
    EXPECT_EQ(answerer.last().text,
              "System access failed. Make sure you are in Administrator Mode and run the program again.");
    EXPECT_TRUE(host->commandLog().isEmpty());
    EXPECT_FALSE(log.contains("Set Reg value"));

    // The services are still tried; net refuses them.
    answerer.clear();
    EXPECT_FALSE(reg.initSystemStatus());
    EXPECT_EQ(answerer.count(), 2);
    EXPECT_EQ(host->commandLog(),
              (QStringList{"net stop StorSvc", "net stop WSearch", "net stop ShellHWDetection", "net stop BDESVC"}));
    EXPECT_TRUE(log.contains("OpenManager() failed : 5\n"));
    EXPECT_EQ(host->service("StorSvc").state, 4);
    EXPECT_EQ(host->service("StorSvc").start, 3);

    // Both boxes' titles are in the operator's language, as their texts are.
    BracketTranslator translator;
    QCoreApplication::installTranslator(&translator);
    reg.retranslate();
    answerer.clear();
    reg.setRegValue("StorSvc", 4);
    reg.restoreRegValue("StorSvc", 3);
    QCoreApplication::removeTranslator(&translator);
    ASSERT_EQ(answerer.count(), 2);
    for (const auto &box : answerer.shown()) {
        EXPECT_EQ(box.title.toStdString(), "[Information]");
        EXPECT_TRUE(box.text.startsWith('[')) << box.text.toStdString();
    }
}

TEST_F(RegistryTest, StartTypesOfSetRegValue)
{
    reg.setRegValue("WSearch", 2);
    EXPECT_TRUE(log.contains("Reg startup type value doesn't exist !"));
    EXPECT_TRUE(host->commandLog().isEmpty());

    reg.setRegValue("WSearch", 4);
    EXPECT_EQ(host->service("WSearch").start, 4);
    // Type 3 writes "auto" whatever the value was before.
    reg.setRegValue("WSearch", 3);
    reg.setRegValue("StorSvc", 3);
    EXPECT_EQ(host->service("WSearch").start, 2);
    EXPECT_EQ(host->service("StorSvc").start, 2);
    EXPECT_EQ(host->commandLog(), (QStringList{"sc config WSearch start= disabled", "sc config WSearch start= auto",
                                              "sc config StorSvc start= auto"}));
}

TEST_F(RegistryTest, RestorePutsBackTheRecordedStartValue)
{
    const struct {
        int recorded;
        const char *word;
        int after;
    } cases[] = {{2, "auto", 2}, {3, "demand", 3}, {4, "disabled", 4}, {0, "auto", 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.recorded);
        host->clearCommandLog();
        reg.setRegValue("StorSvc", 4);
        reg.restoreRegValue("StorSvc", c.recorded);
        EXPECT_EQ(host->commandLog().last(), QString("sc config StorSvc start= ") + c.word);
        EXPECT_EQ(host->service("StorSvc").start, c.after);
    }
    EXPECT_TRUE(log.contains("Set Reg value: sc config StorSvc start= demand"));
}

TEST_F(RegistryTest, HangingNetIsClosedAfterSixSecondsWhileTheGuiRuns)
{
    SimService search = host->service("WSearch");
    search.netHangs = true;
    host->setService("WSearch", search);

    int ticks = 0;
    QTimer gui;
    QObject::connect(&gui, &QTimer::timeout, [&ticks] { ++ticks; });
    gui.start(20);

    // A quarter second a look: about 28 polling steps of the wait.
    TestClock clock;
    clock.stepOnRead(250);
    const int64_t started = clock.steadyMs();
    reg.enableService("WSearch", false);
    const int64_t elapsed = clock.steadyMs() - started;

    EXPECT_GE(elapsed, 6000);
    EXPECT_LT(elapsed, 10000);
    EXPECT_GT(ticks, 20) << "events were not processed while waiting";
    EXPECT_TRUE(log.contains("net stop WSearch fail"));
    EXPECT_EQ(host->service("WSearch").state, 4);
    EXPECT_EQ(host->commandLog(), QStringList{"net stop WSearch"});
}

TEST_F(RegistryTest, HangingScIsAbandonedAfterThirtySeconds)
{
    SimService storage = host->service("StorSvc");
    storage.scHangs = true;
    host->setService("StorSvc", storage);

    TestClock clock;
    clock.stepOnRead(2500);
    const int64_t started = clock.steadyMs();
    reg.setRegValue("StorSvc", 4);
    const int64_t elapsed = clock.steadyMs() - started;

    EXPECT_GE(elapsed, 30000);
    EXPECT_LT(elapsed, 45000);
    EXPECT_TRUE(log.contains("Set Reg value: sc config StorSvc start= disabled"));
    EXPECT_EQ(host->service("StorSvc").start, 3);
}

TEST_F(RegistryTest, HostWithoutToolsFailsAtOnce)
{
    IWinHost::setCurrent(nullptr);  // the native host: no Windows here
    QElapsedTimer clock;
    clock.start();
    reg.enableService("WSearch", true);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(log.contains("net start WSearch fail"));
    EXPECT_FALSE(reg.checkWinOsVer());
    EXPECT_EQ(reg.winOsVer, -1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
