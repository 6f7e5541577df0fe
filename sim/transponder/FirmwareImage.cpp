#include "sim/transponder/FirmwareImage.h"

#include <QDir>
#include <QFile>
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

bool writeFirmwarePackage(const QString &folder, const QString &machineType, const QString &version, int payloadSize)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile csv(folder + QStringLiteral("/Firmware.csv"));
    if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate) || csv.write("Version," + version.toLatin1() + "\n") < 0)
        return false;
    QByteArray payload(payloadSize, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 167 + 11) & 0xff);
    QFile image(folder + QStringLiteral("/App_470.Sbin"));
    return image.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           image.write(makeFirmwareImage(machineType, version, payload)) >= 0;
}
