// hostprobe.exe [service...]
// Asks the Windows host backend what the start-up check asks: OS version,
// administrator test, service states, registry start values and where the
// "sc" and "net" programs are. One "key: value" line each.
#include "platform/host/IWinHost.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    IWinHost &host = IWinHost::current();
    int major = 0;
    int minor = 0;
    const bool version = host.osVersion(major, minor);
    std::printf("os version: %s %d.%d\n", version ? "ok" : "failed", major, minor);
    std::printf("administrator: %s\n", host.isUserAdmin() ? "yes" : "no");
    for (int i = 1; i < argc; ++i) {
        const ServiceQuery q = host.queryServiceState(argv[i]);
        std::printf("service %s: state %d failure %d error %lu\n", argv[i], q.state, static_cast<int>(q.failure),
                    q.error);
        const std::string key = std::string("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\") + argv[i] + "\\";
        std::printf("registry %s Start: %d\n", argv[i], host.readRegistryInt(key, "Start"));
    }
    std::printf("tool sc: %s\n", host.toolProgram("sc").c_str());
    std::printf("tool net: %s\n", host.toolProgram("net").c_str());
    std::fflush(stdout);
    return 0;
}
