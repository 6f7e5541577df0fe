#include "sysprep/CRegistryManipulation.h"

#include "log/SysLog.h"
#include "platform/host/HostCommands.h"
#include "platform/clock/SysClock.h"
#include "platform/host/IWinHost.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>

namespace {
const char *const kServicesKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

// Host program and arguments for a command; the program is empty when the
// host has no such tool, and starting it then fails at once.
void startCommand(QProcess &process, const HostCommands::Command &command, QIODevice::OpenMode mode)
{
    const QString program = QString::fromStdString(IWinHost::current().toolProgram(command.tool));
#if defined(Q_OS_WIN)
    // Windows gets exactly the line built (and tested) by HostCommands.
    process.setProgram(program);
    process.setNativeArguments(QString::fromStdString(HostCommands::windowsArguments(command)));
    process.start(mode);
#else
    QStringList arguments;
    for (const std::string &argument : command.arguments)
        arguments << QString::fromStdString(argument);
    process.start(program, arguments, mode);
#endif
}

void pauseMs(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}
}  // namespace

CRegistryManipulation::CRegistryManipulation(QObject *parent) : QThread(parent) {}

bool CRegistryManipulation::checkWinOsVer()
{
    int major = 0;
    int minor = 0;
    IWinHost::current().osVersion(major, minor);
    setWinOsVer(major, minor);
    return major > 6 || (major == 6 && minor > 1);
}

void CRegistryManipulation::setWinOsVer(int iMajor, int iMinor)
{
    const char *extra = nullptr;
    winOsVer = -1;
    if (iMinor >= 0) {
        if (iMajor == 5 && iMinor <= 2) {
            winOsVer = iMinor;
        } else if (iMajor == 5) {
            extra = "Win OS version greater than 5.2";
        } else if (iMajor == 6 && iMinor <= 3) {
            winOsVer = 3 + iMinor;
        } else if (iMajor == 6) {
            extra = "Win OS version greater than 6.3";
        } else if (iMajor == 10 && iMinor == 0) {
            winOsVer = 7;
        } else if (iMajor == 10) {
            winOsVer = 8;
            extra = "Win OS version greater than 10.0";
        } else if (iMajor > 10) {
            winOsVer = 8;
            extra = "Win major ver is greater than 10";
        }
    }
    if (extra != nullptr)
        AIS_LOG(SysLevel::Info, "CRegistryManipulation::setWinOsVer", "%s", extra);
    AIS_LOG(SysLevel::Info, "CRegistryManipulation::setWinOsVer", "Win OS ver: %d.%d", iMajor, iMinor);
}

int CRegistryManipulation::querySystemService(const QString &strName)
{
    const ServiceQuery query = IWinHost::current().queryServiceState(strName.toStdString());
    switch (query.failure) {
    case ServiceQuery::FailedOpenManager:
        AIS_LOG(SysLevel::Info, "CRegistryManipulation::querySystemService", "OpenManager() failed : %d\n",
                static_cast<int>(query.error));
        return 0;
    case ServiceQuery::FailedOpenService:
        AIS_LOG(SysLevel::Info, "CRegistryManipulation::querySystemService", "OpenService() failed : %d\n",
                static_cast<int>(query.error));
        return 0;
    case ServiceQuery::None:
        break;
    }
    return query.state;
}

int CRegistryManipulation::queryRegValue(const QString &strKeyPath, const QString &strValueName)
{
    return IWinHost::current().readRegistryInt(strKeyPath.toStdString(), strValueName.toStdString());
}

SysSvcInfo CRegistryManipulation::querySysSvcInfo()
{
    SysSvcInfo info;
    info.wsearchReg = queryRegValue(QString(kServicesKey) + "WSearch\\", "Start");
    info.storageReg = queryRegValue(QString(kServicesKey) + "StorSvc\\", "Start");
    info.storageService = querySystemService("StorSvc");
    info.wsearchService = querySystemService("WSearch");
    info.shellHWDetectionService = querySystemService("ShellHWDetection");
    info.bitLockerService = querySystemService("BDESVC");

    const char *fun = "CRegistryManipulation::querySysSvcInfo";
    AIS_LOG(SysLevel::Info, fun, "WSearch Reg : %d", info.wsearchReg);
    AIS_LOG(SysLevel::Info, fun, "Storage Reg : %d", info.storageReg);
    AIS_LOG(SysLevel::Info, fun, "Storage Service : %d", info.storageService);
    AIS_LOG(SysLevel::Info, fun, "WSearch Service : %d", info.wsearchService);
    AIS_LOG(SysLevel::Info, fun, "ShellHWDetection Service : %d", info.shellHWDetectionService);
    AIS_LOG(SysLevel::Info, fun, "bit locker Service : %d", info.bitLockerService);
    return info;
}

bool CRegistryManipulation::isSysStatusCorrect()
{
    const SysSvcInfo info = querySysSvcInfo();
    SysSvcInfo target;
    target.storageReg = 4;
    target.wsearchReg = 4;
    target.storageService = 1;
    target.wsearchService = 1;
    target.shellHWDetectionService = 1;
    target.bitLockerService = 1;
    if (info == target)
        return true;

    const char *fun = "CRegistryManipulation::isSysStatusCorrect";
    AIS_LOG(SysLevel::Info, fun, "System service status fail");
    AIS_LOG(SysLevel::Info, fun, "Current Storage Service : %d", info.storageService);
    AIS_LOG(SysLevel::Info, fun, "Current WSearch Service : %d", info.wsearchService);
    AIS_LOG(SysLevel::Info, fun, "Current ShellHWDetection Service : %d", info.shellHWDetectionService);
    AIS_LOG(SysLevel::Info, fun, "Current bit locker Service : %d", info.bitLockerService);
    return false;
}

void CRegistryManipulation::setRegValue(const QString &strName, int iType)
{
    if (!IWinHost::current().isUserAdmin()) {
        QMessageBox::information(nullptr, m_oTexts.text(4), m_oTexts.text(21), QMessageBox::Ok);
        return;
    }
    QString word;
    if (iType == 3) {
        word = QStringLiteral("auto");
    } else if (iType == 4) {
        word = QStringLiteral("disabled");
    } else {
        AIS_LOG(SysLevel::Info, "CRegistryManipulation::setRegValue", "Reg startup type value doesn't exist !");
        return;
    }
    runScConfig(strName, word);
}

void CRegistryManipulation::restoreRegValue(const QString &strName, int iRecordedStart)
{
    if (!IWinHost::current().isUserAdmin()) {
        QMessageBox::information(nullptr, m_oTexts.text(4), m_oTexts.text(21), QMessageBox::Ok);
        return;
    }
    runScConfig(strName, QString::fromStdString(HostCommands::startWordForRegistryValue(iRecordedStart)));
}

void CRegistryManipulation::runScConfig(const QString &strName, const QString &strWord)
{
    const HostCommands::Command command = HostCommands::scConfigStart(strName.toStdString(), strWord.toStdString());
    QProcess process;
    startCommand(process, command, QIODevice::ReadWrite);
    // A hanging sc is abandoned after the wait; the process dies with its
    // object. Measured on SysClock in short steps so tests can move it.
    const int64_t started = SysClock::steadyMs();
    while (!process.waitForFinished(kNetStepMs) && process.state() != QProcess::NotRunning) {
        if (SysClock::steadyMs() - started >= kScWaitMs)
            break;
    }
    const QByteArray output = process.readAllStandardOutput();

    const char *fun = "CRegistryManipulation::setRegValue";
    AIS_LOG(SysLevel::Info, fun, "Set Reg value: %s", HostCommands::text(command).c_str());
    AIS_LOG(SysLevel::Info, fun, "Set Reg value info: %s", output.constData());
}

void CRegistryManipulation::enableService(const QString &strName, bool bStart)
{
    const char *prefix = bStart ? "net start " : "net stop ";
    const std::string name = strName.toStdString();
    const HostCommands::Command command = bStart ? HostCommands::netStart(name) : HostCommands::netStop(name);
    const char *result = "success";

    QProcess process;
    startCommand(process, command, QIODevice::ReadWrite);
    // net must never wait for an operator: a stop with running dependents
    // asks "(Y/N) [N]", answered yes here (the dependents stop too); then
    // the end of its input answers anything else.
    if (!bStart)
        process.write("Y\r\n");
    process.closeWriteChannel();
    // Whole seconds of the monotonic clock: setting the date must not close
    // a net early or keep it waiting.
    const int64_t started = SysClock::steadyMs() / 1000;
    while (!process.waitForFinished(kNetStepMs)) {
        if (process.state() == QProcess::NotRunning) {
            // Either it ended while events were processed, or it never ran:
            // a command that never ran did nothing.
            if (process.error() == QProcess::FailedToStart)
                result = "fail";
            break;
        }
        QCoreApplication::processEvents();
        if (SysClock::steadyMs() / 1000 - started > kNetLimitSecs) {
            process.close();
            result = "fail";
            break;
        }
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());

    const char *fun = "CRegistryManipulation::enableService";
    AIS_LOG(SysLevel::Info, fun, "%s%s %s", prefix, name.c_str(), result);
    AIS_LOG(SysLevel::Info, fun, "Service Proc Info: %s", output.toLocal8Bit().constData());
}

bool CRegistryManipulation::initSystemStatus()
{
    const char *fun = "CRegistryManipulation::initSystemStatus";
    AIS_LOG(SysLevel::Info, fun, "Init system registry & service");
    setRegValue("WSearch", 4);
    setRegValue("StorSvc", 4);
    for (const char *service : {"StorSvc", "WSearch", "ShellHWDetection", "BDESVC"}) {
        enableService(service, false);
        pauseMs(100);
    }
    AIS_LOG(SysLevel::Info, fun, "Init system registry & service finish");
    const bool ok = isSysStatusCorrect();
    AIS_LOG(SysLevel::Info, fun, ok ? "System init success" : "System init fail");
    return ok;
}
