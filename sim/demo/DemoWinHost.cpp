#include "sim/demo/DemoWinHost.h"

#include <QDir>
#include <QFile>

namespace {
// Seconds each "net start" / "net stop" takes.
const char *const kNetSeconds = "0.5";
}  // namespace

DemoWinHost::DemoWinHost(const QString &strDir) : m_oHost(strDir + QStringLiteral("/host"))
{
    m_oHost.addStockServices();
    // The simulated tool finds its host through the path it was started by,
    // so the wrapper execs it under that path.
    const QString slowDir = strDir + QStringLiteral("/slow");
    m_strSlowNet = slowDir + QStringLiteral("/net");
    QFile script(m_strSlowNet);
    m_bReady = m_oHost.isReady() && QDir().mkpath(slowDir) && script.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               script.write(QStringLiteral("#!/bin/sh\nsleep %1\nexec \"%2\" \"$@\"\n")
                                .arg(QLatin1String(kNetSeconds), QString::fromStdString(m_oHost.toolProgram("net")))
                                .toUtf8()) > 0;
    script.close();
    m_bReady = m_bReady && script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

std::string DemoWinHost::toolProgram(const std::string &tool)
{
    if (tool == "net")
        return m_strSlowNet.toStdString();
    return m_oHost.toolProgram(tool);
}
