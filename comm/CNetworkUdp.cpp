#include "comm/CNetworkUdp.h"

#include "log/SysLog.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace COMM {

CNetworkUdp::CNetworkUdp(const DevInfo &info, const NetworkParam &param, int kind, int client)
    : CServiceComm(info, kind), isClient(client), netParam(param)
{
    netParam.Address[sizeof netParam.Address - 1] = '\0';
    setObjectName(QString::fromStdString(devNameText(info)));
    if (isClient)
        clientSocket = new QUdpSocket(this);
    else
        serverSocket = new QUdpSocket(this);
    setCommType(2);
    setEnabled(false);
    char text[320];
    std::snprintf(text, sizeof text, "UDP %s %s:%d", isClient ? "Client" : "Server", netParam.Address, netParam.Port);
    setName(text);
    init();
}

CNetworkUdp::~CNetworkUdp()
{
    const QByteArray objName = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkUdp::~CNetworkUdp", "Name:%s Start", objName.constData());
    for (QUdpSocket **udp : {&serverSocket, &clientSocket}) {
        if (*udp) {
            (*udp)->disconnect();
            delete *udp;
            *udp = nullptr;
        }
    }
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkUdp::~CNetworkUdp", "Name:%s End", objName.constData());
}

void CNetworkUdp::init()
{
    if (QUdpSocket *udp = activeSocket())
        connect(udp, SIGNAL(readyRead()), this, SLOT(onDataReceiver()), Qt::UniqueConnection);
}

bool CNetworkUdp::bind()
{
    return serverSocket && serverSocket->bind(static_cast<quint16>(netParam.Port), QAbstractSocket::ShareAddress);
}

bool CNetworkUdp::bind(const char *address, int port)
{
    return serverSocket &&
           serverSocket->bind(QHostAddress(QString::fromLocal8Bit(address)), static_cast<quint16>(port),
                              QAbstractSocket::DontShareAddress);
}

void CNetworkUdp::writeTo(int which, const char *data, int length, const std::string &address, int port)
{
    QUdpSocket *udp = which == 0 ? serverSocket : clientSocket;
    if (udp)
        udp->writeDatagram(data, length, QHostAddress(QString::fromStdString(address)), static_cast<quint16>(port));
}

bool CNetworkUdp::isConnected() const
{
    if (isClient)
        return true;
    return serverSocket && serverSocket->state() == QAbstractSocket::BoundState && serverSocket->isValid();
}

void CNetworkUdp::getConfig(CommConfig &out) const
{
    out = CommConfig();
    out.setDevInfo(deviceInfo());
    out.CommType = getCommType();
    out.netParam = netParam;
    out.DebugIsString = isDebugString();
    out.DebugMsgOut = debugMask();
}

bool CNetworkUdp::sendData(const TxFrame &frame)
{
    const int len = std::clamp(frame.length, 0, TxFrame::kDataMax);
    if (!isClient) {
        writeTo(0, frame.data, len, "255.255.255.255", netParam.Port);
        return true;
    }
    if (len <= 0)
        return false;
    writeTo(1, frame.data, len, netParam.Address, netParam.Port);
    return true;
}

void CNetworkUdp::onDataReceiver()
{
    QUdpSocket *udp = qobject_cast<QUdpSocket *>(sender());
    if (!udp)
        udp = activeSocket();
    if (!udp)
        return;
    // Read the whole burst first: the receive signal goes out once, with the
    // last non-empty datagram, so an empty one at the end cannot swallow it.
    std::vector<QByteArray> burst;
    while (udp->hasPendingDatagrams()) {
        const qint64 size = udp->pendingDatagramSize();
        if (size < 0)
            break;
        QByteArray datagram(static_cast<int>(size), '\0');
        if (udp->readDatagram(datagram.data(), size) < 0)
            break;
        if (!datagram.isEmpty())
            burst.push_back(datagram);
    }
    for (size_t i = 0; i < burst.size(); ++i)
        dataReceived(burst[i], i + 1 < burst.size());
}

}  // namespace COMM
