#include "device/CDeviceComm.h"

#include "comm/CCommData.h"
#include "comm/CSerialPort.h"
#include "comm/CServiceComm.h"
#include "platform/clock/SysClock.h"
#include "comm/TxFrame.h"
#include "log/SysLog.h"

#include <QMutexLocker>
#include <QThread>

#include <cstring>

CDeviceComm::CDeviceComm()
{
    connect(this, SIGNAL(signalCheckAISDevDone(bool)), this, SLOT(onCheckAISDevDone(bool)));
    connect(&m_oQueryTimer, SIGNAL(timeout()), this, SLOT(onTimerSendQuery()));
}

CDeviceComm::~CDeviceComm()
{
    const QByteArray name = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "CDeviceComm::~CDeviceComm", "Name:%s Start", name.constData());
    m_oQueryTimer.stop();
    AIS_LOG(SysLevel::Leave, "CDeviceComm::~CDeviceComm", "Name:%s End", name.constData());
}

void CDeviceComm::startQuery()
{
    sendCommand(CCommandHandle::getCommand(0));
    m_oQueryTimer.start(kQueryPeriodMs);
}

void CDeviceComm::sendCommand(const std::string &sentence)
{
    QMutexLocker locker(&m_oChannelMutex);
    COMM::CServiceComm *channel = m_poChannel.load();
    if (!channel) {
        AIS_LOG(SysLevel::Info, "CDeviceComm::sendCommand", "Serial port is not exist");
        return;
    }
    if (sentence.size() > kSentenceMax) {
        AIS_LOG(SysLevel::Warning, "CDeviceComm::sendCommand", "Command is too long: %d characters",
                static_cast<int>(sentence.size()));
        return;
    }
    TxFrame frame;
    std::memcpy(frame.data, sentence.data(), sentence.size());
    std::memcpy(frame.data + sentence.size(), "\r\n", 3);
    frame.length = static_cast<int32_t>(sentence.size() + 2);
    frame.noRepeat = false;
    frame.gapMs = 100;
    frame.created = SysClock::steadyMs();
    channel->pushTxFrame(frame, true);
    AIS_LOG(SysLevel::Info, "CDeviceComm::sendCommand", "%s", sentence.c_str());
}

void CDeviceComm::attachChannel(COMM::CCommData *poCommData)
{
    if (!poCommData || poCommData->commType() != 1 || !poCommData->serialPort())
        return;
    COMM::CSerialPort *serial = poCommData->serialPort();
    setChannel(serial);
    poCommData->setReconntMax(1);
    connect(serial, SIGNAL(signalRxSentence(void*,char)), this, SLOT(onCommRxSent(void*,char)),
            static_cast<Qt::ConnectionType>(Qt::DirectConnection | Qt::UniqueConnection));
}

void CDeviceComm::setChannel(COMM::CServiceComm *poChannel)
{
    QMutexLocker locker(&m_oChannelMutex);
    m_poChannel = poChannel;
}

void CDeviceComm::detachChannel()
{
    setChannel(nullptr);
}

void CDeviceComm::detachChannelOf(COMM::CCommData *poCommData)
{
    if (!poCommData)
        return;
    QMutexLocker locker(&m_oChannelMutex);
    if (m_poChannel.load() == poCommData->serialPort())
        m_poChannel = nullptr;
}

void CDeviceComm::resetState()
{
    // One step for an answer being taken on the communication thread: it
    // either completes before the reset (and is cleared by it) or finds no
    // attached channel.
    QMutexLocker channelLocker(&m_oChannelMutex);
    QMutexLocker locker(&m_oCmdMutex);
    m_poChannel = nullptr;
    m_bDevChecked = false;
    m_oCmdHandle.reset();
    m_iQueryCount = 0;
}

VerInfo CDeviceComm::verInfo() const
{
    QMutexLocker locker(&m_oCmdMutex);
    return m_oCmdHandle.m_stVerInfo;
}

void CDeviceComm::onTimerSendQuery()
{
    if (m_iQueryCount >= kQueryRepeats) {
        m_iQueryCount = 0;
        m_oQueryTimer.stop();
        emit signalAISDevCheckResult(false);
        return;
    }
    ++m_iQueryCount;
    sendCommand(CCommandHandle::getCommand(0));
    // The test sentence follows the query 100 ms later; the GUI thread is
    // held for that time, as the device expects the pair close together.
    const int64_t until = SysClock::steadyMs() + kTestSentenceDelayMs;
    while (SysClock::steadyMs() < until)
        QThread::msleep(1);
    sendCommand(CCommandHandle::getCommand(2));
}

void CDeviceComm::onCommRxSent(void *poSender, char cCommType)
{
    Q_UNUSED(cCommType);
    auto *sender = static_cast<COMM::CServiceComm *>(poSender);
    if (!sender || !sender->rawHandle())
        return;
    std::string line;
    QMutexLocker locker(&m_oCmdMutex);
    if (sender != m_poChannel.load()) {
        // A link being dropped (or never attached) may still deliver lines
        // until its channel is deleted: they are taken and dropped.
        locker.unlock();
        while (sender->rawHandle()->getSentence(line)) {
        }
        return;
    }
    m_oCmdHandle.setTargetType(kTargetType);

    // Lines that are not an accepted answer are consumed and dropped; the
    // first accepted one ends the batch, the rest wait for the next signal.
    while (sender->rawHandle()->getSentence(line)) {
        if (!m_oCmdHandle.sentenceProcess(line))
            continue;
        // Without its line end, so the log line stays one line.
        const std::string text = line.substr(0, line.find_last_not_of("\r\n") + 1);
        AIS_LOG(SysLevel::Info, "CDeviceComm::onCommRxSent", "%s", text.c_str());
        if (m_oCmdHandle.m_iStatus == 1) {
            m_bDevChecked = true;
            emit signalCheckAISDevDone(true);
            break;
        }
    }
}

void CDeviceComm::onCheckAISDevDone(bool bOk)
{
    // A success queued just before a reset belongs to the dropped link.
    if (bOk && !m_bDevChecked)
        return;
    m_iQueryCount = 0;
    m_oQueryTimer.stop();
    emit signalAISDevCheckResult(bOk);
}
