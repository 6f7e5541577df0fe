#include "fuzz/FuzzEnv.h"

#include "log/SysDebug.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
int g_iArgc = 1;
char g_szArg0[] = "ais_fuzzer";
char *g_apArgv[] = {g_szArg0, nullptr};

void silentHandler(QtMsgType, const QMessageLogContext &, const QString &) {}

QString scratchParent()
{
    // fsync and many small files are cheap in memory.
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return shm.absoluteFilePath();
    return QDir::tempPath();
}
}  // namespace

FuzzEnv &FuzzEnv::instance()
{
    static FuzzEnv env;
    return env;
}

FuzzEnv::FuzzEnv()
{
    qInstallMessageHandler(silentHandler);
    m_poApp = std::make_unique<QCoreApplication>(g_iArgc, g_apArgv);
    m_poDir = std::make_unique<QTemporaryDir>(scratchParent() + QStringLiteral("/ais-fuzz-XXXXXX"));
    if (!m_poDir->isValid() || ::chdir(QFile::encodeName(m_poDir->path()).constData()) != 0)
        fail(__FILE__, __LINE__, "no scratch directory");

    // The process-wide logger looks for "logger.log" in the working directory
    // when it is created: create it now, while the directory is empty, and
    // start its writer so queued records are drained. Lines are still
    // rendered, but the recent-log ring stays empty: a ring that fills up
    // over the first thousand inputs would look like a leak to libFuzzer.
    SysDebug *logger = SysDebug::instance();
    const QString profile = writeFile(QStringLiteral("logger-profile.ini"),
                                      QByteArray("[Sys_Debug]\nAutoLogEnable=false\n"));
    logger->start(m_poDir->path() + QStringLiteral("/"), profile);
}

FuzzEnv::~FuzzEnv()
{
    // The logger's writer keeps running until the process ends; leave the
    // directory before it goes away.
    if (::chdir("/") != 0)
        std::perror("chdir");
}

void FuzzEnv::fail(const char *file, int line, const char *what)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

void FuzzEnv::settle()
{
    // Nothing runs an event loop here: deliver what the input posted.
    QCoreApplication::sendPostedEvents();
    SysDebug::instance()->ringSize();
}

QString FuzzEnv::dir() const
{
    return m_poDir->path();
}

QString FuzzEnv::writeFile(const QString &name, const uint8_t *data, size_t size) const
{
    return writeFile(name, QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<int>(size)));
}

QString FuzzEnv::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = dir() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    if (file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void FuzzEnv::removeFile(const QString &name) const
{
    QFile::remove(dir() + QLatin1Char('/') + name);
}
