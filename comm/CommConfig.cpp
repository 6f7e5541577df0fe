#include "comm/CommConfig.h"

#include <QString>

#include <cstring>
#include <cwchar>

DevInfo makeDevInfo(int sensorType, const wchar_t *name, int primaryPos, bool active, bool *ok)
{
    DevInfo info;
    info.SensorType = sensorType;
    info.DevPrimaryPos = primaryPos;
    info.Active = active;
    bool fits = name != nullptr && std::wcslen(name) < sizeof info.DevName / sizeof info.DevName[0];
    if (fits)
        std::wcscpy(info.DevName, name);
    if (ok)
        *ok = fits;
    return info;
}

SerialParam makeSerialParam(const char *portName, int baudIndex, bool *ok)
{
    SerialParam param;
    const bool fits = portName != nullptr && std::strlen(portName) < sizeof param.PortName;
    if (fits)
        std::strcpy(param.PortName, portName);
    const bool inRange = baudIndex >= 0 && baudIndex <= 7;
    param.BaudIndex = inRange ? baudIndex : -1;
    if (ok)
        *ok = fits && inRange;
    return param;
}

NetworkParam makeNetworkParam(int netKind, const std::string &address, int port, bool *ok)
{
    NetworkParam param;
    const bool kindOk = netKind >= 0 && netKind <= 3;
    const bool fits = address.size() < sizeof param.Address && address.find('\0') == std::string::npos;
    const bool portOk = port >= 0 && port <= 65535;
    param.NetKind = kindOk ? netKind : -1;
    if (fits)
        std::memcpy(param.Address, address.c_str(), address.size() + 1);
    param.Port = portOk ? port : -1;
    if (ok)
        *ok = kindOk && fits && portOk;
    return param;
}

int dataKindFor(int sensorType, int commType)
{
    switch (commType) {
    case 0:
        return sensorType == 4 ? 5 : 4;
    case 1:
        return sensorType == 16 ? 2 : 4;
    case 2:
        if (sensorType == 8)
            return 1;
        return sensorType == 16 ? 2 : 4;
    default:
        return 4;
    }
}

int baudRateFor(int baudIndex)
{
    static const int kRates[] = {115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};
    return (baudIndex >= 0 && baudIndex <= 7) ? kRates[baudIndex] : -1;
}

std::string devNameText(const DevInfo &info)
{
    const size_t max = sizeof info.DevName / sizeof info.DevName[0];
    size_t n = 0;
    while (n < max && info.DevName[n] != L'\0')
        ++n;
    return QString::fromWCharArray(info.DevName, static_cast<int>(n)).toStdString();
}
