#include "tests/support/TestClock.h"

#include "platform/clock/SysClock.h"

#include <atomic>
#include <chrono>

namespace {
std::atomic<int64_t> g_movedMs{0};
std::atomic<int64_t> g_stepMs{0};
std::atomic<int64_t> g_dateMs{0};  // the date in milliseconds, so steps below a second add up

int64_t realSteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t testSteadyMs()
{
    const int64_t step = g_stepMs.load();
    if (step > 0) {
        g_dateMs.fetch_add(step);
        return realSteadyMs() + g_movedMs.fetch_add(step) + step;
    }
    return realSteadyMs() + g_movedMs.load();
}

int64_t testWallSec()
{
    return g_dateMs.load() / 1000;
}
}  // namespace

TestClock::TestClock()
{
    g_movedMs = 0;
    g_stepMs = 0;
    g_dateMs = kStartDate * 1000;
    SysClock::setSteadySource(&testSteadyMs);
    SysClock::setWallSource(&testWallSec);
}

TestClock::~TestClock()
{
    SysClock::setSteadySource(nullptr);
    SysClock::setWallSource(nullptr);
}

void TestClock::stepOnRead(int64_t ms)
{
    g_stepMs = ms;
}

int64_t TestClock::steadyMs() const
{
    return SysClock::steadyMs();
}
