#include "tests/support/LogCapture.h"

#include <QMutexLocker>

#include <atomic>

namespace {
std::atomic<LogCapture *> g_active{nullptr};
QtMessageHandler g_previous = nullptr;
}  // namespace

void logCaptureHandler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (LogCapture *capture = g_active.load()) {
        QMutexLocker locker(&capture->m_oMutex);
        capture->m_oLines.append(msg);
    }
    if (qEnvironmentVariableIsSet("AIS_TEST_ECHO") && g_previous)
        g_previous(type, context, msg);
}

LogCapture::LogCapture()
{
    g_active.store(this);
    g_previous = qInstallMessageHandler(logCaptureHandler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(g_previous);
    g_active.store(nullptr);
}

QStringList LogCapture::lines() const
{
    QMutexLocker locker(&m_oMutex);
    return m_oLines;
}

QStringList LogCapture::matching(const QString &piece) const
{
    QMutexLocker locker(&m_oMutex);
    QStringList found;
    for (const QString &line : m_oLines)
        if (line.contains(piece))
            found.append(line);
    return found;
}

void LogCapture::clear()
{
    QMutexLocker locker(&m_oMutex);
    m_oLines.clear();
}
