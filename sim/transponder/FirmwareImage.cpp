#include "sim/transponder/FirmwareImage.h"

#include <QList>

namespace {
const QByteArray kMagic = "AISFW";
constexpr int kHeaderMax = 256;
}  // namespace

QByteArray makeFirmwareImage(const QString &machineType, const QString &version, const QByteArray &payload)
{
    return kMagic + ',' + machineType.toLatin1() + ',' + version.toLatin1() + '\n' + payload;
}

bool parseFirmwareImage(const QByteArray &bytes, QString *machineType, QString *version)
{
    const int end = bytes.indexOf('\n');
    if (end < 0 || end > kHeaderMax)
        return false;
    const QList<QByteArray> parts = bytes.left(end).split(',');
    if (parts.size() != 3 || parts[0] != kMagic || parts[1].isEmpty() || parts[2].isEmpty())
        return false;
    if (machineType)
        *machineType = QString::fromLatin1(parts[1]);
    if (version)
        *version = QString::fromLatin1(parts[2]);
    return true;
}
