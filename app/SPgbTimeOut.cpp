#include "app/SPgbTimeOut.h"

#include "log/SysLog.h"

#include <atomic>
#include <ctime>

namespace {
int64_t systemTime()
{
    return static_cast<int64_t>(std::time(nullptr));
}
std::atomic<SPgbTimeOut::TimeSource> g_timeSource{&systemTime};
}  // namespace

void SPgbTimeOut::setTimeSource(TimeSource source)
{
    g_timeSource.store(source ? source : &systemTime);
}

int64_t SPgbTimeOut::now()
{
    return g_timeSource.load()();
}

bool SPgbTimeOut::checkTimeOut(int seconds) const
{
    const int64_t elapsed = now() - m_llStartTime;
    AIS_LOG(SysLevel::Info, "SPgbTimeOut::checkTimeOut", "Check copy file time out = %d", static_cast<int>(elapsed));
    return elapsed > seconds;
}
