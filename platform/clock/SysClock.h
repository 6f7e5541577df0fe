#pragma once

#include <cstdint>

// The program's two clocks. Every wait and bound reads them here, so that a
// test can move time instead of waiting for it; the program itself always
// runs on the system's clocks.
class SysClock {
public:
    using Source = int64_t (*)();

    // Milliseconds of a monotonic clock: for waits, pacing and bounds, which
    // must not stretch or end early when the date is set.
    static int64_t steadyMs();
    // Seconds since 1970: the date, which may step (NTP, GPS, by hand).
    static int64_t wallSec();

    // Tests only: replace a clock; nullptr gives the system's back. Safe to
    // call while other threads read the clock.
    static void setSteadySource(Source source);
    static void setWallSource(Source source);
};
