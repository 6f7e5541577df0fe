#pragma once

#include "platform/volume/VolumeInfo.h"

#include <string>
#include <vector>

// Source of the mounted volumes and of the raw device behind a drive.
// Implementations are called from the GUI thread and the copy thread.
class IVolumeCatalog {
public:
    virtual ~IVolumeCatalog() = default;

    // The mounted volumes in the system's order.
    virtual std::vector<VolumeInfo> mountedVolumes() const = 0;

    // The raw device behind a drive given as its root path (such as E:/);
    // "" when there is none.
    virtual std::string rawDevicePath(const std::string &drive) const = 0;
};
