#pragma once

#include <QString>

#include <functional>

// Faults of the bootloader's volume in this process, played by the volume
// fault shim (ais_volumefaultshim, first in LD_PRELOAD; see
// ais_volume_fault_launcher) on the files below one path. Without the shim
// nothing can be armed. One fault at a time; arm and disarm while no copy runs.
class VolumeFault {
public:
    enum class Kind {
        None = 0,
        Full = 1,        // `budgetBytes` more bytes of data fit, then writes fail with ENOSPC
        ReadOnly = 2,    // write-protected: opening for writing and path changes fail with EROFS
        Vanish = 3,      // after `budgetBytes` bytes written the device is gone: EIO on open
                         // descriptors, ENOENT for new opens; the vanish hook runs on the writing thread
        Unreadable = 4,  // every open fails with EACCES, as for mode 000 without privileges
        Stall = 5,       // slow or stuck: after `budgetBytes` bytes the next write hangs until resume()
    };

    static bool available();
    // `path`: a folder ending in "/", or one file. False without the shim.
    static bool arm(Kind eKind, const QString &path, qint64 budgetBytes = 0);
    static void disarm();
    // Called once, on the thread whose write made the volume vanish.
    static void setVanishHook(std::function<void()> hook);
    // A full volume refused data, or the volume vanished.
    static bool fired();
    // Bytes written below the path since arm().
    static qint64 written();
    // Stall: a write hangs now.
    static bool stalled();
    // Stall: the hanging write and later ones go on (a slow volume), or fail
    // with EIO (a volume that gave up). disarm() also lets them go on.
    static void resume(bool bFail);
};
