#include "comm/CNetworkSocket.h"

#include "comm/CNetworkTcp.h"
#include "comm/CNetworkUdp.h"
#include "log/SysLog.h"

#include <QTcpSocket>
#include <QUdpSocket>

namespace COMM {

CNetworkSocket::CNetworkSocket(const DevInfo &info, const NetworkParam &param, int kind)
    : QObject(nullptr), netParam(param)
{
    netParam.Address[sizeof netParam.Address - 1] = '\0';
    const int isClient = (netParam.NetKind == 1 || netParam.NetKind == 3) ? 1 : 0;
    if (netParam.NetKind == 0 || netParam.NetKind == 1)
        tcp = std::make_unique<CNetworkTcp>(info, netParam, kind, isClient);
    else if (netParam.NetKind == 2 || netParam.NetKind == 3)
        udp = std::make_unique<CNetworkUdp>(info, netParam, kind, isClient);
}

CNetworkSocket::~CNetworkSocket()
{
    const QByteArray objName = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkSocket::~CNetworkSocket", "Name:%s Start", objName.constData());
    disconnect();
    if (QAbstractSocket *active = activeSocket()) {
        active->disconnect();
        if (active->isOpen())
            active->readAll();
        active->close();
    }
    tcp.reset();
    udp.reset();
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkSocket::~CNetworkSocket", "Name:%s End", objName.constData());
}

CServiceComm *CNetworkSocket::channel() const
{
    if (tcp)
        return tcp.get();
    if (udp)
        return udp.get();
    return nullptr;
}

QAbstractSocket *CNetworkSocket::activeSocket() const
{
    switch (netParam.NetKind) {
    case 1:
        return tcp ? tcp->tcpSocket() : nullptr;
    case 2:
        return udp ? udp->udpServerSocket() : nullptr;
    case 3:
        return udp ? udp->udpClientSocket() : nullptr;
    default:
        return nullptr;
    }
}

int CNetworkSocket::validRole() const
{
    switch (netParam.NetKind) {
    case 0:
        return (tcp && tcp->tcpServer()) ? 0 : -1;
    case 1:
    case 2:
    case 3:
        return activeSocket() ? netParam.NetKind : -1;
    default:
        return -1;
    }
}

bool CNetworkSocket::isServerListening() const
{
    return tcp && tcp->isListening();
}

bool CNetworkSocket::enableSocket(bool first)
{
    QAbstractSocket *active = activeSocket();
    if (first && active) {
        connect(active, SIGNAL(connected()), this, SLOT(onConnected()), Qt::UniqueConnection);
        connect(active, SIGNAL(disconnected()), this, SLOT(onDisconnected()), Qt::UniqueConnection);
        connect(active, SIGNAL(errorOccurred(QAbstractSocket::SocketError)), this,
                SLOT(onError(QAbstractSocket::SocketError)), Qt::UniqueConnection);
        connect(active, SIGNAL(stateChanged(QAbstractSocket::SocketState)), this,
                SLOT(onStateHandler(QAbstractSocket::SocketState)), Qt::UniqueConnection);
    }
    const int level = first ? SysLevel::Info : SysLevel::Deep;
    const char *const where = "COMM::CNetworkSocket::enableSocketEnd";
    bool ok = false;
    switch (netParam.NetKind) {
    case 0:
        ok = tcp && tcp->listen();
        AIS_LOG(level, where, "TCP server listen the %d is %s", netParam.Port, ok ? "success" : "failed");
        break;
    case 1:
        ok = tcp && tcp->connectClient(netParam.Address, netParam.Port, first);
        AIS_LOG(level, where, "TCP client connect to %s:%d is %s", netParam.Address, netParam.Port,
                ok ? "success" : "failed");
        break;
    case 2:
        if (netParam.Address[0] == '\0') {
            ok = udp && udp->bind();
            AIS_LOG(level, where, "UDP server bind the local:%d is %s", netParam.Port, ok ? "success" : "failed");
        } else {
            ok = udp && udp->bind(netParam.Address, netParam.Port);
            AIS_LOG(level, where, "UDP server bind the %s:%d is %s", netParam.Address, netParam.Port,
                    ok ? "success" : "failed");
        }
        break;
    case 3:
        return true;
    default:
        return false;
    }
    return ok;
}

std::string CNetworkSocket::ip() const
{
    QAbstractSocket *active = activeSocket();
    if (!active)
        return std::string();
    const std::string socketIp = active->localAddress().toString().toStdString();
    if (socketIp != netParam.Address)
        AIS_LOG(SysLevel::Warning, "COMM::CNetworkSocket::ip", "Network ip address is different. Socket IP:%s, Config IP:%s",
                socketIp.c_str(), netParam.Address);
    return netParam.Address;
}

std::string CNetworkSocket::port() const
{
    return activeSocket() ? std::to_string(netParam.Port) : std::string();
}

void CNetworkSocket::setDebug(bool isString, int msgOut)
{
    if (CServiceComm *ch = channel())
        ch->setDebug(isString, msgOut);
}

std::string CNetworkSocket::devName() const
{
    const CServiceComm *ch = channel();
    return ch ? devNameText(ch->deviceInfo()) : std::string();
}

std::string CNetworkSocket::channelName() const
{
    const CServiceComm *ch = channel();
    return ch ? ch->name() : std::string();
}

void CNetworkSocket::onConnected()
{
    if (CServiceComm *ch = channel())
        ch->markConnected();
}

void CNetworkSocket::onDisconnected()
{
    if (CServiceComm *ch = channel())
        ch->markDisconnected();
}

void CNetworkSocket::onStateHandler(QAbstractSocket::SocketState state)
{
    static const char *const kTexts[] = {
        "(State)0 The socket is not connected.",
        "(State)1 The socket is performing a host name lookup.",
        "(State)2 The socket has started establishing a connection.",
        "(State)3 A connection is established.",
        "(State)4 The socket is bound to an address and port.",
        "(State)5 For internal use only.",
        "(State)6 The socket is about to close (data may still be waiting to be written).",
    };
    const int value = static_cast<int>(state);
    const char *text = (value >= 0 && value <= 6) ? kTexts[value] : "(State)Unknown";
    const int level = (value >= 0 && value <= 2) ? SysLevel::Deep : SysLevel::Info;
    AIS_LOG(level, "COMM::CNetworkSocket::onStateHandler", "%s, %s, %s", devName().c_str(), channelName().c_str(), text);
}

void CNetworkSocket::onError(QAbstractSocket::SocketError socketError)
{
    if (netParam.NetKind == 0)
        return;
    QAbstractSocket *active = activeSocket();
    if (!active)
        return;
    std::string text;
    switch (socketError) {
    case QAbstractSocket::ConnectionRefusedError:
        text = "(Error)QAbstractSocket::ConnectionRefusedErrorThe connection was refused by the peer.Make sure the "
               "fortune server is running,and check that the host name and port settings are correct.";
        active->abort();
        break;
    case QAbstractSocket::RemoteHostClosedError:
        text = "(Error)QAbstractSocket::RemoteHostClosedError";
        break;
    case QAbstractSocket::HostNotFoundError:
        text = "(Error)QAbstractSocket::HostNotFoundErrorThe host was not foundPlease check the host name and port "
               "settings.";
        break;
    default:
        text = "(Error)The following error occurred:" + active->errorString().toStdString();
        break;
    }
    const int value = static_cast<int>(socketError);
    const int level = (value >= 0 && value <= 2) ? SysLevel::Warning : SysLevel::Deep;
    AIS_LOG(level, "COMM::CNetworkSocket::onError", "%s, %s, %s", devName().c_str(), channelName().c_str(), text.c_str());
    active->close();
}

}  // namespace COMM
