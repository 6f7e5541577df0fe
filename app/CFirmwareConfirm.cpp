#include "app/CFirmwareConfirm.h"

#include "app/AppConstants.h"
#include "device/CCommSpacesManage.h"
#include "log/SysLog.h"
#include "platform/clock/SysClock.h"
#include "transfer/CMSDManipulate.h"
#include "transfer/FwVersion.h"

#include <algorithm>
#include <cstring>
#include <vector>

CFirmwareConfirm::CFirmwareConfirm(CCommSpacesManage *poDiscovery, CMSDManipulate *poMsd, QObject *parent)
    : QObject(parent), m_poDiscovery(poDiscovery), m_poMsd(poMsd)
{
    connect(&m_oPollTimer, SIGNAL(timeout()), this, SLOT(onTimerPoll()));
}

void CFirmwareConfirm::expect(const QString &strVersion)
{
    m_strExpected = strVersion.toStdString();
    const CDeviceComm &check = m_poDiscovery->m_oDevComm;
    m_stUnit = check.m_bDevChecked ? UnitIdentity::of(check.verInfo()) : UnitIdentity();
}

void CFirmwareConfirm::start()
{
    const char *fun = "CFirmwareConfirm::start";
    m_llStartMs = SysClock::steadyMs();
    m_bStopping = false;
    m_eStep = Step::Looking;
    m_oRound.clear();
    m_oPortsBefore.clear();
    m_oVolumeWatch.start(m_poMsd->copiedVolume());
    if (m_stUnit.isKnown())
        AIS_LOG(SysLevel::Info, fun, "Upgraded unit: %s, unique id %s, serial %d", m_stUnit.strMachineType.c_str(),
                m_stUnit.strUniqueId.c_str(), m_stUnit.iSerialNum);
    else
        AIS_LOG(SysLevel::Info, fun, "Upgraded unit not identified at Start: a device on a port listed before its "
                "drive goes is taken for another unit");
    m_oPollTimer.start(kPollMs);
    AIS_LOG(SysLevel::Info, fun, "Wait for the device to come back with %s", m_strExpected.c_str());
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
    // A connection or a check runs: its end comes first, and soon.
    if (m_eStep != Step::Looking)
        return;
    if (SysClock::steadyMs() - m_llStartMs > int64_t(kWatchSec) * 1000) {
        finish(NotSeen);
        return;
    }
    // An earlier link is still being removed.
    if (m_poDiscovery->isCommDeleting())
        return;
    if (m_oVolumeWatch.look(m_poMsd->volumesNamed(kMsdName)) == CBootloaderVolumeWatch::Seen::Back) {
        finish(BootloaderAgain);
        return;
    }
    m_strPort = nextPort();
    if (m_strPort.empty())
        return;
    m_eStep = Step::Connecting;
    m_poDiscovery->conntPort(m_strPort);
}

std::string CFirmwareConfirm::nextPort()
{
    if (m_oRound.empty()) {
        std::vector<std::string> listed = m_poDiscovery->matchingPorts();
        if (!m_stUnit.isKnown())
            setAsideOthers(listed);
        m_oRound.assign(listed.begin(), listed.end());
    }
    if (m_oRound.empty())
        return {};
    const std::string port = m_oRound.front();
    m_oRound.pop_front();
    return port;
}

void CFirmwareConfirm::setAsideOthers(std::vector<std::string> &oListed)
{
    // A port gone from the list may come back with the upgraded unit.
    for (auto it = m_oPortsBefore.begin(); it != m_oPortsBefore.end();) {
        if (std::find(oListed.begin(), oListed.end(), *it) == oListed.end())
            it = m_oPortsBefore.erase(it);
        else
            ++it;
    }
    // While its drive is there, the upgraded unit is in its bootloader.
    if (!m_oVolumeWatch.isGone()) {
        for (const std::string &name : oListed) {
            if (m_oPortsBefore.insert(name).second)
                AIS_LOG(SysLevel::Info, "CFirmwareConfirm::setAsideOthers",
                        "Device on %s came while the upgraded unit's drive is still there: another unit",
                        name.c_str());
        }
    }
    oListed.erase(std::remove_if(oListed.begin(), oListed.end(),
                                 [this](const std::string &name) { return m_oPortsBefore.count(name) != 0; }),
                  oListed.end());
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
    const char *fun = "CFirmwareConfirm::onAISDevCheckResult";
    if (m_eStep != Step::Identifying)
        return;
    // Read before the link is dropped, which clears the answer.
    const VerInfo info = m_poDiscovery->m_oDevComm.verInfo();
    m_poDiscovery->deletePolledDev();
    if (m_bStopping) {
        endStop();
        return;
    }
    m_eStep = Step::Looking;
    if (!bAISChecked) {
        // Perhaps still starting up: asked again in a later round.
        AIS_LOG(SysLevel::Info, fun, "Device not identified yet");
        return;
    }
    if (m_stUnit.isKnown() && !m_stUnit.matches(info)) {
        const UnitIdentity other = UnitIdentity::of(info);
        AIS_LOG(SysLevel::Info, fun, "Device on %s is another unit (%s, serial %d): not the upgraded one",
                m_strPort.c_str(), other.strUniqueId.c_str(), other.iSerialNum);
        return;
    }
    const std::string running(info.szFwVersion, strnlen(info.szFwVersion, sizeof info.szFwVersion));
    finish(isSameReportedVersion(running, m_strExpected) ? Confirmed : OldFirmware, running);
}

void CFirmwareConfirm::endStop()
{
    m_bStopping = false;
    m_eStep = Step::Idle;
}

void CFirmwareConfirm::finish(Outcome eOutcome, const std::string &strRunning)
{
    const char *fun = "CFirmwareConfirm::finish";
    m_oPollTimer.stop();
    m_eStep = Step::Idle;
    switch (eOutcome) {
    case Confirmed:
        AIS_LOG(SysLevel::Info, fun, "Firmware confirmed: device runs %s", strRunning.c_str());
        break;
    case OldFirmware:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not taken: device runs %s instead of %s", strRunning.c_str(),
                m_strExpected.c_str());
        break;
    case BootloaderAgain:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not taken: device back in bootloader mode");
        break;
    case NotSeen:
        AIS_LOG(SysLevel::Warning, fun, "Firmware not confirmed: device not seen within %d s", kWatchSec);
        break;
    }
    emit signalOutcome(eOutcome, QString::fromLatin1(strRunning.c_str()));
}
