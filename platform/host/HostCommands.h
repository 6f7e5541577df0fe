#pragma once

#include <string>
#include <vector>

// The service command lines and where their programs live. Pure text
// functions, usable on every platform.
namespace HostCommands {

// One command: the tool ("sc", "net") and its arguments, each passed to the
// process as one argument so a name never needs quoting.
struct Command {
    std::string tool;
    std::vector<std::string> arguments;
};

// "sc config NAME start= WORD" (the blank after "start=" is sc's syntax).
Command scConfigStart(const std::string &serviceName, const std::string &startWord);
// "net start NAME" / "net stop NAME".
Command netStart(const std::string &serviceName);
Command netStop(const std::string &serviceName);

// The command as one would type it: tool and arguments joined by blanks.
std::string text(const Command &command);

// One argument as a Windows program reads it back from its command line
// (CommandLineToArgvW rules): bare when it has no blank, tab or quote and is
// not empty; otherwise quoted, with backslashes doubled before a quote.
std::string quoteWindowsArgument(const std::string &argument);
// The arguments of the command, each quoted as needed, joined by blanks:
// what Windows gets after the program, exactly.
std::string windowsArguments(const Command &command);
// The whole line Windows runs: the program (quoted when it has a blank) and
// the arguments, e.g. "C:\Windows\System32\sc.exe config StorSvc start= disabled".
std::string windowsCommandLine(const std::string &program, const Command &command);

// The tool's program in the system folder, e.g. "C:\Windows\System32" and
// "sc" -> "C:\Windows\System32\sc.exe". Forward slashes become backslashes
// and a trailing separator is not doubled; an empty folder gives "".
std::string systemToolPath(const std::string &systemDir, const std::string &tool);

// The sc start word for a registry "Start" value: 2 "auto", 3 "demand",
// 4 "disabled"; every other value (0 = absent or unreadable) "auto".
std::string startWordForRegistryValue(int registryStart);

}  // namespace HostCommands
