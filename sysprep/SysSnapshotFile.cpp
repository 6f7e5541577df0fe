#include "sysprep/SysSnapshotFile.h"

#include "log/AppPaths.h"
#include "log/SysLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLockFile>
#include <QSaveFile>

#include <utility>

namespace {
// A record is a few dozen bytes; anything much larger is not one.
constexpr qint64 kMaxFileSize = 4096;

QString g_strDefaultDir;

struct Field {
    const char *key;
    int SysSvcInfo::*member;
    int lowest;
    int highest;
};

// Registry "Start" values run 0 (boot, or absent) to 4 (disabled); service
// states 0 (unknown) to 7 (paused).
const Field kFields[] = {
    {"storageReg", &SysSvcInfo::storageReg, 0, 4},
    {"wsearchReg", &SysSvcInfo::wsearchReg, 0, 4},
    {"storageService", &SysSvcInfo::storageService, 0, 7},
    {"wsearchService", &SysSvcInfo::wsearchService, 0, 7},
    {"shellHWDetectionService", &SysSvcInfo::shellHWDetectionService, 0, 7},
    {"bitLockerService", &SysSvcInfo::bitLockerService, 0, 7},
};
constexpr int kFieldCount = static_cast<int>(sizeof(kFields) / sizeof(kFields[0]));

// A plain decimal number of at most three digits: no sign, no blanks.
bool parseSmallInt(const QByteArray &text, int &value)
{
    if (text.isEmpty() || text.size() > 3)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}
}  // namespace

SysSnapshotFile::SysSnapshotFile(QString strPath) : m_strPath(std::move(strPath)) {}

SysSnapshotFile::~SysSnapshotFile() = default;

QString SysSnapshotFile::defaultPath()
{
    const QString dir = g_strDefaultDir.isEmpty() ? AppPaths::appDir() : QDir(g_strDefaultDir).absolutePath() + "/";
    return dir + kFileName;
}

void SysSnapshotFile::setDefaultDir(const QString &strDir)
{
    g_strDefaultDir = strDir;
}

bool SysSnapshotFile::exists() const
{
    return QFileInfo::exists(m_strPath);
}

bool SysSnapshotFile::claim()
{
    if (isClaimed())
        return true;
    auto lock = std::make_unique<QLockFile>(m_strPath + ".lock");
    // Only a live holder counts, however old its lock.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        qint64 pid = 0;
        QString hostName;
        QString appName;
        if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &hostName, &appName)) {
            AIS_LOG(SysLevel::Warning, "SysSnapshotFile::claim", "System status record %s held by process %lld",
                    m_strPath.toLocal8Bit().constData(), static_cast<long long>(pid));
        } else {
            AIS_LOG(SysLevel::Warning, "SysSnapshotFile::claim", "Lock system status record %s fail, error %d",
                    m_strPath.toLocal8Bit().constData(), static_cast<int>(lock->error()));
        }
        return false;
    }
    m_poLock = std::move(lock);
    return true;
}

bool SysSnapshotFile::isClaimed() const
{
    return m_poLock != nullptr;
}

bool SysSnapshotFile::save(const SysSvcInfo &stInfo) const
{
    QSaveFile file(m_strPath);
    const QByteArray text = toText(stInfo);
    // commit() syncs the temporary file to the disk before it renames it.
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        AIS_LOG(SysLevel::Warning, "SysSnapshotFile::save", "Save system status record %s fail: %s",
                m_strPath.toLocal8Bit().constData(), file.errorString().toLocal8Bit().constData());
        return false;
    }
    AIS_LOG(SysLevel::Info, "SysSnapshotFile::save", "Save system status record %s",
            m_strPath.toLocal8Bit().constData());
    return true;
}

std::optional<SysSvcInfo> SysSnapshotFile::load() const
{
    QFile file(m_strPath);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        AIS_LOG(SysLevel::Warning, "SysSnapshotFile::load", "Open system status record %s fail: %s",
                m_strPath.toLocal8Bit().constData(), file.errorString().toLocal8Bit().constData());
        return std::nullopt;
    }
    const QByteArray text = file.read(kMaxFileSize + 1);
    QString why;
    std::optional<SysSvcInfo> info;
    if (text.size() > kMaxFileSize)
        why = QStringLiteral("larger than %1 bytes").arg(kMaxFileSize);
    else
        info = fromText(text, why);
    if (!info) {
        AIS_LOG(SysLevel::Warning, "SysSnapshotFile::load", "Refuse system status record %s: %s",
                m_strPath.toLocal8Bit().constData(), why.toLocal8Bit().constData());
    }
    return info;
}

bool SysSnapshotFile::remove() const
{
    if (!QFileInfo::exists(m_strPath))
        return true;
    if (QFile::remove(m_strPath))
        return true;
    AIS_LOG(SysLevel::Warning, "SysSnapshotFile::remove", "Remove system status record %s fail",
            m_strPath.toLocal8Bit().constData());
    return false;
}

QByteArray SysSnapshotFile::toText(const SysSvcInfo &stInfo)
{
    QByteArray text = "version=" + QByteArray::number(kVersion) + "\n";
    for (const Field &field : kFields)
        text += QByteArray(field.key) + "=" + QByteArray::number(stInfo.*field.member) + "\n";
    return text;
}

std::optional<SysSvcInfo> SysSnapshotFile::fromText(const QByteArray &oText, QString &strWhy)
{
    QList<QByteArray> lines = oText.split('\n');
    // One final line break is the normal end; the rest must be record lines.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.isEmpty()) {
        strWhy = QStringLiteral("empty");
        return std::nullopt;
    }
    if (lines.first() != "version=" + QByteArray::number(kVersion)) {
        strWhy = QStringLiteral("first line is not version=%1").arg(kVersion);
        return std::nullopt;
    }

    SysSvcInfo info;
    bool seen[kFieldCount] = {};
    for (int n = 1; n < lines.size(); ++n) {
        const QByteArray &line = lines.at(n);
        const int eq = line.indexOf('=');
        if (eq <= 0) {
            strWhy = QStringLiteral("line %1 is not key=value").arg(n + 1);
            return std::nullopt;
        }
        const QByteArray key = line.left(eq);
        int i = 0;
        while (i < kFieldCount && key != kFields[i].key)
            ++i;
        if (i == kFieldCount) {
            strWhy = QStringLiteral("unknown key %1").arg(QString::fromLatin1(key));
            return std::nullopt;
        }
        if (seen[i]) {
            strWhy = QStringLiteral("key %1 given twice").arg(QString::fromLatin1(key));
            return std::nullopt;
        }
        int value = 0;
        if (!parseSmallInt(line.mid(eq + 1), value) || value < kFields[i].lowest || value > kFields[i].highest) {
            strWhy = QStringLiteral("value of %1 is not a number from %2 to %3")
                         .arg(QString::fromLatin1(key))
                         .arg(kFields[i].lowest)
                         .arg(kFields[i].highest);
            return std::nullopt;
        }
        seen[i] = true;
        info.*kFields[i].member = value;
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (!seen[i]) {
            strWhy = QStringLiteral("key %1 missing").arg(QString::fromLatin1(kFields[i].key));
            return std::nullopt;
        }
    }
    return info;
}
