#pragma once

#include "platform/host/IWinHost.h"

// The machine the program runs on. On Windows: the service control manager,
// GetVersionExW, the shell's administrator test, the registry and the tools
// in the system folder. Elsewhere it reports no Windows at all (version 0.0,
// no service manager, no registry, no tools), so nothing is ever changed.
class NativeWinHost : public IWinHost {
public:
    bool osVersion(int &major, int &minor) override;
    bool isUserAdmin() override;
    ServiceQuery queryServiceState(const std::string &name) override;
    int readRegistryInt(const std::string &keyPath, const std::string &valueName) override;
    std::string toolProgram(const std::string &tool) override;
};
