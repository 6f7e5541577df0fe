#pragma once

#include <string>

// The bootloader's volume as last found.
struct MsdVolume {
    std::string strRootPath;  // such as E:/ (always ends in "/")
    bool bReadyFile = false;  // "READY.txt" present and no "System Volume Information"
};
