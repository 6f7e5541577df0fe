#include "sim/host/SimWinHost.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
constexpr unsigned long kAccessDenied = 5;             // ERROR_ACCESS_DENIED
constexpr unsigned long kServiceDoesNotExist = 1060;   // ERROR_SERVICE_DOES_NOT_EXIST
const QString kServicesKey = QStringLiteral("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\");
}  // namespace

SimWinHost::SimWinHost(const QString &strDir) : m_strDir(QDir(strDir).absolutePath())
{
    QDir().mkpath(m_strDir);
    m_bReady = true;
    for (const char *tool : {"sc", "net"}) {
        const QString link = m_strDir + "/" + tool;
        QFile::remove(link);
        m_bReady = QFile::link(QStringLiteral(AIS_SIM_WINTOOL), link) && m_bReady;
    }
    clearCommandLog();
    saveState(SimHostState());
}

void SimWinHost::addStockServices()
{
    SimService storage;
    storage.state = 4;
    storage.start = 3;
    setService("StorSvc", storage);
    SimService search;
    search.state = 4;
    search.start = 2;
    setService("WSearch", search);
    SimService shell;
    shell.state = 4;
    shell.start = 2;
    setService("ShellHWDetection", shell);
    SimService bitLocker;
    bitLocker.state = 1;
    bitLocker.start = 3;
    setService("BDESVC", bitLocker);
}

void SimWinHost::setVersion(int iMajor, int iMinor)
{
    m_iMajor = iMajor;
    m_iMinor = iMinor;
}

void SimWinHost::setAdmin(bool bAdmin)
{
    SimHostState state = loadState();
    state.admin = bAdmin;
    saveState(state);
}

void SimWinHost::setService(const std::string &name, const SimService &service)
{
    SimHostState state = loadState();
    state.services[name] = service;
    saveState(state);
}

void SimWinHost::removeService(const std::string &name)
{
    SimHostState state = loadState();
    state.services.erase(name);
    saveState(state);
}

bool SimWinHost::hasService(const std::string &name) const
{
    return loadState().services.count(name) != 0;
}

SimService SimWinHost::service(const std::string &name) const
{
    const SimHostState state = loadState();
    const auto it = state.services.find(name);
    return it == state.services.end() ? SimService() : it->second;
}

QStringList SimWinHost::commandLog() const
{
    QFile file(m_strDir + "/" + SimHostState::kCommandLogName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void SimWinHost::clearCommandLog()
{
    QFile file(m_strDir + "/" + SimHostState::kCommandLogName);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool SimWinHost::osVersion(int &major, int &minor)
{
    major = m_iMajor;
    minor = m_iMinor;
    return true;
}

bool SimWinHost::isUserAdmin()
{
    return loadState().admin;
}

ServiceQuery SimWinHost::queryServiceState(const std::string &name)
{
    ServiceQuery result;
    const SimHostState state = loadState();
    // Opening the manager with all access needs administrator rights.
    if (!state.admin) {
        result.failure = ServiceQuery::FailedOpenManager;
        result.error = kAccessDenied;
        return result;
    }
    const auto it = state.services.find(name);
    if (it == state.services.end()) {
        result.failure = ServiceQuery::FailedOpenService;
        result.error = kServiceDoesNotExist;
        return result;
    }
    result.state = it->second.state;
    return result;
}

int SimWinHost::readRegistryInt(const std::string &keyPath, const std::string &valueName)
{
    // Only the services' "Start" values exist in this registry.
    QString key = QString::fromStdString(keyPath);
    if (!key.startsWith(kServicesKey, Qt::CaseInsensitive) ||
        QString::fromStdString(valueName).compare("Start", Qt::CaseInsensitive) != 0)
        return 0;
    key = key.mid(kServicesKey.size());
    if (key.endsWith('\\'))
        key.chop(1);
    const SimHostState state = loadState();
    for (const auto &entry : state.services) {
        if (key.compare(QString::fromStdString(entry.first), Qt::CaseInsensitive) == 0)
            return entry.second.start;
    }
    return 0;
}

std::string SimWinHost::toolProgram(const std::string &tool)
{
    if (tool != "sc" && tool != "net")
        return {};
    return (m_strDir + "/" + QString::fromStdString(tool)).toStdString();
}

SimHostState SimWinHost::loadState() const
{
    SimHostState state;
    state.load(m_strDir + "/" + SimHostState::kFileName);
    return state;
}

void SimWinHost::saveState(const SimHostState &state)
{
    state.save(m_strDir + "/" + SimHostState::kFileName);
}
