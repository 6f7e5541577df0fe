#pragma once

#include <cstdint>

// The program's clocks (SysClock) in a test's hand while the object lives.
// The monotonic clock runs with real time (transmit pacing and short waits
// keep working) plus whatever the test moved it by; the date stands still
// at kStartDate and moves only with the test. advanceMs moves both, so a
// test of a 30 s wait or a 180 s bound takes no time and its bound is exact.
// For a wait that blocks the only thread a test has, stepOnRead(ms) moves
// time by `ms` on every read of the monotonic clock: the wait ends after a
// known number of its own steps, however busy the machine is.
// One at a time; the clocks may be read from any thread meanwhile.
class TestClock {
public:
    static constexpr int64_t kStartDate = 1700000000;  // 2023-11-14, seconds since 1970

    TestClock();
    ~TestClock();
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    void advanceMs(int64_t ms);
    void advanceSec(int64_t secs) { advanceMs(secs * 1000); }
    // Sets the date; the monotonic clock does not move.
    void setDate(int64_t secs);
    // 0 stops the stepping.
    void stepOnRead(int64_t ms);
    // What the program reads now (a step counts as a read).
    int64_t steadyMs() const;
    int64_t date() const;
};
