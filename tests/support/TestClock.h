#pragma once

#include <cstdint>

// The program's clocks (SysClock) in a test's hand while the object lives.
// The monotonic clock runs with real time (transmit pacing and short waits
// keep working) plus whatever the test moved it by; the date stands still
// at kStartDate and moves only with the test. For a wait that blocks the
// only thread a test has, stepOnRead(ms) moves both by `ms` on every read of
// the monotonic clock: the wait ends after a known number of its own steps,
// however busy the machine is. One at a time; the clocks may be read from
// any thread meanwhile.
class TestClock {
public:
    static constexpr int64_t kStartDate = 1700000000;  // 2023-11-14, seconds since 1970

    TestClock();
    ~TestClock();
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    // 0 stops the stepping.
    void stepOnRead(int64_t ms);
    // What the program reads now (a read, so it steps too).
    int64_t steadyMs() const;
};
