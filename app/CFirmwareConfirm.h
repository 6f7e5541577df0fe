#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

class CCommSpacesManage;
class CMSDManipulate;

// After a successful copy: watches for the transponder to come back from
// its power cycle and tells which firmware it runs. It uses the discovery
// and identification of Start (nothing new on the wire): its serial port is
// looked for once a second, connected and asked for its version; its
// bootloader volume counts only once it has gone away, since it stays
// mounted until the power cycle. Gives up after kWatchSec.
//
// GUI thread only. While it owns the link, the window hands it the
// discovery manager's connection signals and the identification result.
class CFirmwareConfirm : public QObject {
    Q_OBJECT
public:
    enum Outcome {
        Confirmed,        // runs the package's version
        OldFirmware,      // runs another version: the image was not taken
        BootloaderAgain,  // came back in bootloader mode: the image was not taken
        NotSeen,          // not back within kWatchSec
    };
    static constexpr int kWatchSec = 180;
    static constexpr int kPollMs = 1000;

    // Neither worker is owned; both must outlive the watch.
    CFirmwareConfirm(CCommSpacesManage *poDiscovery, CMSDManipulate *poMsd, QObject *parent = nullptr);

    // The version the device must run afterwards: the package's.
    void expect(const QString &strVersion) { m_strExpected = strVersion; }
    // Starts watching for a device that runs the expected version.
    void start();
    // Ends the watch at any step without an outcome. A connection or check
    // under way is still seen to its end and its link dropped (ownsLink).
    void stop();
    bool isWatching() const { return m_eStep != Step::Idle && !m_bStopping; }
    // A connection or check of the watch is under way: the discovery
    // manager's signals are the watch's, and no other connection may start.
    bool ownsLink() const { return m_eStep == Step::Connecting || m_eStep == Step::Identifying; }

    void onCommConnted();
    void onCommDeleted();
    void onAISDevCheckResult(bool bAISChecked);

signals:
    // `strRunning` is the version the device runs (Confirmed, OldFirmware).
    void signalOutcome(int iOutcome, QString strRunning);

private slots:
    void onTimerPoll();

private:
    enum class Step { Idle, Looking, Connecting, Identifying };

    void finish(Outcome eOutcome, const QString &strRunning = QString());
    // The link of a stopped watch has ended.
    void endStop();

    CCommSpacesManage *m_poDiscovery;
    CMSDManipulate *m_poMsd;
    QTimer m_oPollTimer;
    Step m_eStep = Step::Idle;
    QString m_strExpected;
    int64_t m_llStart = 0;
    bool m_bVolumeGone = false;
    bool m_bStopping = false;
};
