#pragma once

#include "comm/CommConfig.h"

#include <QMetaType>

#include <cstdint>
#include <string>

class QObject;

namespace COMM {

class CServiceComm;
class CSerialPort;
class CNetworkSocket;
class CLogListener;

// One connection of the communication space: owns the live channel created
// from a CommConfig and the state needed to reconnect or remove it. Created,
// used and destroyed on the communication thread.
class CCommData {
public:
    CCommData() = default;
    ~CCommData();
    CCommData(const CCommData &) = delete;
    CCommData &operator=(const CCommData &) = delete;

    // Channel factory; each gives null when this item already holds that kind.
    CSerialPort *createSerialPort(const CommConfig &config, int dataKind);
    CNetworkSocket *createNetworkSocket(const CommConfig &config, int dataKind);
    CLogListener *createLogListener(const CommConfig &config, int dataKind);

    // The live channel: listener (0), serial (1), the network role's channel (2).
    CServiceComm *channel() const;
    CommConfig getConfig() const;
    std::string description() const;
    bool skipReconnect(bool skipListener, bool skipNetRole1, bool skipNetRole2) const;
    void destroyChannels();

    int commType() const { return CommType; }
    int netKind() const { return NetKind; }
    CSerialPort *serialPort() const { return serial; }
    CNetworkSocket *networkSocket() const { return network; }
    CLogListener *logListener() const { return listener; }

    void setReconntMax(uint8_t max) { ReconntMax = max; }
    uint8_t reconntMax() const { return ReconntMax; }
    uint8_t reconntCount() const { return ReconntCount; }
    void resetReconntCount() { ReconntCount = 0; }
    // Counts one failed reconnect; true when the item should be given up.
    bool countFailedReconnt();
    void setReconnect() { Reconnect = true; }
    bool isReconnect() const { return Reconnect; }

private:
    int32_t CommType = -1;
    int32_t NetKind = -1;
    CSerialPort *serial = nullptr;     // owned
    CNetworkSocket *network = nullptr; // owned
    CLogListener *listener = nullptr;  // owned
    uint8_t ReconntMax = 0;
    uint8_t ReconntCount = 0;
    bool Reconnect = false;
};

}  // namespace COMM

Q_DECLARE_METATYPE(COMM::CCommData *)
