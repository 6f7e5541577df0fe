#pragma once

#include "platform/host/IWinHost.h"
#include "sim/host/SimHostState.h"

#include <QString>
#include <QStringList>

// A simulated Windows host for tests. Services, their registry start values
// and the administrator flag live in a state file in its folder; the folder
// also holds "sc" and "net", links to a small program that carries out
// "sc config NAME start= WORD" and "net start|stop NAME" on that state the
// way Windows does, and appends every command line it receives to a log.
class SimWinHost : public IWinHost {
public:
    // Creates the folder (path may contain blanks) with the tools and an
    // administrator host without services, reporting Windows 10.0.
    explicit SimWinHost(const QString &strDir);

    // The stock services of a Windows 10 desktop: StorSvc running (demand),
    // WSearch running (auto), ShellHWDetection running (auto), BDESVC stopped (demand).
    void addStockServices();

    void setVersion(int iMajor, int iMinor);
    void setAdmin(bool bAdmin);
    void setService(const std::string &name, const SimService &service);
    void removeService(const std::string &name);
    bool hasService(const std::string &name) const;
    // The service as it is now (a default record when it does not exist).
    SimService service(const std::string &name) const;

    // Command lines the tools received, oldest first, e.g. "net stop WSearch".
    QStringList commandLog() const;
    void clearCommandLog();

    QString dir() const { return m_strDir; }
    // The folder's tools could be made; false means the tests cannot run commands.
    bool isReady() const { return m_bReady; }

    // IWinHost
    bool osVersion(int &major, int &minor) override;
    bool isUserAdmin() override;
    ServiceQuery queryServiceState(const std::string &name) override;
    int readRegistryInt(const std::string &keyPath, const std::string &valueName) override;
    std::string toolProgram(const std::string &tool) override;

private:
    SimHostState loadState() const;
    void saveState(const SimHostState &state);

    QString m_strDir;
    int m_iMajor = 10;
    int m_iMinor = 0;
    bool m_bReady = false;
};
