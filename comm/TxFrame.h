#pragma once

#include <cstdint>

// One transmit frame: a fixed-size record copied by value into the queue, out
// of it and into sendData.
struct TxFrame {
    static constexpr int kDataMax = 512;
    static constexpr int kWaitTextMax = 128;

    char data[kDataMax] = {};        // bytes to send
    int32_t length = 0;              // bytes of data to send, never above kDataMax
    bool noRepeat = false;           // drop when equal to the last frame sent
    bool reservedFlag = false;
    int32_t gapMs = 100;             // minimum time since the previous send
    int32_t reserved0 = 0;
    int64_t created = 0;             // clock in ms when built; informational
    int32_t reserved1[2] = {};
    int32_t waitMs = 0;              // >= 1: hold further frames until waitText is seen or waitMs passed
    char waitText[kWaitTextMax] = {};
};
