#pragma once

#include "platform/volume/IVolumeCatalog.h"

#include <mutex>

#include <string>
#include <vector>

// Volumes that tests and the demo mount and unmount at will; safe to use
// from any thread (the transponder simulator presents the bootloader volume
// from its own thread).
class SimVolumeCatalog : public IVolumeCatalog {
public:
    // Mounts a volume at the end of the list; one already at the same root
    // path is replaced in place. Each call is a new mount: the volume's
    // instance becomes the next generation count ("mount 1", "mount 2", ...);
    // its location is the caller's.
    void present(const VolumeInfo &volume);
    // Unmounts the volume at the root path; false when none was there.
    bool remove(const std::string &rootPath);
    void clear();

    std::vector<VolumeInfo> mountedVolumes() const override;
    std::string rawDevicePath(const std::string &drive) const override;

private:
    mutable std::mutex m_oMutex;  // std::mutex: visible to ThreadSanitizer
    std::vector<VolumeInfo> m_oVolumes;
    unsigned long m_ulMounts = 0;
};
