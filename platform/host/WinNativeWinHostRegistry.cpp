// The registry read of the Windows host, through Qt's native settings format.
#include "platform/host/NativeWinHost.h"

#include <QSettings>
#include <QString>

int NativeWinHost::readRegistryInt(const std::string &keyPath, const std::string &valueName)
{
    const QSettings key(QString::fromStdString(keyPath), QSettings::NativeFormat);
    bool ok = false;
    const int value = key.value(QString::fromStdString(valueName)).toInt(&ok);
    return ok ? value : 0;
}
