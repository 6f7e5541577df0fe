// Windows backend of the host: Win32 only, no Qt, so it cross-compiles alone.
// The registry read is in WinNativeWinHostRegistry.cpp (it goes through Qt).
#include "platform/host/NativeWinHost.h"
#include "platform/host/SystemFolder.h"

#include <windows.h>
#include <shlobj.h>

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
    return SystemFolder::program(tool);
}
