#pragma once

#include "device/VerInfo.h"

#include <atomic>
#include <string>

// The transponder's sentence vocabulary: the fixed command table and the
// recogniser of its "$AIVER" version answer.
//
// sentenceProcess runs on the communication thread; m_stVerInfo is read on
// the GUI thread after the check's queued end signal has ordered the two.
class CCommandHandle {
public:
    CCommandHandle();

    // 0 version query, 1 bootloader switch, 2 test sentence, anything else "".
    static std::string getCommand(int index);

    void setTargetType(const std::string &type);
    // True only for a valid version answer of the expected machine type.
    bool sentenceProcess(const std::string &sentence);
    void reset();

    // Bit 0: an answer with the expected machine type was seen; cleared only by reset().
    std::atomic<int> m_iStatus{0};
    VerInfo m_stVerInfo;
    std::string strTargetType;

    static constexpr std::size_t kMaxSentence = 200;
};
