// sc.exe config <service> start= <boot|system|auto|demand|disabled>
// Wine's sc.exe has no "config" command; under Wine this program takes the
// place of the system's sc.exe for that one command line, doing what
// Windows' sc.exe does with it: ChangeServiceConfigW with the new start
// type, and "[SC] ChangeServiceConfig SUCCESS" or the failure with its
// error code. Any other command line is refused with exit code 1.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
int startType(const char *word)
{
    static const struct {
        const char *word;
        int type;
    } types[] = {{"boot", SERVICE_BOOT_START},
                 {"system", SERVICE_SYSTEM_START},
                 {"auto", SERVICE_AUTO_START},
                 {"demand", SERVICE_DEMAND_START},
                 {"disabled", SERVICE_DISABLED}};
    for (const auto &t : types) {
        if (std::strcmp(word, t.word) == 0)
            return t.type;
    }
    return -1;
}
}  // namespace

int main(int argc, char **argv)
{
    const int type = argc == 5 ? startType(argv[4]) : -1;
    if (argc != 5 || std::strcmp(argv[1], "config") != 0 || std::strcmp(argv[3], "start=") != 0 || type < 0) {
        std::printf("DESCRIPTION:\n        stand-in sc.exe: only \"sc config <service> start= <type>\"\n");
        return 1;
    }
    const std::string name = argv[2];
    const std::wstring wideName(name.begin(), name.end());
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceW(manager, wideName.c_str(), SERVICE_CHANGE_CONFIG) : nullptr;
    const BOOL ok = service && ChangeServiceConfigW(service, SERVICE_NO_CHANGE, static_cast<DWORD>(type),
                                                    SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                    nullptr, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    if (service)
        CloseServiceHandle(service);
    if (manager)
        CloseServiceHandle(manager);
    if (!ok) {
        std::printf("[SC] ChangeServiceConfig FAILED %lu:\n\n", error);
        return static_cast<int>(error);
    }
    std::printf("[SC] ChangeServiceConfig SUCCESS\n");
    return 0;
}
