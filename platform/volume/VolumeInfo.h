#pragma once

#include <cstdint>
#include <string>

// One mounted volume as the catalog reports it.
struct VolumeInfo {
    std::string name;       // volume label, such as "AIS B CS"
    std::string rootPath;   // root of the mounted file system, always ending in "/"
    std::string rawDevice;  // what RawVolume opens to reach the volume's sectors
    int64_t bytesFree = -1; // free space for new files; -1 when the system does not say
    // What tells the drive from another with the same label, "" when the
    // system does not say (VolumeIdentity.h): where it is attached, the same
    // after the device's power cycle on the same cable ...
    std::string location{};
    // ... and this attachment or mount of it, new each time the drive comes.
    std::string instance{};
};
