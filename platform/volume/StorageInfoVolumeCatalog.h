#pragma once

#include "platform/volume/IVolumeCatalog.h"

#include <string>

// The operating system's volumes through QStorageInfo.
class StorageInfoVolumeCatalog : public IVolumeCatalog {
public:
    std::vector<VolumeInfo> mountedVolumes() const override;
    // Windows: the volume path of the drive letter (first character of the
    // drive text); elsewhere: the block device mounted at that root.
    std::string rawDevicePath(const std::string &drive) const override;

    // "\\.\E:" for "E:/"; "" when the drive text starts with no letter.
    static std::string windowsVolumePath(const std::string &drive);
    // The root path with exactly one trailing "/" ("" stays "").
    static std::string normalisedRoot(const std::string &rootPath);
};
