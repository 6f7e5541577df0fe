#pragma once

#include <QString>

#include <cstdint>

// Whether the package's firmware image can be copied at all, asked before
// anything is sent to the device: a bootloader command or a copy that cannot
// succeed leaves the transponder in its bootloader for nothing.
class CFirmwareImageCheck {
public:
    enum class Problem { None, Missing, NotAFile, Unreadable, Empty, TooLarge };

    struct Result {
        Problem eProblem = Problem::None;
        QString strPath;         // the image as checked
        QString strReason;       // the system's words for a refused open or read
        int64_t llSize = -1;     // bytes, once known
        int64_t llBytesFree = -1;
        bool ok() const { return eProblem == Problem::None; }
    };

    // A readable, non-empty regular file that fits in `llBytesFree` bytes
    // when that is known (-1: not known). Logs why not, with the path.
    static Result check(const QString &strPath, int64_t llBytesFree);
};
