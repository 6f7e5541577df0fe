#include "device/CCommSpacesManage.h"

#include "comm/CCommData.h"
#include "comm/CSerialPort.h"
#include "log/SysLog.h"

#include <QSerialPortInfo>
#include <QThread>

namespace {
const QString kDescription = QStringLiteral("AIS Virtual Com");
const QString kVendor = QStringLiteral("2504");
const QString kProduct = QStringLiteral("3209");
const QString kOldProduct = QStringLiteral("300");
constexpr int kTextMax = 256;

QByteArray logText(const QString &text)
{
    return text.size() < kTextMax ? text.toLocal8Bit() : QByteArray();
}
}  // namespace

CCommSpacesManage::CCommSpacesManage(QObject *parent) : CCommSpace(false, parent)
{
}

CCommSpacesManage::~CCommSpacesManage()
{
    // The hooks use m_oDevComm, which goes before the base class stops the
    // thread; an owner that did not call end() gets it here.
    QThread *thread = commThreadObject();
    if (thread && thread->isRunning())
        end();
}

bool CCommSpacesManage::pollingDevName()
{
    const std::vector<std::string> found = matchPorts(false);
    strPolledDev = found.empty() ? std::string() : found.front();
    return !found.empty();
}

std::vector<std::string> CCommSpacesManage::matchingPorts()
{
    return matchPorts(true);
}

std::vector<std::string> CCommSpacesManage::matchPorts(bool bAll)
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "Start to find serial port name.");
    AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "Serial port total %d", ports.size());

    std::vector<std::string> found;
    for (const QSerialPortInfo &port : ports) {
        const QString description = port.description();
        const QString vendor =
            port.hasVendorIdentifier() ? QString::number(port.vendorIdentifier(), 16) : QStringLiteral("N/A");
        const QString product =
            port.hasProductIdentifier() ? QString::number(port.productIdentifier(), 16) : QStringLiteral("N/A");
        const QByteArray name = port.portName().toLocal8Bit();
        const QByteArray descText = logText(description);
        AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName",
                "Get Serial port description: %s, port name: %s, serial manufacturer: %s", descText.constData(),
                name.constData(), logText(port.manufacturer()).constData());

        const QByteArray vid = vendor.toLatin1();
        const QByteArray pid = product.toLatin1();
        bool match = false;
        if (description.toLower().contains(kDescription.toLower())) {
            AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "Port name is found: %s",
                    descText.constData());
            match = true;
        } else if (vendor.contains(kVendor) && product.contains(kProduct)) {
            AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "VID/PID:%s/%s is found", vid.constData(),
                    pid.constData());
            match = true;
        } else if (vendor.contains(kVendor) && product.contains(kOldProduct)) {
            AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "[old firmware]VID/PID:%s/%s is found",
                    vid.constData(), pid.constData());
            match = true;
        }
        if (match) {
            found.push_back(name.toStdString());
            if (!bAll)
                return found;
        }
    }
    if (found.empty())
        AIS_LOG(SysLevel::Info, "CCommSpacesManage::pollingDevName", "Port name not found");
    return found;
}

CommConfig CCommSpacesManage::transponderConfig(const std::string &strPortName)
{
    CommConfig config;
    const std::wstring wide = QString::fromStdString(strPortName).toStdWString();
    config.setDevInfo(makeDevInfo(2, wide.c_str(), 2, true));
    config.SplitLines = true;
    config.CommType = 1;
    config.serialParam = makeSerialParam(strPortName.c_str(), 2);
    config.DebugIsString = false;
    config.DebugMsgOut = 0;
    return config;
}

bool CCommSpacesManage::conntPort(const std::string &strPortName)
{
    strPolledDev = strPortName;
    return conntPolledDev();
}

bool CCommSpacesManage::conntPolledDev()
{
    if (strPolledDev.empty())
        return false;
    saveCommConnect(transponderConfig(strPolledDev));
    AIS_LOG(SysLevel::Info, "CCommSpacesManage::conntPolledDev", "Try to connect %s", strPolledDev.c_str());
    return true;
}

void CCommSpacesManage::checkPolledDev()
{
    m_oDevComm.startQuery();
}

void CCommSpacesManage::sendDevCommand(const std::string &sentence)
{
    m_oDevComm.sendCommand(sentence);
}

void CCommSpacesManage::deletePolledDev()
{
    // findCommData looks under the list's lock: the communication thread may
    // be removing items meanwhile.
    if (COMM::CServiceComm *channel = m_oDevComm.m_poChannel.load()) {
        if (COMM::CCommData *item = findCommData(channel))
            deleteCommData(item);
    }
    m_oDevComm.resetState();
}

void CCommSpacesManage::onCommStop()
{
    m_oDevComm.detachChannel();
}

void CCommSpacesManage::onCommDataSaved(COMM::CCommData *poCommData)
{
    if (poCommData)
        m_oDevComm.attachChannel(poCommData);
}

void CCommSpacesManage::onCommItemDeleting(COMM::CCommData *poCommData)
{
    m_oDevComm.detachChannelOf(poCommData);
}
