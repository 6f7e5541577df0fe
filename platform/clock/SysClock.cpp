#include "platform/clock/SysClock.h"

#include <atomic>
#include <chrono>

namespace {
int64_t systemSteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t systemWallSec()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::atomic<SysClock::Source> g_steady{&systemSteadyMs};
std::atomic<SysClock::Source> g_wall{&systemWallSec};
}  // namespace

int64_t SysClock::steadyMs()
{
    return g_steady.load()();
}

int64_t SysClock::wallSec()
{
    return g_wall.load()();
}

void SysClock::setSteadySource(Source source)
{
    g_steady.store(source ? source : &systemSteadyMs);
}

void SysClock::setWallSource(Source source)
{
    g_wall.store(source ? source : &systemWallSec);
}
