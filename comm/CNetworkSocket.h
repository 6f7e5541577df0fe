#pragma once

#include "comm/CommConfig.h"

#include <QAbstractSocket>
#include <QObject>

#include <memory>
#include <string>

namespace COMM {

class CServiceComm;
class CNetworkTcp;
class CNetworkUdp;

// Network connection of one of four roles (NetKind): 0 TCP server, 1 TCP
// client, 2 UDP server, 3 UDP client. Owns the role's channel, opens it and
// watches its socket for logging and the channel's connected flag.
class CNetworkSocket : public QObject {
    Q_OBJECT
public:
    CNetworkSocket(const DevInfo &devInfo, const NetworkParam &param, int dataKind);
    ~CNetworkSocket() override;

    CServiceComm *channel() const;
    CNetworkTcp *tcpChannel() const { return tcp.get(); }
    CNetworkUdp *udpChannel() const { return udp.get(); }
    int validRole() const;
    bool enableSocket(bool first);
    std::string ip() const;
    std::string port() const;
    void setDebug(bool isString, int msgOut);
    // State check of the server role: listening.
    bool isServerListening() const;
    const NetworkParam &networkParam() const { return netParam; }
    // Socket of the client and UDP roles; null for the TCP server.
    QAbstractSocket *activeSocket() const;

private slots:
    void onConnected();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError socketError);
    void onStateHandler(QAbstractSocket::SocketState state);

private:
    std::string devName() const;
    std::string channelName() const;

    std::unique_ptr<CNetworkTcp> tcp;
    std::unique_ptr<CNetworkUdp> udp;
    NetworkParam netParam;
};

}  // namespace COMM
