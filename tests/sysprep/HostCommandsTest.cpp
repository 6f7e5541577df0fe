#include "platform/host/HostCommands.h"
#include "platform/host/IWinHost.h"
#include "platform/host/NativeWinHost.h"

#include <gtest/gtest.h>

using HostCommands::Command;

TEST(HostCommands, ServiceCommandsKeepEveryPieceAsOneArgument)
{
    const Command sc = HostCommands::scConfigStart("StorSvc", "disabled");
    EXPECT_EQ(sc.tool, "sc");
    EXPECT_EQ(sc.arguments, (std::vector<std::string>{"config", "StorSvc", "start=", "disabled"}));
    EXPECT_EQ(HostCommands::text(sc), "sc config StorSvc start= disabled");

    EXPECT_EQ(HostCommands::text(HostCommands::netStart("WSearch")), "net start WSearch");
    EXPECT_EQ(HostCommands::text(HostCommands::netStop("BDESVC")), "net stop BDESVC");

    // A name with a blank or a quote stays one argument; nothing is re-split.
    const Command odd = HostCommands::netStop("My \"odd\" svc");
    ASSERT_EQ(odd.arguments.size(), 2u);
    EXPECT_EQ(odd.arguments[1], "My \"odd\" svc");
}

// The lines as Windows receives them from the system preparation.
TEST(HostCommands, WindowsCommandLinesOfTheServiceCommands)
{
    const std::string sc = "C:\\Windows\\System32\\sc.exe";
    const std::string net = "C:\\Windows\\System32\\net.exe";
    EXPECT_EQ(HostCommands::windowsCommandLine(sc, HostCommands::scConfigStart("StorSvc", "disabled")),
              "C:\\Windows\\System32\\sc.exe config StorSvc start= disabled");
    EXPECT_EQ(HostCommands::windowsCommandLine(sc, HostCommands::scConfigStart("WSearch", "auto")),
              "C:\\Windows\\System32\\sc.exe config WSearch start= auto");
    EXPECT_EQ(HostCommands::windowsCommandLine(net, HostCommands::netStart("ShellHWDetection")),
              "C:\\Windows\\System32\\net.exe start ShellHWDetection");
    EXPECT_EQ(HostCommands::windowsCommandLine(net, HostCommands::netStop("BDESVC")),
              "C:\\Windows\\System32\\net.exe stop BDESVC");
    // "start=" and its word stay two arguments: sc wants the blank between them.
    EXPECT_EQ(HostCommands::windowsArguments(HostCommands::scConfigStart("StorSvc", "demand")),
              "config StorSvc start= demand");

    // A system folder with blanks: the program is quoted, its backslashes stay single.
    EXPECT_EQ(HostCommands::windowsCommandLine(HostCommands::systemToolPath("D:\\Win Dows\\System 32", "net"),
                                               HostCommands::netStop("WSearch")),
              "\"D:\\Win Dows\\System 32\\net.exe\" stop WSearch");
    // A name with a blank or quote reaches the tool as one argument.
    EXPECT_EQ(HostCommands::windowsArguments(HostCommands::netStop("My svc")), "stop \"My svc\"");
    EXPECT_EQ(HostCommands::windowsArguments(HostCommands::netStop("My \"odd\" svc")),
              "stop \"My \\\"odd\\\" svc\"");
}

TEST(HostCommands, WindowsArgumentQuoting)
{
    EXPECT_EQ(HostCommands::quoteWindowsArgument("StorSvc"), "StorSvc");
    EXPECT_EQ(HostCommands::quoteWindowsArgument(""), "\"\"");
    EXPECT_EQ(HostCommands::quoteWindowsArgument("a b"), "\"a b\"");
    EXPECT_EQ(HostCommands::quoteWindowsArgument("a\tb"), "\"a\tb\"");
    // Backslashes are plain characters unless a quote follows them.
    EXPECT_EQ(HostCommands::quoteWindowsArgument("C:\\x\\y"), "C:\\x\\y");
    EXPECT_EQ(HostCommands::quoteWindowsArgument("C:\\Program Files\\x"), "\"C:\\Program Files\\x\"");
    // A trailing backslash would escape the closing quote: doubled.
    EXPECT_EQ(HostCommands::quoteWindowsArgument("E:\\ root\\"), "\"E:\\ root\\\\\"");
    // A quote is escaped, and so are the backslashes right before it.
    EXPECT_EQ(HostCommands::quoteWindowsArgument("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(HostCommands::quoteWindowsArgument("a\\\"b"), "\"a\\\\\\\"b\"");
}

TEST(HostCommands, SystemToolPathUsesBackslashesOnce)
{
    EXPECT_EQ(HostCommands::systemToolPath("C:\\Windows\\System32", "sc"), "C:\\Windows\\System32\\sc.exe");
    EXPECT_EQ(HostCommands::systemToolPath("C:\\Windows\\System32\\", "net"), "C:\\Windows\\System32\\net.exe");
    EXPECT_EQ(HostCommands::systemToolPath("C:/Windows/System32/", "net"), "C:\\Windows\\System32\\net.exe");
    EXPECT_EQ(HostCommands::systemToolPath("C:\\", "sc"), "C:\\sc.exe");
    // A system folder with blanks is one path; the process layer passes it whole.
    EXPECT_EQ(HostCommands::systemToolPath("D:\\Win Dows\\System 32", "sc"), "D:\\Win Dows\\System 32\\sc.exe");
    EXPECT_EQ(HostCommands::systemToolPath("", "sc"), "");
}

TEST(HostCommands, RecordedStartValuesMapToTheirWords)
{
    EXPECT_EQ(HostCommands::startWordForRegistryValue(2), "auto");
    EXPECT_EQ(HostCommands::startWordForRegistryValue(3), "demand");
    EXPECT_EQ(HostCommands::startWordForRegistryValue(4), "disabled");
    EXPECT_EQ(HostCommands::startWordForRegistryValue(0), "auto");
    EXPECT_EQ(HostCommands::startWordForRegistryValue(1), "auto");
    EXPECT_EQ(HostCommands::startWordForRegistryValue(-1), "auto");
}

#ifndef _WIN32
TEST(NativeWinHost, OffWindowsThereIsNothingToChange)
{
    NativeWinHost host;
    int major = -5;
    int minor = -5;
    EXPECT_FALSE(host.osVersion(major, minor));
    EXPECT_EQ(major, 0);
    EXPECT_EQ(minor, 0);
    EXPECT_FALSE(host.isUserAdmin());
    const ServiceQuery query = host.queryServiceState("WSearch");
    EXPECT_EQ(query.state, 0);
    EXPECT_EQ(query.failure, ServiceQuery::FailedOpenManager);
    EXPECT_EQ(host.readRegistryInt("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\WSearch\\", "Start"), 0);
    EXPECT_EQ(host.toolProgram("sc"), "");
}
#endif

TEST(IWinHost, CurrentFollowsTheSelection)
{
    NativeWinHost other;
    IWinHost *const native = &IWinHost::current();
    IWinHost::setCurrent(&other);
    EXPECT_EQ(&IWinHost::current(), &other);
    IWinHost::setCurrent(nullptr);
    EXPECT_EQ(&IWinHost::current(), native);
}
