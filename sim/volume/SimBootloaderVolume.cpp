#include "sim/volume/SimBootloaderVolume.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {
// Permission bits do not stop a privileged process (tests may run as root),
// so the root is also made immutable where the file system allows it.
void setImmutable(const QString &dir, bool on)
{
#if defined(__linux__)
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
#else
    (void)dir;
    (void)on;
#endif
}

QString mkfsProgram()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"));
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}
}  // namespace

SimBootloaderVolume::SimBootloaderVolume(const QString &baseDir) : SimBootloaderVolume(baseDir, Options())
{
}

SimBootloaderVolume::SimBootloaderVolume(const QString &baseDir, const Options &options)
    : m_stOptions(options), m_strBaseDir(QDir(baseDir).absolutePath())
{
    const QString root = rootPath();
    // A run that died may have left a protected root behind.
    setImmutable(root, false);
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(m_strBaseDir).removeRecursively();
    if (!QDir().mkpath(root)) {
        m_strError = QStringLiteral("cannot create ") + root;
        return;
    }
    if (m_stOptions.readyFile) {
        QFile ready(root + QStringLiteral("READY.txt"));
        if (!ready.open(QIODevice::WriteOnly) || ready.write("READY\r\n") < 0) {
            m_strError = QStringLiteral("cannot write READY.txt");
            return;
        }
    }
    if (m_stOptions.systemVolumeInformation && !QDir().mkpath(root + QStringLiteral("System Volume Information"))) {
        m_strError = QStringLiteral("cannot create System Volume Information");
        return;
    }
    if (m_stOptions.makeImage && !makeImage())
        return;
    if (m_stOptions.readOnly || m_stOptions.full)
        setWritable(false);
}

SimBootloaderVolume::~SimBootloaderVolume()
{
    setWritable(true);
}

QString SimBootloaderVolume::rootPath() const
{
    return m_strBaseDir + QStringLiteral("/root/");
}

QString SimBootloaderVolume::imagePath() const
{
    return m_stOptions.makeImage ? m_strBaseDir + QStringLiteral("/volume.img") : QString();
}

VolumeInfo SimBootloaderVolume::volumeInfo() const
{
    VolumeInfo info;
    info.name = m_stOptions.name.toStdString();
    info.rootPath = QFile::encodeName(rootPath()).toStdString();
    info.rawDevice = QFile::encodeName(imagePath()).toStdString();
    info.location = m_stOptions.location.toStdString();
    // The drive's size less what its root holds, as its bootloader would tell.
    qint64 used = 0;
    for (const QFileInfo &entry : QDir(rootPath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        used += entry.size();
    info.bytesFree = qMax<qint64>(0, qint64(m_stOptions.sizeKiB) * 1024 - used);
    return info;
}

bool SimBootloaderVolume::setWritable(bool writable)
{
    const QString root = rootPath();
    if (!QFileInfo(root).isDir())
        return false;
    if (writable)
        setImmutable(root, false);
    const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::ExeOther;
    const bool ok = QFile::setPermissions(root, writable ? read | QFile::WriteOwner : read);
    if (!writable)
        setImmutable(root, true);
    return ok;
}

bool SimBootloaderVolume::makeImage()
{
    const QString program = mkfsProgram();
    if (program.isEmpty()) {
        m_strError = QStringLiteral("mkfs.fat not found");
        return false;
    }
    QProcess mkfs;
    QStringList arguments{QStringLiteral("-C"), QStringLiteral("-F"), QStringLiteral("16"),
                          QStringLiteral("-S"), QString::number(m_stOptions.bytesPerSector),
                          QStringLiteral("-s"), QString::number(m_stOptions.sectorsPerCluster)};
    // Without a name the root directory starts without a label entry.
    if (!m_stOptions.name.isEmpty())
        arguments << QStringLiteral("-n") << m_stOptions.name;
    arguments << imagePath() << QString::number(m_stOptions.sizeKiB);
    mkfs.start(program, arguments);
    if (!mkfs.waitForFinished(30000) || mkfs.exitStatus() != QProcess::NormalExit || mkfs.exitCode() != 0) {
        m_strError = QStringLiteral("mkfs.fat failed: ") + QString::fromLocal8Bit(mkfs.readAllStandardError());
        return false;
    }
    return true;
}
