#include "transfer/CFirmwareImageCheck.h"

#include "log/SysLog.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {
constexpr const char *kFun = "CFirmwareImageCheck::check";
}  // namespace

CFirmwareImageCheck::Result CFirmwareImageCheck::check(const QString &strPath, int64_t llBytesFree)
{
    Result result;
    result.strPath = strPath;
    result.llBytesFree = llBytesFree;
    const QByteArray path = strPath.toLocal8Bit();
    const QFileInfo info(strPath);
    QFile file(strPath);

    if (!info.exists()) {
        result.eProblem = Problem::Missing;
        // The open says it in the system's words.
        result.strReason = file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
        AIS_LOG(SysLevel::Warning, kFun, "Firmware image %s not found: %s", path.constData(),
                result.strReason.toLocal8Bit().constData());
        return result;
    }
    // Not opened: a pipe in its place would block the open.
    if (!info.isFile()) {
        result.eProblem = Problem::NotAFile;
        result.strReason = info.isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR)) : QStringLiteral("not a regular file");
        AIS_LOG(SysLevel::Warning, kFun, "Firmware image %s is not a file: %s", path.constData(),
                result.strReason.toLocal8Bit().constData());
        return result;
    }
    char first = 0;
    if (!file.open(QIODevice::ReadOnly) || (file.size() > 0 && file.read(&first, 1) != 1)) {
        result.eProblem = Problem::Unreadable;
        result.strReason = file.errorString();
        AIS_LOG(SysLevel::Warning, kFun, "Firmware image %s cannot be read: %s", path.constData(),
                result.strReason.toLocal8Bit().constData());
        return result;
    }
    result.llSize = file.size();
    if (result.llSize == 0) {
        result.eProblem = Problem::Empty;
        AIS_LOG(SysLevel::Warning, kFun, "Firmware image %s is empty", path.constData());
        return result;
    }
    if (llBytesFree >= 0 && result.llSize > llBytesFree) {
        result.eProblem = Problem::TooLarge;
        AIS_LOG(SysLevel::Warning, kFun, "Firmware image %s (%lld bytes) does not fit on the volume (%lld bytes free)",
                path.constData(), static_cast<long long>(result.llSize), static_cast<long long>(llBytesFree));
        return result;
    }
    AIS_LOG(SysLevel::Info, kFun, "Firmware image %s: %lld bytes", path.constData(),
            static_cast<long long>(result.llSize));
    return result;
}
