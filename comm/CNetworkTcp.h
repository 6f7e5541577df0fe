#pragma once

#include "comm/CServiceComm.h"

#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace COMM {

// TCP channel: a listening server that sends to every connected client
// (isClient 0) or a client socket (isClient 1).
class CNetworkTcp : public CServiceComm {
    Q_OBJECT
public:
    CNetworkTcp(const DevInfo &devInfo, const NetworkParam &param, int dataKind, int isClient);
    ~CNetworkTcp() override;

    bool listen();
    bool connectClient(const std::string &address, int port, bool wait);
    bool sendToClients(const char *data, int length);

    int clientRole() const { return isClient; }
    QTcpServer *tcpServer() const { return server; }
    QTcpSocket *tcpSocket() const { return socket; }
    size_t clientCount() const { return clients.size(); }
    bool isListening() const;
    const NetworkParam &networkParam() const { return netParam; }

    void init() override;
    bool isConnected() const override;
    void getConfig(CommConfig &out) const override;
    bool sendData(const TxFrame &frame) override;

signals:
    void signalServerNewClient(QTcpSocket *poSocket);

public slots:
    void onServerDataRx();
    void onServerDataTx(qint64 oBytes);
    void onClientDataRx();
    void onClientDataTx(qint64 oBytes);

private slots:
    void onServerNewClientConnect();
    void onServerClientGone();

private:
    void readFrom(QTcpSocket *poSocket);
    void dropClient(QTcpSocket *poClient);

    int isClient = 0;
    NetworkParam netParam;
    QTcpServer *server = nullptr;      // child; server role
    std::vector<QTcpSocket *> clients; // accepted clients still connected
    QTcpSocket *socket = nullptr;      // child; client role
};

}  // namespace COMM
