#pragma once

#include "comm/CServiceComm.h"

#include <string>

class QUdpSocket;

namespace COMM {

// UDP channel: a bound server socket that broadcasts its frames (isClient 0)
// or a client socket that sends to the configured peer (isClient 1).
class CNetworkUdp : public CServiceComm {
    Q_OBJECT
public:
    CNetworkUdp(const DevInfo &devInfo, const NetworkParam &param, int dataKind, int isClient);
    ~CNetworkUdp() override;

    bool bind();
    bool bind(const char *address, int port);
    // which: 0 server socket, 1 client socket.
    void writeTo(int which, const char *data, int length, const std::string &address, int port);

    int clientRole() const { return isClient; }
    QUdpSocket *udpServerSocket() const { return serverSocket; }
    QUdpSocket *udpClientSocket() const { return clientSocket; }
    const NetworkParam &networkParam() const { return netParam; }

    void init() override;
    bool isConnected() const override;
    void getConfig(CommConfig &out) const override;
    bool sendData(const TxFrame &frame) override;

public slots:
    void onDataReceiver();

private:
    QUdpSocket *activeSocket() const { return isClient ? clientSocket : serverSocket; }

    int isClient = 0;
    NetworkParam netParam;
    QUdpSocket *serverSocket = nullptr; // child; server role
    QUdpSocket *clientSocket = nullptr; // child; client role
};

}  // namespace COMM
