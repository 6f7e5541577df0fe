#pragma once

#include "device/CCommandHandle.h"

#include <QMutex>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <string>

namespace COMM {
class CCommData;
class CServiceComm;
}  // namespace COMM

// The conversation with the transponder on its serial channel: sends command
// sentences, asks for the version answer up to three times and reports once
// whether the expected model answered.
//
// Lives on the GUI thread, which runs the query timer. onCommRxSent runs on
// the communication thread (direct connection from the channel, whose
// transmit mutex is then held, so it sends nothing); it hands the end of a
// successful check to the GUI thread through the queued self-connection.
// The channel pointer and the checked flag are read on the GUI thread at any
// time and written on the communication thread, hence atomic. A frame is
// pushed under m_oChannelMutex, which the detach operations also take: the
// communication thread detaches a channel before it deletes it, so a send
// never reaches a deleted channel. Only lines from the attached channel are
// checked, under m_oCmdMutex, which resetState holds while it drops the
// channel and clears the answer.
class CDeviceComm : public QObject {
    Q_OBJECT
public:
    static constexpr int kQueryPeriodMs = 500;
    static constexpr int kQueryRepeats = 2;
    static constexpr int kTestSentenceDelayMs = 100;
    static constexpr std::size_t kSentenceMax = 509;  // CR LF and NUL must fit a frame
    static constexpr const char *kTargetType = "AIS-B-470";

    CDeviceComm();
    ~CDeviceComm() override;

    void startQuery();
    void sendCommand(const std::string &sentence);
    void attachChannel(COMM::CCommData *poCommData);
    void detachChannel();
    void detachChannelOf(COMM::CCommData *poCommData);
    void resetState();
    // A copy of the last answer's fields, taken under the handler's lock.
    VerInfo verInfo() const;

    std::atomic<COMM::CServiceComm *> m_poChannel{nullptr};  // not owned
    CCommandHandle m_oCmdHandle;
    QTimer m_oQueryTimer;
    std::atomic<bool> m_bDevChecked{false};
    int m_iQueryCount = 0;

private:
    void setChannel(COMM::CServiceComm *poChannel);
    QMutex m_oChannelMutex;
    // Guards m_oCmdHandle's answer fields and the checked flag's changes:
    // onCommRxSent writes them on the communication thread while the GUI
    // thread resets or reads them. Taken only after m_oChannelMutex, never
    // before it: onCommRxSent runs under the channel's transmit mutex, which
    // sendCommand takes after m_oChannelMutex.
    mutable QMutex m_oCmdMutex;

signals:
    void signalCheckAISDevDone(bool bOk);
    void signalAISDevCheckResult(bool bAISChecked);

public slots:
    void onCommRxSent(void *poSender, char cCommType);
    void onCheckAISDevDone(bool bOk);
    void onTimerSendQuery();
};
