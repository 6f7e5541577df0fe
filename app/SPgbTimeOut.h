#pragma once

#include <cstdint>

// Start time of the copy time-out, in seconds since 1970 (SysClock's date);
// 0 when none is measured.
class SPgbTimeOut {
public:
    static int64_t now();

    void start() { m_llStartTime = now(); }
    void clear() { m_llStartTime = 0; }
    bool isActive() const { return m_llStartTime != 0; }
    int64_t startTime() const { return m_llStartTime; }

    // True once strictly more than `seconds` have passed since start().
    bool checkTimeOut(int seconds) const;

private:
    int64_t m_llStartTime = 0;
};
