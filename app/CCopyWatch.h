#pragma once

#include "app/SPgbTimeOut.h"

#include <QObject>
#include <QString>

class CMSDManipulate;
class CUpgradeTexts;

// The copy time-out, and the copy that outlives it. 180 s after Next, on the
// date clock: no copy thread runs (the volume never came, the copy never
// started) -> the time-out as it always was; the copy thread still writes ->
// the operator is told it runs and it is watched to its end; nothing written
// for kStallSec, on the monotonic clock, at the time-out or later -> the
// copy has stopped and is abandoned (its late result is only logged). Power
// Off is asked for only once nothing is written any more.
//
// GUI thread only; the copy's progress is read from the worker's atomics.
class CCopyWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeOutSec = 180;
    static constexpr int kStallSec = 60;

    enum Verdict {
        TimedOut,      // no copy runs
        StillRunning,  // the copy writes: watched to its end
        Stalled,       // nothing written for kStallSec: abandoned
    };

    // Neither is owned; both must outlive the watch.
    CCopyWatch(const CMSDManipulate *poMsd, const CUpgradeTexts &oTexts, QObject *parent = nullptr);

    // Next: the time-out starts.
    void start();
    // The time-out stops; a copy that runs stays known as it is.
    void clear();
    // The copy thread was started.
    void copyStarted();
    // The copy thread's result came: false when it belongs to no attempt any
    // more (abandoned), so that it is only logged.
    bool copyEnded(bool bSuccess);
    // One refresh tick: the time-out, then the watched copy's progress.
    void tick();

    // An abandoned copy still runs: no new copy may start.
    bool isAbandonedCopyRunning() const { return m_eCopy == Copy::Abandoned; }
    // What the progress page says instead of its blinking note; empty while
    // that note (text 16) is right.
    QString copyNote() const;

signals:
    void signalVerdict(int iVerdict, QString strText);

private:
    enum class Copy { None, Running, Watched, Abandoned };

    // Whole seconds since the copy's last progress, when more than kStallSec.
    bool stalled(int &iQuietSec) const;
    void abandon(int iQuietSec);

    const CMSDManipulate *m_poMsd;
    const CUpgradeTexts &m_oTexts;
    SPgbTimeOut m_oCopyTimeOut;
    Copy m_eCopy = Copy::None;
};
