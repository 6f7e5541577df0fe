// Windows backend of the host: Win32 only, no Qt, so it cross-compiles alone.
// The registry read is in WinNativeWinHostRegistry.cpp (it goes through Qt).
#include "platform/host/NativeWinHost.h"
#include "platform/host/HostCommands.h"

#include <windows.h>
#include <shlobj.h>

namespace {
std::string toUtf8(const wchar_t *text, int length)
{
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}
}  // namespace

bool NativeWinHost::osVersion(int &major, int &minor)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);  // 276
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    const BOOL ok = GetVersionExW(&info);
    major = ok ? static_cast<int>(info.dwMajorVersion) : 0;
    minor = ok ? static_cast<int>(info.dwMinorVersion) : 0;
    return ok != FALSE;
}

bool NativeWinHost::isUserAdmin()
{
    return IsUserAnAdmin() != FALSE;
}

ServiceQuery NativeWinHost::queryServiceState(const std::string &name)
{
    ServiceQuery result;
    // Service names are ASCII; each character widens as it is.
    const std::wstring wideName(name.begin(), name.end());

    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);  // 0xF003F
    if (manager == nullptr) {
        result.failure = ServiceQuery::FailedOpenManager;
        result.error = GetLastError();
        return result;
    }
    SC_HANDLE service = OpenServiceW(manager, wideName.c_str(), SERVICE_QUERY_STATUS);  // 4
    if (service == nullptr) {
        result.failure = ServiceQuery::FailedOpenService;
        result.error = GetLastError();
        CloseServiceHandle(manager);
        return result;
    }
    SERVICE_STATUS status = {};
    if (QueryServiceStatus(service, &status))
        result.state = static_cast<int>(status.dwCurrentState);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return result;
}

std::string NativeWinHost::toolProgram(const std::string &tool)
{
    wchar_t dir[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return HostCommands::systemToolPath(toUtf8(dir, static_cast<int>(length)), tool);
}
