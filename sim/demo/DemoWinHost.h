#pragma once

#include "platform/host/IWinHost.h"
#include "sim/host/SimWinHost.h"

#include <QString>

// The Windows 10 desktop the demo pretends to run on, so that the start-up
// check's notice and its "Operating system initializing" page appear: the
// stock services of SimWinHost, and a "net" that takes about as long as the
// real one, so the page stays up for a moment.
class DemoWinHost : public IWinHost {
public:
    // Lays out the host in strDir (created).
    explicit DemoWinHost(const QString &strDir);

    bool isReady() const { return m_bReady; }

    bool osVersion(int &major, int &minor) override { return m_oHost.osVersion(major, minor); }
    bool isUserAdmin() override { return m_oHost.isUserAdmin(); }
    ServiceQuery queryServiceState(const std::string &name) override { return m_oHost.queryServiceState(name); }
    int readRegistryInt(const std::string &keyPath, const std::string &valueName) override
    {
        return m_oHost.readRegistryInt(keyPath, valueName);
    }
    std::string toolProgram(const std::string &tool) override;

private:
    SimWinHost m_oHost;
    QString m_strSlowNet;
    bool m_bReady = false;
};
