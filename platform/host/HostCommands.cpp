#include "platform/host/HostCommands.h"

namespace HostCommands {

Command scConfigStart(const std::string &serviceName, const std::string &startWord)
{
    return {"sc", {"config", serviceName, "start=", startWord}};
}

Command netStart(const std::string &serviceName)
{
    return {"net", {"start", serviceName}};
}

Command netStop(const std::string &serviceName)
{
    // With a running service that depends on this one, net asks "(Y/N) [N]"
    // and waits; the runner answers on its input. No "/y": not every net
    // (Wine's among them) takes it.
    return {"net", {"stop", serviceName}};
}

std::string text(const Command &command)
{
    std::string line = command.tool;
    for (const std::string &argument : command.arguments)
        line += " " + argument;
    return line;
}

std::string quoteWindowsArgument(const std::string &argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only right before a quote.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    // Before the closing quote, too.
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

std::string windowsArguments(const Command &command)
{
    std::string line;
    for (const std::string &argument : command.arguments) {
        if (!line.empty())
            line += ' ';
        line += quoteWindowsArgument(argument);
    }
    return line;
}

std::string windowsCommandLine(const std::string &program, const Command &command)
{
    const std::string arguments = windowsArguments(command);
    const std::string head = program.find_first_of(" \t") == std::string::npos ? program : "\"" + program + "\"";
    return arguments.empty() ? head : head + " " + arguments;
}

std::string systemToolPath(const std::string &systemDir, const std::string &tool)
{
    if (systemDir.empty() || tool.empty())
        return {};
    std::string path = systemDir;
    for (char &c : path) {
        if (c == '/')
            c = '\\';
    }
    while (path.size() > 1 && path.back() == '\\')
        path.pop_back();
    return path + "\\" + tool + ".exe";
}

std::string startWordForRegistryValue(int registryStart)
{
    switch (registryStart) {
    case 3: return "demand";
    case 4: return "disabled";
    default: return "auto";
    }
}

}  // namespace HostCommands
