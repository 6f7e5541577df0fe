#pragma once

#include <string>

// One mounted volume as the catalog reports it.
struct VolumeInfo {
    std::string name;       // volume label, such as "AIS B CS"
    std::string rootPath;   // root of the mounted file system, always ending in "/"
    std::string rawDevice;  // what RawVolume opens to reach the volume's sectors
};
