#include "comm/CServiceComm.h"

#include "platform/clock/SysClock.h"
#include "log/SysLog.h"

#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace COMM {

namespace {
int frameLength(const TxFrame &frame)
{
    return std::clamp(frame.length, 0, TxFrame::kDataMax);
}
}  // namespace

CServiceComm::CServiceComm(const DevInfo &info, int kind)
    : QObject(nullptr), dataKind(kind), devInfo(info)
{
    m_poRawHandle = std::make_unique<CRawDataHandle>();
    if (m_poRawHandle)
        enabled = true;
    setTxTimer(true);
}

CServiceComm::~CServiceComm()
{
    setTxTimer(false);
    disconnect();
    m_poRawHandle.reset();
    if (QThread::currentThread() == thread()) {
        clearTxQueue();
        clearTxRequested = false;
    } else {
        clearTxRequested = true;
        QThread::msleep(100);
    }
    m_strName.clear();
}

void CServiceComm::pushTxFrame(const TxFrame &frame, bool toBack)
{
    if (!enabled)
        return;
    QMutexLocker locker(&txMutex);
    if (toBack)
        txQ.push_back(frame);
    else
        txQ.push_front(frame);
}

void CServiceComm::clearTxQueue()
{
    std::deque<TxFrame> old;
    {
        QMutexLocker locker(&txMutex);
        old.swap(txQ);
    }
}

size_t CServiceComm::txCount() const
{
    QMutexLocker locker(&txMutex);
    return txQ.size();
}

void CServiceComm::setDebug(bool isString, int msgOut)
{
    debugIsString = isString;
    debugMsgOut = msgOut;
}

void CServiceComm::setTxTimer(bool on)
{
    if (on) {
        if (txTimer)
            return;
        txTimer = std::make_unique<QTimer>();
        txTimer->setInterval(kTxIntervalMs);
        connect(txTimer.get(), SIGNAL(timeout()), this, SLOT(onTxDataTimer()));
        txTimer->start();
        return;
    }
    if (!txTimer)
        return;
    txTimer->stop();
    txTimer->disconnect();
    txTimer.reset();
}

void CServiceComm::markConnected()
{
    connected = true;
    init();
}

bool CServiceComm::sendData(const TxFrame &)
{
    return false;
}

void CServiceComm::onTxDataTimer()
{
    if (!clearTxRequested) {
        transmitStep();
        return;
    }
    if (QThread::currentThread() == thread()) {
        m_poRawHandle->clearWait();
        clearTxQueue();
        clearTxRequested = false;
    } else {
        clearTxRequested = true;
        QThread::msleep(100);
    }
}

bool CServiceComm::isHeldBack(const TxFrame &cur)
{
    const int64_t now = SysClock::steadyMs();
    bool waiting = false;
    const CRawDataHandle::WaitState wait = m_poRawHandle->waitState();
    if (wait.timeout > 0) {
        if (now - wait.start > wait.timeout)
            m_poRawHandle->clearWait();
        else
            waiting = true;
    }
    if (now - lastSendClock < cur.gapMs)
        return true;
    return waiting;
}

void CServiceComm::transmitStep()
{
    const bool logSend = (debugMsgOut & 2) != 0;
    while (true) {
        TxFrame cur;
        {
            QMutexLocker locker(&txMutex);
            if (txQ.empty())
                return;
            cur = txQ.front();
        }
        if (isHeldBack(cur))
            return;

        bool hasNext = false;
        {
            QMutexLocker locker(&txMutex);
            if (txQ.empty())
                return;
            cur = txQ.front();
            txQ.pop_front();
            hasNext = !txQ.empty();
        }

        const int len = frameLength(cur);
        const bool repeated = cur.noRepeat && (cur.length <= 0 || std::memcmp(cur.data, lastFrame.data, len) == 0);
        if (!repeated) {
            lastFrame = cur;
            {
                QMutexLocker locker(&txMutex);
                const bool sent = sendData(cur);
                if (sent && cur.waitMs >= 1)
                    m_poRawHandle->setWait(cur.waitMs, cur.waitText);
                if (logSend) {
                    // The frame need not hold a NUL; dump a terminated copy.
                    char text[TxFrame::kDataMax + 1];
                    std::memcpy(text, cur.data, TxFrame::kDataMax);
                    text[TxFrame::kDataMax] = '\0';
                    printMsg(text, len, sent ? "send" : "failed to send");
                }
            }
            lastSendClock = SysClock::steadyMs();
        }
        if (!hasNext)
            return;
    }
}

void CServiceComm::dataReceived(const QByteArray &data, bool noSignal)
{
    QMutexLocker locker(&txMutex);
    if (data.isEmpty())
        return;
    const bool on = enabled;
    if (on) {
        switch (dataKind) {
        case KindMessage1:
        case KindMessage2:
        case KindMessage3:
            m_poRawHandle->appendToRawQ(data);
            m_poRawHandle->appendToMsgQ(data, devInfo.SplitLines);
            break;
        case KindSentence:
            m_poRawHandle->appendToRawAndSentQ(data);
            break;
        case KindBinary:
            m_poRawHandle->appendToBinQ(data);
            break;
        case KindCommand:
            m_poRawHandle->appendToCmdQ(data);
            break;
        default:
            return;
        }
    }
    if (debugMsgOut & 1)
        printMsg(data.constData(), data.size(), "receive");
    if (noSignal)
        return;
    const char type = static_cast<char>(commType);
    switch (dataKind) {
    case KindMessage1:
    case KindMessage2:
    case KindMessage3:
        emit signalRxMessage(this, type);
        break;
    case KindSentence:
        emit signalRxSentence(this, type);
        break;
    case KindBinary:
        if (on)
            emit signalRxBinData(this);
        break;
    case KindCommand:
        if (on)
            emit signalRxCmdData(this);
        break;
    default:
        break;
    }
}

void CServiceComm::printMsg(const char *data, int length, const std::string &header)
{
    if (data == nullptr)
        return;
    std::string text;
    if (debugIsString) {
        text = data;
    } else if (length > 0) {
        text.reserve(static_cast<size_t>(length) * 3);
        char hex[4];
        for (int i = 0; i < length; ++i) {
            std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(data[i]));
            text += hex;
        }
    }
    AIS_LOG(SysLevel::Info, "COMM::CServiceComm::printMsg", "%s %s", header.c_str(), text.c_str());
}

}  // namespace COMM
