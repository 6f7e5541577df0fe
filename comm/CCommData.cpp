#include "comm/CCommData.h"

#include "comm/CLogListener.h"
#include "comm/CNetworkSocket.h"
#include "comm/CSerialPort.h"
#include "log/SysLog.h"

#include <exception>

namespace COMM {

CCommData::~CCommData()
{
    destroyChannels();
}

CSerialPort *CCommData::createSerialPort(const CommConfig &config, int dataKind)
{
    if (serial)
        return nullptr;
    try {
        serial = new CSerialPort(config.devInfo(), config.serialParam, dataKind);
    } catch (const std::exception &e) {
        AIS_LOG(SysLevel::Critical, "COMM::CCommData::createSerialPort", "%s", e.what());
        return nullptr;
    }
    AIS_LOG(SysLevel::Info, "COMM::CCommData::createSerialPort", "Serial Port:%s, Baud Rate:%d",
            serial->portName().c_str(), serial->baudRate());
    serial->setDebug(config.DebugIsString, config.DebugMsgOut);
    if (config.Active)
        serial->connectPort();
    CommType = 1;
    return serial;
}

CNetworkSocket *CCommData::createNetworkSocket(const CommConfig &config, int dataKind)
{
    if (network)
        return nullptr;
    CNetworkSocket *created = nullptr;
    try {
        created = new CNetworkSocket(config.devInfo(), config.netParam, dataKind);
    } catch (const std::exception &e) {
        AIS_LOG(SysLevel::Critical, "COMM::CCommData::createNetworkSocket", "%s", e.what());
        return nullptr;
    }
    const CServiceComm *ch = created->channel();
    AIS_LOG(SysLevel::Info, "COMM::CCommData::createNetworkSocket", "%s", ch ? ch->name().c_str() : "");
    created->setDebug(config.DebugIsString, config.DebugMsgOut);
    if (created->validRole() == -1) {
        delete created;
        return nullptr;
    }
    network = created;
    if (config.Active)
        network->enableSocket(true);
    CommType = 2;
    NetKind = config.netParam.NetKind;
    return network;
}

CLogListener *CCommData::createLogListener(const CommConfig &config, int dataKind)
{
    if (listener)
        return nullptr;
    try {
        listener = new CLogListener(config.devInfo(), config.listenerMode, dataKind);
    } catch (const std::exception &e) {
        AIS_LOG(SysLevel::Critical, "COMM::CCommData::createLogListener", "%s", e.what());
        return nullptr;
    }
    listener->setDebug(config.DebugIsString, config.DebugMsgOut);
    CommType = 0;
    return listener;
}

CServiceComm *CCommData::channel() const
{
    switch (CommType) {
    case 0:
        return listener;
    case 1:
        return serial;
    case 2:
        return network ? network->channel() : nullptr;
    default:
        return nullptr;
    }
}

CommConfig CCommData::getConfig() const
{
    CommConfig out;
    if (CommType == 1 && serial)
        serial->getConfig(out);
    else if (CommType == 2 && network && network->channel())
        network->channel()->getConfig(out);
    return out;
}

std::string CCommData::description() const
{
    if (CommType == 1 && serial)
        return serial->portName() + " " + std::to_string(serial->baudRate());
    if (CommType == 2 && network)
        return network->ip() + " " + network->port();
    return std::string();
}

bool CCommData::skipReconnect(bool skipListener, bool skipNetRole1, bool skipNetRole2) const
{
    if (CommType == 0 && skipListener)
        return true;
    if (CommType != 0 && CommType != 1 && CommType != 2)
        return true;
    const CServiceComm *ch = channel();
    if (!ch)
        return true;
    if (ch->deviceInfo().SensorType == 4 && ((NetKind == 1 && skipNetRole1) || (NetKind == 2 && skipNetRole2)))
        return true;
    return false;
}

bool CCommData::countFailedReconnt()
{
    if (ReconntCount < 255)
        ++ReconntCount;
    return ReconntMax > 0 && ReconntCount >= ReconntMax;
}

void CCommData::destroyChannels()
{
    delete serial;
    serial = nullptr;
    delete network;
    network = nullptr;
    delete listener;
    listener = nullptr;
}

}  // namespace COMM
