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
    return {"net", {"stop", serviceName}};
}

std::string text(const Command &command)
{
    std::string line = command.tool;
    for (const std::string &argument : command.arguments)
        line += " " + argument;
    return line;
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
