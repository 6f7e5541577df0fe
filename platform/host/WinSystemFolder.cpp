// Win32 only, no Qt: the drivers of tools/win use it too.
#include "platform/host/SystemFolder.h"
#include "platform/host/HostCommands.h"

#include <windows.h>

namespace SystemFolder {

std::string path()
{
    wchar_t dir[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, dir, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, dir, static_cast<int>(length), &result[0], size, nullptr, nullptr);
    return result;
}

std::string program(const std::string &tool)
{
    return HostCommands::systemToolPath(path(), tool);
}

}  // namespace SystemFolder
