#pragma once

#include "platform/volume/VolumeInfo.h"

#include <set>
#include <string>
#include <vector>

// After a copy: tells when the drive the copy wrote to is back from the
// device's power cycle, told apart from any other drive with its label.
// A drive is the upgraded unit's when its location is the one recorded at
// the copy. Without a location only a drive alone with its label can be
// told apart, and only as long as no second one has been seen beside it.
// It is back once it was gone at an earlier look, or when it shows another
// instance than before (gone and back between two looks).
class CBootloaderVolumeWatch {
public:
    enum class Seen {
        Unchanged,  // as at the last look, or no decision possible
        Gone,       // the upgraded unit's drive went away
        Back,       // it came back
    };

    // Starts watching for the drive the copy wrote to.
    void start(const VolumeInfo &stCopied);
    // One look at the mounted drives that carry the label.
    Seen look(const std::vector<VolumeInfo> &oLabelled);
    // The upgraded unit's drive went away since start().
    bool isGone() const { return m_bGone; }

private:
    VolumeInfo m_stCopied;
    std::string m_strInstance;  // of the upgraded unit's drive, last seen
    bool m_bGone = false;
    bool m_bUntellable = false;  // two drives seen with no location: none is decided on
    std::set<std::string> m_oOthersLogged;
};
