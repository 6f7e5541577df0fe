#pragma once

#include <QString>

// The bootloader volume's content in the form "dir /S /ON /B" prints it:
// full paths, one per line, each folder's entries by name (case-insensitive),
// followed by the contents of its sub-folders in the same order.
class VolumeListing {
public:
    static QString bareRecursive(const QString &rootPath);
    // The report's listing of the volume at `msdPath`: on Windows the output
    // of "dir" through cmd.exe in the system folder (none when that folder is
    // unknown); elsewhere bareRecursive(). The window stays responsive while
    // "dir" runs.
    static QString ofVolume(const QString &msdPath);
};
