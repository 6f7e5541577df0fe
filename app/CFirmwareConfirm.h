#pragma once

#include "device/UnitIdentity.h"
#include "transfer/CBootloaderVolumeWatch.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

class CCommSpacesManage;
class CMSDManipulate;

// After a successful copy: watches for the upgraded transponder to come back
// from its power cycle and tells which firmware it runs. It uses the
// discovery and identification of Start (nothing new on the wire): once a
// second it looks at the bootloader volume the copy wrote to, or connects
// the next port that discovery matches (each in turn, so a port whose device
// never answers does not hide the others) and asks it for its version. Only
// the upgraded unit decides: a device with another unique id or serial
// number is passed over, and so is a drive told apart as another unit's
// (CBootloaderVolumeWatch). When Start found the device in bootloader mode
// its identity is unknown: a device on a port listed while the upgraded
// unit's drive is still there is taken for another unit. Gives up after
// kWatchSec on the monotonic clock.
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

    // The version the device must run afterwards (the package's), and the
    // unit to be upgraded: the one the discovery manager's check identified,
    // if it did (not when the device was found in bootloader mode).
    void expect(const QString &strVersion);
    // Starts watching for the upgraded unit and the drive the copy wrote to.
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

    // The next port of the round to ask; "" when there is none.
    std::string nextPort();
    // Unknown unit: drops from the list the ports of other units, those
    // listed while the upgraded unit's drive was still there.
    void setAsideOthers(std::vector<std::string> &oListed);
    void finish(Outcome eOutcome, const std::string &strRunning = std::string());
    // The link of a stopped watch has ended.
    void endStop();

    CCommSpacesManage *m_poDiscovery;
    CMSDManipulate *m_poMsd;
    QTimer m_oPollTimer;
    Step m_eStep = Step::Idle;
    std::string m_strExpected;
    UnitIdentity m_stUnit;
    int64_t m_llStartMs = 0;
    CBootloaderVolumeWatch m_oVolumeWatch;
    std::deque<std::string> m_oRound;       // ports still to ask in this round
    std::set<std::string> m_oPortsBefore;   // unknown unit: other units' ports
    std::string m_strPort;                  // being asked
    bool m_bStopping = false;
};
