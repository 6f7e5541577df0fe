#pragma once

#include "comm/CRawDataHandle.h"
#include "comm/CommConfig.h"
#include "comm/TxFrame.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

class QTimer;

namespace COMM {

// Base of every channel: a paced transmit queue driven by a 100 ms timer and
// a receive path that stores each chunk by data kind and announces it.
//
// The channel, its timer and its device belong to the thread that created it.
// pushTxFrame, clearTxQueue and rawHandle()->getSentence may be used from any
// thread. txMutex is held during sendData and during the whole receive path,
// including the receive signals: a slot connected directly to them must not
// call pushTxFrame or clearTxQueue (the mutex is not recursive).
class CServiceComm : public QObject {
    Q_OBJECT
public:
    // Data kinds: how received data is stored and announced.
    enum DataKind { KindMessage1 = 1, KindMessage2 = 2, KindMessage3 = 3, KindSentence = 4, KindBinary = 5, KindCommand = 6 };
    static constexpr int kTxIntervalMs = 100;

    CServiceComm(const DevInfo &devInfo, int dataKind);
    ~CServiceComm() override;

    void pushTxFrame(const TxFrame &frame, bool toBack);
    void clearTxQueue();

    void setEnabled(bool on) { enabled = on; }
    bool isEnabled() const { return enabled; }
    void setDataKind(int kind) { dataKind = kind; }
    int getDataKind() const { return dataKind; }
    void setCommType(int type) { commType = type; }
    int getCommType() const { return commType; }
    void setDebug(bool isString, int msgOut);
    bool isDebugString() const { return debugIsString; }
    int debugMask() const { return debugMsgOut; }
    void setName(const std::string &text) { m_strName = text; }
    std::string name() const { return m_strName; }
    const DevInfo &deviceInfo() const { return devInfo; }

    void setTxTimer(bool on);
    void markConnected();
    void markDisconnected() { connected = false; }
    bool isMarkedConnected() const { return connected; }

    // Receive entry used by the device kinds with every chunk read.
    void dataReceived(const QByteArray &data, bool noSignal);
    // Debug dump: text (when debugIsString) or "%02X " per byte. data must be
    // NUL-terminated when debugIsString is set.
    void printMsg(const char *data, int length, const std::string &header);

    CRawDataHandle *rawHandle() const { return m_poRawHandle.get(); }
    size_t txCount() const;

    virtual void init() {}
    virtual bool isConnected() const { return true; }
    virtual void getConfig(CommConfig &out) const = 0;
    virtual bool sendData(const TxFrame &frame);

signals:
    void signalRxMessage(void *poSender, char iCommType);
    void signalRxSentence(void *poSender, char iCommType);
    void signalRxBinData(void *poSender);
    void signalRxCmdData(void *poSender);

private slots:
    void onTxDataTimer();

private:
    void transmitStep();
    bool isHeldBack(const TxFrame &cur);

    mutable QMutex txMutex;
    std::unique_ptr<QTimer> txTimer;
    std::deque<TxFrame> txQ;
    TxFrame lastFrame;
    std::atomic<bool> clearTxRequested{false};
    std::atomic<bool> connected{false};
    std::unique_ptr<CRawDataHandle> m_poRawHandle;
    int dataKind = KindSentence;
    int commType = -1;
    DevInfo devInfo;
    std::atomic<bool> enabled{false};
    std::string m_strName;
    int64_t lastSendClock = 0;
    std::atomic<bool> debugIsString{false};
    std::atomic<int> debugMsgOut{0};
};

}  // namespace COMM
