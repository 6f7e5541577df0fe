#pragma once

#include <cstdint>
#include <string>

// One mounted volume as the catalog reports it.
struct VolumeInfo {
    std::string name;       // volume label, such as "AIS B CS"
    std::string rootPath;   // root of the mounted file system, always ending in "/"
    std::string rawDevice;  // what RawVolume opens to reach the volume's sectors
    int64_t bytesFree = -1; // free space for new files; -1 when the system does not say
};
