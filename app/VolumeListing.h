#pragma once

#include <QString>

// The bootloader volume's content in the form "dir /S /ON /B" prints it:
// full paths, one per line, each folder's entries by name (case-insensitive),
// followed by the contents of its sub-folders in the same order.
class VolumeListing {
public:
    static QString bareRecursive(const QString &rootPath);
};
