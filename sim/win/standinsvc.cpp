// standinsvc.exe <service name>
// A Windows service that does nothing but run until it is told to stop: it
// stands in for the services the program stops at start-up and starts again
// on exit, so that Wine's service manager has something real to stop and
// start. Registered with "sc create <name> binpath= "...\standinsvc.exe <name>"".
#include <windows.h>

#include <string>

namespace {
std::wstring g_name;
SERVICE_STATUS_HANDLE g_handle = nullptr;
SERVICE_STATUS g_status = {};
HANDLE g_stop = nullptr;

void report(DWORD state)
{
    g_status.dwCurrentState = state;
    SetServiceStatus(g_handle, &g_status);
}

DWORD WINAPI onControl(DWORD control, DWORD, void *, void *)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        report(SERVICE_STOP_PENDING);
        SetEvent(g_stop);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI serviceMain(DWORD, wchar_t **)
{
    g_handle = RegisterServiceCtrlHandlerExW(g_name.c_str(), onControl, nullptr);
    if (g_handle == nullptr)
        return;
    g_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    report(SERVICE_RUNNING);
    WaitForSingleObject(g_stop, INFINITE);
    report(SERVICE_STOPPED);
}
}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    // Service names are ASCII.
    const std::string name = argv[1];
    g_name.assign(name.begin(), name.end());
    g_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    wchar_t *tableName = &g_name[0];
    const SERVICE_TABLE_ENTRYW table[] = {{tableName, serviceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
