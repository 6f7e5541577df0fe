#pragma once

#include <chrono>
#include <cstdint>

// Millisecond clock used for transmit pacing and reply waits. The C clock()
// counts processor time on POSIX systems, which barely advances while the
// program idles; pacing needs elapsed wall time, so a steady clock is used.
inline int64_t commClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
