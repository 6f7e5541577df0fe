#include "comm/CSerialPort.h"

#include "log/SysLog.h"

#include <QString>

#include <algorithm>
#include <cstdio>

namespace COMM {

namespace {
std::string channelName(const SerialParam &param)
{
    char text[300];
    std::snprintf(text, sizeof text, "Serial Port %s:%d", param.PortName, baudRateFor(param.BaudIndex));
    return text;
}
}  // namespace

CSerialPort::CSerialPort(const DevInfo &info, const SerialParam &param, int kind)
    : CServiceComm(info, kind), serialParam(param)
{
    serialParam.PortName[sizeof serialParam.PortName - 1] = '\0';
    port = std::make_unique<QSerialPort>();
    setCommType(1);
    setEnabled(false);
    setName(channelName(serialParam));
}

CSerialPort::~CSerialPort()
{
    const QByteArray objName = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "COMM::CSerialPort::~CSerialPort", "Name:%s Start", objName.constData());
    if (port->isOpen())
        port->readAll();
    disconnect();
    port->disconnect();
    port->close();
    port.reset();
    AIS_LOG(SysLevel::Leave, "COMM::CSerialPort::~CSerialPort", "Name:%s End", objName.constData());
}

bool CSerialPort::failStep(const char *text)
{
    AIS_LOG(SysLevel::Info, "COMM::CSerialPort::connectPort", "%s", text);
    // A half-configured port must not count as connected: close it so the
    // connection space retries the whole sequence.
    port->close();
    return false;
}

bool CSerialPort::connectPort()
{
    port->setPortName(QString::fromLocal8Bit(serialParam.PortName));
    if (!port->open(QIODevice::ReadWrite)) {
        // The system's reason ("Permission denied", "No such file or
        // directory") tells the reader of the report what to mend.
        AIS_LOG(SysLevel::Info, "COMM::CSerialPort::connectPort", "serial open fail. %s: %s", serialParam.PortName,
                port->errorString().toLocal8Bit().constData());
        return false;
    }
    const int rate = baudRate();
    if (rate <= 0 || !port->setBaudRate(rate, QSerialPort::AllDirections))
        return failStep("Set baud rate fail.");
    if (!port->setDataBits(QSerialPort::Data8))
        return failStep("setDataBits fail.");
    if (!port->setParity(QSerialPort::NoParity))
        return failStep("setParity fail.");
    if (!port->setStopBits(QSerialPort::OneStop))
        return failStep("setStopBits fail.");
    if (!port->setFlowControl(QSerialPort::NoFlowControl))
        return failStep("setFlowControl fail.");
    if (!port->setDataTerminalReady(true))
        return failStep("setDataTerminalReady fail.");
    if (!port->setRequestToSend(true))
        return failStep("setRequestToSend fail.");
    if (port->isOpen()) {
        markConnected();
        return true;
    }
    AIS_LOG(SysLevel::Exception, "COMM::CSerialPort::connectPort", "%s connected status is not sync.", serialParam.PortName);
    return false;
}

void CSerialPort::init()
{
    // Unique: a channel opened again must not read each chunk twice.
    connect(port.get(), SIGNAL(readyRead()), this, SLOT(onDataReceiver()), Qt::UniqueConnection);
    connect(port.get(), SIGNAL(errorOccurred(QSerialPort::SerialPortError)), this,
            SLOT(onError(QSerialPort::SerialPortError)), Qt::UniqueConnection);
}

bool CSerialPort::isConnected() const
{
    return port->isOpen();
}

void CSerialPort::getConfig(CommConfig &out) const
{
    out = CommConfig();
    out.setDevInfo(deviceInfo());
    out.CommType = getCommType();
    out.serialParam = serialParam;
    out.DebugIsString = isDebugString();
    out.DebugMsgOut = debugMask();
}

bool CSerialPort::sendData(const TxFrame &frame)
{
    if (!isConnected())
        return false;
    const int len = std::clamp(frame.length, 0, TxFrame::kDataMax);
    return port->write(frame.data, len) == len;
}

void CSerialPort::onDataReceiver()
{
    dataReceived(port->readAll(), false);
}

const char *CSerialPort::errorText(int eError)
{
    static const char *const kTexts[] = {
        "(Error)QSerialPort::NoError.No error.",
        "(Error)QSerialPort::DeviceNotFoundError.Device not found.",
        "(Error)QSerialPort::PermissionError.Permission error.",
        "(Error)QSerialPort::OpenError.Open error.",
        "(Error)QSerialPort::ParityError.Parity error.",
        "(Error)QSerialPort::FramingError.Framing error.",
        "(Error)QSerialPort::BreakConditionError.Break condition error.",
        "(Error)QSerialPort::WriteError.Write error.",
        "(Error)QSerialPort::ReadError.Read error.",
        "(Error)QSerialPort::ResourceError.Resource error.",
        "(Error)QSerialPort::UnsupportedOperationError.Unsupported operation error.",
        "(Error)QSerialPort::UnknownError.Unknown error.",
        "(Error)QSerialPort::TimeoutError.Time out error.",
        "(Error)QSerialPort::NotOpenError.Not open error.",
    };
    if (eError < 0 || eError >= static_cast<int>(sizeof kTexts / sizeof kTexts[0]))
        return "";
    return kTexts[eError];
}

void CSerialPort::onError(QSerialPort::SerialPortError eError)
{
    if (eError == QSerialPort::NoError)
        return;
    char header[320];
    std::snprintf(header, sizeof header, "Port:%s Baudrate:%d sender", serialParam.PortName, baudRate());
    AIS_LOG(SysLevel::Info, "COMM::CSerialPort::onError", "%s %s", header, errorText(eError));
    if (eError == QSerialPort::DeviceNotFoundError || eError == QSerialPort::ResourceError)
        portError = true;
}

}  // namespace COMM
