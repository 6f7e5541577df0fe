// The simulated host's tools run as real processes, the way the system
// preparation runs them.
#include "sim/host/SimWinHost.h"
#include "tests/support/TestDirs.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
struct ToolRun {
    int exitCode = -1;
    QString output;
};

// Standard input gets `input` and is then closed.
ToolRun run(SimWinHost &host, const std::string &tool, const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(QString::fromStdString(host.toolProgram(tool)), args);
    process.write(input);
    process.closeWriteChannel();
    ToolRun result;
    if (!process.waitForFinished(10000))
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return result;
}
}  // namespace

TEST(SimWinHost, ScConfigSetsTheStartValue)
{
    SimWinHost host(TestDirs::fresh("sc-config"));
    ASSERT_TRUE(host.isReady());
    host.addStockServices();

    ToolRun r = run(host, "sc", {"config", "WSearch", "start=", "disabled"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.contains("[SC] ChangeServiceConfig SUCCESS"));
    EXPECT_EQ(host.service("WSearch").start, 4);
    EXPECT_EQ(host.readRegistryInt("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\WSearch\\", "Start"), 4);

    r = run(host, "sc", {"config", "WSearch", "start=", "demand"});
    EXPECT_EQ(host.service("WSearch").start, 3);

    // sc's syntax needs the blank after "start=".
    r = run(host, "sc", {"config", "WSearch", "start=auto"});
    // POSIX keeps only the low byte of Windows' exit codes.
    EXPECT_EQ(r.exitCode, 1639 & 0xff);
    EXPECT_TRUE(r.output.contains("USAGE"));
    EXPECT_EQ(host.service("WSearch").start, 3);

    r = run(host, "sc", {"config", "NoSuchSvc", "start=", "auto"});
    EXPECT_EQ(r.exitCode, 1060 & 0xff);
    EXPECT_TRUE(r.output.contains("does not exist"));

    EXPECT_EQ(host.commandLog(), (QStringList{"sc config WSearch start= disabled", "sc config WSearch start= demand",
                                             "sc config WSearch start=auto", "sc config NoSuchSvc start= auto"}));
}

TEST(SimWinHost, NetStopsAndStartsLikeWindows)
{
    SimWinHost host(TestDirs::fresh("net"));
    host.addStockServices();

    ToolRun r = run(host, "net", {"stop", "StorSvc"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(host.service("StorSvc").state, 1);

    r = run(host, "net", {"stop", "StorSvc"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains("is not started"));

    r = run(host, "net", {"start", "StorSvc"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(host.service("StorSvc").state, 4);

    r = run(host, "net", {"start", "StorSvc"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains("already been started"));

    // A disabled service cannot be started.
    SimService bitLocker = host.service("BDESVC");
    bitLocker.start = 4;
    host.setService("BDESVC", bitLocker);
    r = run(host, "net", {"start", "BDESVC"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains("System error 1058"));
    EXPECT_EQ(host.service("BDESVC").state, 1);

    r = run(host, "net", {"stop", "NoSuchSvc"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains("service name is invalid"));
}

TEST(SimWinHost, RefusedStopsAreCountedDown)
{
    SimWinHost host(TestDirs::fresh("refuse"));
    host.addStockServices();
    SimService search = host.service("WSearch");
    search.stopRefusals = 2;
    host.setService("WSearch", search);

    EXPECT_EQ(run(host, "net", {"stop", "WSearch"}).exitCode, 2);
    EXPECT_EQ(run(host, "net", {"stop", "WSearch"}).exitCode, 2);
    EXPECT_EQ(host.service("WSearch").state, 4);
    EXPECT_EQ(run(host, "net", {"stop", "WSearch"}).exitCode, 0);
    EXPECT_EQ(host.service("WSearch").state, 1);
}

TEST(SimWinHost, NonAdministratorIsDenied)
{
    SimWinHost host(TestDirs::fresh("user"));
    host.addStockServices();
    host.setAdmin(false);
    EXPECT_FALSE(host.isUserAdmin());

    EXPECT_EQ(run(host, "sc", {"config", "StorSvc", "start=", "disabled"}).exitCode, 5);
    const ToolRun r = run(host, "net", {"stop", "StorSvc"});
    EXPECT_TRUE(r.output.contains("Access is denied"));
    EXPECT_EQ(host.service("StorSvc").start, 3);
    EXPECT_EQ(host.service("StorSvc").state, 4);

    // The manager cannot be opened with all access by a plain user.
    const ServiceQuery q = host.queryServiceState("StorSvc");
    EXPECT_EQ(q.failure, ServiceQuery::FailedOpenManager);
    EXPECT_EQ(q.error, 5u);
}

// A running service that needs the one being stopped: net asks first and
// reads the answer from its standard input, unless /y answered in advance.
TEST(SimWinHost, NetStopAsksAboutRunningDependents)
{
    SimWinHost host(TestDirs::fresh("net-dependents"));
    host.addStockServices();
    SimService workFolders;
    workFolders.state = 4;
    workFolders.dependsOn = {"WSearch"};
    host.setService("WorkFolders", workFolders);
    const QString question = "The following services are dependent on the WSearch service.\n"
                             "Stopping the WSearch service will also stop these services.\n\n   WorkFolders\n\n"
                             "Do you want to continue this operation? (Y/N) [N]: ";

    ToolRun r = run(host, "net", {"stop", "WSearch"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.startsWith(question)) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains("No valid response was provided."));
    r = run(host, "net", {"stop", "WSearch"}, "\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(host.service("WSearch").state, 4);
    EXPECT_EQ(host.service("WorkFolders").state, 4);

    r = run(host, "net", {"stop", "WSearch"}, "Y\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.contains("The WorkFolders service was stopped successfully."));
    EXPECT_EQ(host.service("WSearch").state, 1);
    EXPECT_EQ(host.service("WorkFolders").state, 1);

    EXPECT_EQ(run(host, "net", {"start", "WSearch"}).exitCode, 0);
    host.setService("WorkFolders", workFolders);
    r = run(host, "net", {"stop", "WSearch", "/y"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(r.output.contains("(Y/N)"));
    EXPECT_EQ(host.service("WSearch").state, 1);
    EXPECT_EQ(host.service("WorkFolders").state, 1);
}

TEST(SimWinHost, QueriesAndRegistry)
{
    SimWinHost host(TestDirs::fresh("query"));
    host.addStockServices();
    host.removeService("BDESVC");

    EXPECT_EQ(host.queryServiceState("WSearch").state, 4);
    const ServiceQuery missing = host.queryServiceState("BDESVC");
    EXPECT_EQ(missing.state, 0);
    EXPECT_EQ(missing.failure, ServiceQuery::FailedOpenService);
    EXPECT_EQ(missing.error, 1060u);

    const std::string key = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
    EXPECT_EQ(host.readRegistryInt(key + "StorSvc\\", "Start"), 3);
    EXPECT_EQ(host.readRegistryInt(key + "StorSvc", "Start"), 3);
    EXPECT_EQ(host.readRegistryInt(key + "BDESVC\\", "Start"), 0);
    EXPECT_EQ(host.readRegistryInt(key + "StorSvc\\", "Type"), 0);
    EXPECT_EQ(host.readRegistryInt("HKEY_CURRENT_USER\\Software\\StorSvc\\", "Start"), 0);
    EXPECT_EQ(host.toolProgram("xcopy"), "");
}

TEST(SimWinHost, FolderWithBlanksWorks)
{
    SimWinHost host(TestDirs::fresh("Program Files") + "/Win Dows/System 32");
    ASSERT_TRUE(host.isReady());
    host.addStockServices();
    EXPECT_EQ(run(host, "net", {"stop", "ShellHWDetection"}).exitCode, 0);
    EXPECT_EQ(host.service("ShellHWDetection").state, 1);
    EXPECT_EQ(host.commandLog(), QStringList{"net stop ShellHWDetection"});
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
