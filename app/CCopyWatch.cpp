#include "app/CCopyWatch.h"

#include "app/CUpgradeTexts.h"
#include "log/SysLog.h"
#include "platform/clock/SysClock.h"
#include "transfer/CMSDManipulate.h"

CCopyWatch::CCopyWatch(const CMSDManipulate *poMsd, const CUpgradeTexts &oTexts, QObject *parent)
    : QObject(parent), m_poMsd(poMsd), m_oTexts(oTexts)
{
}

void CCopyWatch::start()
{
    m_oCopyTimeOut.start();
}

void CCopyWatch::clear()
{
    m_oCopyTimeOut.clear();
}

void CCopyWatch::copyStarted()
{
    m_eCopy = Copy::Running;
}

bool CCopyWatch::copyEnded(bool bSuccess)
{
    const Copy eWas = m_eCopy;
    m_eCopy = Copy::None;
    const char *result = bSuccess ? "success" : "fail";
    if (eWas == Copy::Abandoned) {
        // Its attempt ended when it was abandoned; the window may be on a
        // new one by now.
        AIS_LOG(SysLevel::Info, "CCopyWatch::copyEnded", "Trans result after time out ignored: %s", result);
        return false;
    }
    if (eWas == Copy::Watched)
        AIS_LOG(SysLevel::Info, "CCopyWatch::copyEnded", "Copy ended after time out: %s", result);
    return true;
}

void CCopyWatch::tick()
{
    int quietSec = 0;
    if (m_oCopyTimeOut.isActive() && m_oCopyTimeOut.checkTimeOut(kTimeOutSec)) {
        // Stopped here: the message box below runs a nested event loop, and
        // later ticks must not report the same time-out again.
        m_oCopyTimeOut.clear();
        AIS_LOG(SysLevel::Info, "CCopyWatch::tick", "Copy File time out!");
        if (m_eCopy != Copy::Running) {
            emit signalVerdict(TimedOut, m_oTexts.text(28));
        } else if (stalled(quietSec)) {
            abandon(quietSec);
        } else {
            m_eCopy = Copy::Watched;
            AIS_LOG(SysLevel::Info, "CCopyWatch::tick", "Copy still running at time out: %lld bytes written",
                    static_cast<long long>(m_poMsd->bytesWritten()));
            emit signalVerdict(StillRunning, copyNote());
        }
        return;
    }
    if (m_eCopy == Copy::Watched && stalled(quietSec))
        abandon(quietSec);
}

QString CCopyWatch::copyNote() const
{
    switch (m_eCopy) {
    case Copy::Watched: return m_oTexts.text(CUpgradeTexts::CopyStillRunning);
    case Copy::Abandoned: return m_oTexts.text(CUpgradeTexts::CopyStalled).arg(kStallSec);
    default: return QString();
    }
}

bool CCopyWatch::stalled(int &iQuietSec) const
{
    const int64_t quietMs = SysClock::steadyMs() - m_poMsd->lastProgressMs();
    iQuietSec = static_cast<int>(quietMs / 1000);
    return quietMs > int64_t(kStallSec) * 1000;
}

void CCopyWatch::abandon(int iQuietSec)
{
    m_eCopy = Copy::Abandoned;
    AIS_LOG(SysLevel::Info, "CCopyWatch::tick", "Copy made no progress for %d s", iQuietSec);
    emit signalVerdict(Stalled, copyNote());
}
