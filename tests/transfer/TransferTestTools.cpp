#include "TransferTestTools.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace TransferTestTools {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray firmwareBytes(int size, uint32_t seed)
{
    QByteArray bytes("AISFW,AIS-B-470,V1.3.0.01-A\n");
    uint32_t x = seed * 2654435761u + 1u;
    while (bytes.size() < size) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes.append(static_cast<char>(x & 0xff));
    }
    bytes.truncate(size);
    return bytes;
}

namespace {
uint32_t u16(const QByteArray &b, int at)
{
    return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}
}  // namespace

Layout layoutOf(const QByteArray &image)
{
    Layout l;
    if (image.size() < 512)
        return l;
    l.bytesPerSector = u16(image, 11);
    l.fatStart = u16(image, 14);
    l.fatCount = static_cast<uint8_t>(image[16]);
    l.fatSize = u16(image, 22);
    l.rootDirSector = l.fatStart + l.fatCount * l.fatSize;
    return l;
}

QByteArray sectorOf(const QByteArray &image, uint32_t sector, uint32_t size)
{
    return image.mid(static_cast<int>(sector * size), static_cast<int>(size));
}

uint16_t fatEntry(const QByteArray &image, const Layout &layout, int fatIndex, int cluster)
{
    const int at = static_cast<int>((layout.fatStart + fatIndex * layout.fatSize) * layout.bytesPerSector) + 2 * cluster;
    return static_cast<uint16_t>(u16(image, at));
}

ToolResult runTool(const QString &program, const QStringList &arguments)
{
    ToolResult result;
    QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (path.isEmpty()) {
        result.output = "program not found: " + program.toUtf8();
        return result;
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Images made by mkfs.fat have no disk geometry mtools would accept.
    env.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        result.output = "timed out";
        return result;
    }
    result.output = process.readAll();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

QStringList fsckFindings(const QString &imagePath, int *exitCode)
{
    const ToolResult r = runTool(QStringLiteral("fsck.fat"), {QStringLiteral("-n"), imagePath});
    if (exitCode != nullptr)
        *exitCode = r.exitCode;
    QStringList findings;
    for (const QString &line : QString::fromLocal8Bit(r.output).split('\n', Qt::SkipEmptyParts)) {
        // Banner and summary lines are not findings.
        if (line.startsWith(QStringLiteral("fsck.fat ")) || line.startsWith(imagePath + ':')
            || line.trimmed() == QStringLiteral("Leaving filesystem unchanged."))
            continue;
        findings << line.trimmed();
    }
    return findings;
}

StdoutCapture::StdoutCapture()
{
    std::fflush(stdout);
    m_strPath = QDir::current().filePath(QStringLiteral("stdout-capture.txt"));
    const int fd = ::open(QFile::encodeName(m_strPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    m_iSavedFd = ::dup(STDOUT_FILENO);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
}

StdoutCapture::~StdoutCapture()
{
    take();
}

QString StdoutCapture::take()
{
    if (m_iSavedFd >= 0) {
        std::fflush(stdout);
        ::dup2(m_iSavedFd, STDOUT_FILENO);
        ::close(m_iSavedFd);
        m_iSavedFd = -1;
        m_strText = QString::fromLocal8Bit(readFile(m_strPath));
    }
    return m_strText;
}

}  // namespace TransferTestTools
