#include "comm/CNetworkTcp.h"

#include "log/SysLog.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>

namespace COMM {

CNetworkTcp::CNetworkTcp(const DevInfo &info, const NetworkParam &param, int kind, int client)
    : CServiceComm(info, kind), isClient(client), netParam(param)
{
    netParam.Address[sizeof netParam.Address - 1] = '\0';
    setObjectName(QString::fromStdString(devNameText(info)));
    if (isClient)
        socket = new QTcpSocket(this);
    else
        server = new QTcpServer(this);
    setCommType(2);
    setEnabled(false);
    char text[320];
    std::snprintf(text, sizeof text, "TCP %s %s:%d", isClient ? "Client" : "Server", netParam.Address, netParam.Port);
    setName(text);
    init();
}

CNetworkTcp::~CNetworkTcp()
{
    const QByteArray objName = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkTcp::~CNetworkTcp", "Name:%s Start", objName.constData());
    for (QTcpSocket *client : clients) {
        client->readAll();
        client->disconnect();
        delete client;
    }
    clients.clear();
    // Sockets go before the channel base, so none of their last signals can
    // reach a half-destroyed channel.
    if (socket) {
        socket->disconnect();
        delete socket;
        socket = nullptr;
    }
    if (server) {
        server->disconnect();
        delete server;
        server = nullptr;
    }
    AIS_LOG(SysLevel::Leave, "COMM::CNetworkTcp::~CNetworkTcp", "Name:%s End", objName.constData());
}

void CNetworkTcp::init()
{
    // Unique: init runs at construction and again on every (re)connection.
    if (server) {
        connect(server, SIGNAL(newConnection()), this, SLOT(onServerNewClientConnect()), Qt::UniqueConnection);
    } else if (socket) {
        connect(socket, SIGNAL(readyRead()), this, SLOT(onClientDataRx()), Qt::UniqueConnection);
        connect(socket, SIGNAL(bytesWritten(qint64)), this, SLOT(onClientDataTx(qint64)), Qt::UniqueConnection);
    }
}

bool CNetworkTcp::listen()
{
    if (!server)
        return false;
    return server->listen(QHostAddress::Any, static_cast<quint16>(netParam.Port));
}

bool CNetworkTcp::isListening() const
{
    return server && server->isListening();
}

bool CNetworkTcp::connectClient(const std::string &address, int port, bool wait)
{
    if (!socket)
        return false;
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->abort();
        socket->close();
        socket->connectToHost(QString::fromStdString(address), static_cast<quint16>(port), QIODevice::ReadWrite,
                              QAbstractSocket::AnyIPProtocol);
        if (wait)
            socket->waitForConnected(1000);
    }
    return socket->state() == QAbstractSocket::ConnectedState;
}

bool CNetworkTcp::sendToClients(const char *data, int length)
{
    // A client that has left does not make the send a failure; it is
    // dropped. A failed write can end a client inside flush (its
    // disconnected signal comes at once), so the loop runs over a copy.
    bool all = true;
    const std::vector<QTcpSocket *> targets = clients;
    for (QTcpSocket *client : targets) {
        if (client->state() != QAbstractSocket::ConnectedState) {
            dropClient(client);
            continue;
        }
        if (client->write(data, length) != length)
            all = false;
        client->flush();
    }
    return all;
}

bool CNetworkTcp::isConnected() const
{
    return socket && socket->state() == QAbstractSocket::ConnectedState;
}

void CNetworkTcp::getConfig(CommConfig &out) const
{
    out = CommConfig();
    out.setDevInfo(deviceInfo());
    out.CommType = getCommType();
    out.netParam = netParam;
    out.DebugIsString = isDebugString();
    out.DebugMsgOut = debugMask();
}

bool CNetworkTcp::sendData(const TxFrame &frame)
{
    const int len = std::clamp(frame.length, 0, TxFrame::kDataMax);
    if (server)
        return sendToClients(frame.data, len);
    if (!isConnected())
        return false;
    socket->write(frame.data, len);
    socket->flush();
    return true;
}

void CNetworkTcp::onServerNewClientConnect()
{
    while (server && server->hasPendingConnections()) {
        QTcpSocket *client = server->nextPendingConnection();
        if (!client)
            break;
        clients.push_back(client);
        connect(client, SIGNAL(readyRead()), this, SLOT(onServerDataRx()));
        connect(client, SIGNAL(disconnected()), this, SLOT(onServerClientGone()));
        const QByteArray peer = client->peerAddress().toString().toLocal8Bit();
        AIS_LOG(SysLevel::Info, "COMM::CNetworkTcp::onServerNewClientConnect", "IP:%s, Port:%d", peer.constData(),
                static_cast<int>(client->peerPort()));
        emit signalServerNewClient(client);
    }
}

void CNetworkTcp::onServerClientGone()
{
    dropClient(qobject_cast<QTcpSocket *>(sender()));
}

void CNetworkTcp::dropClient(QTcpSocket *poClient)
{
    const auto it = std::find(clients.begin(), clients.end(), poClient);
    if (it == clients.end())
        return;
    clients.erase(it);
    poClient->disconnect(this);
    // It may be inside its own signal (or its flush in a send): deleted once
    // control is back in the event loop.
    poClient->deleteLater();
}

void CNetworkTcp::readFrom(QTcpSocket *poSocket)
{
    if (poSocket)
        dataReceived(poSocket->readAll(), false);
}

void CNetworkTcp::onServerDataRx()
{
    readFrom(qobject_cast<QTcpSocket *>(sender()));
}

void CNetworkTcp::onClientDataRx()
{
    QTcpSocket *from = qobject_cast<QTcpSocket *>(sender());
    readFrom(from ? from : socket);
}

void CNetworkTcp::onServerDataTx(qint64) {}
void CNetworkTcp::onClientDataTx(qint64) {}

}  // namespace COMM
