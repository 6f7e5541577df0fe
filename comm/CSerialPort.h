#pragma once

#include "comm/CServiceComm.h"

#include <QSerialPort>

#include <memory>
#include <string>

namespace COMM {

// Channel on a serial port with fixed line settings (8N1, no flow control,
// DTR and RTS on). Created closed and disabled; portError tells the
// connection space that the device has gone.
class CSerialPort : public CServiceComm {
    Q_OBJECT
public:
    CSerialPort(const DevInfo &devInfo, const SerialParam &param, int dataKind);
    ~CSerialPort() override;

    bool connectPort();
    bool hasPortError() const { return portError; }
    std::string portName() const { return serialParam.PortName; }
    int baudRate() const { return baudRateFor(serialParam.BaudIndex); }
    // The port, for inspection; owned by the channel.
    const QSerialPort *device() const { return port.get(); }

    void init() override;
    bool isConnected() const override;
    void getConfig(CommConfig &out) const override;
    bool sendData(const TxFrame &frame) override;

    // Text of a port error value; empty above NotOpenError.
    static const char *errorText(int eError);

signals:
    void signalSerialRxSentence(void *poSender, char iCommType);

public slots:
    void onDataReceiver();
    void onError(QSerialPort::SerialPortError eError);

private:
    bool failStep(const char *text);

    std::unique_ptr<QSerialPort> port;
    SerialParam serialParam;
    std::atomic<bool> portError{false};
};

}  // namespace COMM
