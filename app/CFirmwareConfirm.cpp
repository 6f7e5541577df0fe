#include "app/CFirmwareConfirm.h"

#include "app/AppConstants.h"
#include "app/SPgbTimeOut.h"
#include "device/CCommSpacesManage.h"
#include "log/SysLog.h"
#include "transfer/CMSDManipulate.h"
#include "transfer/FwVersion.h"

#include <cstring>

CFirmwareConfirm::CFirmwareConfirm(CCommSpacesManage *poDiscovery, CMSDManipulate *poMsd, QObject *parent)
    : QObject(parent), m_poDiscovery(poDiscovery), m_poMsd(poMsd)
{
    connect(&m_oPollTimer, SIGNAL(timeout()), this, SLOT(onTimerPoll()));
}

void CFirmwareConfirm::start()
{
    m_llStart = SPgbTimeOut::now();
    m_bVolumeGone = false;
    m_bStopping = false;
    m_eStep = Step::Looking;
    m_oPollTimer.start(kPollMs);
    AIS_LOG(SysLevel::Info, "CFirmwareConfirm::start", "Wait for the device to come back with %s",
            m_strExpected.toLatin1().constData());
}

void CFirmwareConfirm::stop()
{
    if (!isWatching())
        return;
    m_oPollTimer.stop();
    // A connected or identified device would otherwise reach the window's
    // own workflow and open its information page.
    if (ownsLink())
        m_bStopping = true;
    else
        m_eStep = Step::Idle;
    AIS_LOG(SysLevel::Info, "CFirmwareConfirm::stop", "Firmware confirmation stopped");
}

void CFirmwareConfirm::onTimerPoll()
{
    const char *fun = "CFirmwareConfirm::onTimerPoll";
    // A connection or a check runs: its end comes first, and soon.
    if (m_eStep != Step::Looking)
        return;
    if (SPgbTimeOut::now() - m_llStart > kWatchSec) {
        finish(NotSeen);
        return;
    }
    // An earlier link is still being removed.
    if (m_poDiscovery->isCommDeleting())
        return;
    if (m_poDiscovery->pollingDevName()) {
        m_bVolumeGone = true;  // out of its bootloader
        m_eStep = Step::Connecting;
        m_poDiscovery->conntPolledDev();
        return;
    }
    m_poMsd->setMsdName(kMsdName);
    const bool volume = m_poMsd->findDev();
    if (!volume && !m_bVolumeGone) {
        m_bVolumeGone = true;
        AIS_LOG(SysLevel::Info, fun, "Bootloader volume gone");
    } else if (volume && m_bVolumeGone) {
        finish(BootloaderAgain);
    }
}

void CFirmwareConfirm::onCommConnted()
{
    if (m_eStep != Step::Connecting)
        return;
    if (m_bStopping) {
        m_poDiscovery->deletePolledDev();
        endStop();
        return;
    }
    m_eStep = Step::Identifying;
    m_poDiscovery->checkPolledDev();
}

void CFirmwareConfirm::onCommDeleted()
{
    // While this watch's connect request still waits, the removal was an
    // earlier link's.
    if (m_eStep != Step::Connecting || m_poDiscovery->isCommConnecting())
        return;
    if (m_bStopping)
        endStop();
    else
        m_eStep = Step::Looking;
}

void CFirmwareConfirm::onAISDevCheckResult(bool bAISChecked)
{
    if (m_eStep != Step::Identifying)
        return;
    // Read before the link is dropped, which clears the answer.
    const VerInfo info = m_poDiscovery->m_oDevComm.verInfo();
    m_poDiscovery->deletePolledDev();
    if (m_bStopping) {
        endStop();
        return;
    }
    if (!bAISChecked) {
        // Perhaps still starting up: asked again on a later tick.
        AIS_LOG(SysLevel::Info, "CFirmwareConfirm::onAISDevCheckResult", "Device not identified yet");
        m_eStep = Step::Looking;
        return;
    }
    const QString running =
        QString::fromLatin1(info.szFwVersion, static_cast<int>(strnlen(info.szFwVersion, sizeof info.szFwVersion)));
    finish(isSameReportedVersion(running.toStdString(), m_strExpected.toStdString()) ? Confirmed : OldFirmware,
           running);
}

void CFirmwareConfirm::endStop()
{
    m_bStopping = false;
    m_eStep = Step::Idle;
}

void CFirmwareConfirm::finish(Outcome eOutcome, const QString &strRunning)
{
    const char *fun = "CFirmwareConfirm::finish";
    m_oPollTimer.stop();
    m_eStep = Step::Idle;
    const QByteArray running = strRunning.toLatin1();
    const QByteArray expected = m_strExpected.toLatin1();
    switch (eOutcome) {
    case Confirmed:
        AIS_LOG(SysLevel::Info, fun, "Firmware confirmed: device runs %s", running.constData());
        break;
    case OldFirmware:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not taken: device runs %s instead of %s", running.constData(),
                expected.constData());
        break;
    case BootloaderAgain:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not taken: device back in bootloader mode");
        break;
    case NotSeen:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not confirmed: device not seen within %d s", kWatchSec);
        break;
    }
    emit signalOutcome(eOutcome, strRunning);
}
