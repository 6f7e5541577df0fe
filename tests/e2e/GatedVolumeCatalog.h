#pragma once

#include "sim/volume/SimVolumeCatalog.h"

#include <condition_variable>
#include <mutex>
#include <string>

// The rig's volume catalog. It can hold the copy thread where that asks for
// the raw device, its first step, so a test can act while a copy runs.
class GatedVolumeCatalog : public SimVolumeCatalog {
public:
    // Copies from now on stop at the gate until release().
    void hold();
    // Lets a held copy go on, and later ones pass; any thread.
    void release();
    // A copy waits at the gate now.
    bool isCopyHeld() const;

    std::string rawDevicePath(const std::string &drive) const override;

private:
    mutable std::mutex m_oGateMutex;
    mutable std::condition_variable m_oGateChanged;
    bool m_bClosed = false;
    mutable bool m_bCopyHeld = false;
};
