#include "app/SPgbTimeOut.h"

#include "log/SysLog.h"
#include "platform/clock/SysClock.h"

int64_t SPgbTimeOut::now()
{
    return SysClock::wallSec();
}

bool SPgbTimeOut::checkTimeOut(int seconds) const
{
    const int64_t elapsed = now() - m_llStartTime;
    AIS_LOG(SysLevel::Info, "SPgbTimeOut::checkTimeOut", "Check copy file time out = %d", static_cast<int>(elapsed));
    return elapsed > seconds;
}
