#pragma once

#include <QString>

#include <array>

// The program's translated user texts, entries 0..52. Built once per holder
// so the texts follow whatever translator is installed at construction.
class CUpgradeTexts {
public:
    // Entries from 40 on, by name; 0..39 are cited by number.
    enum Entry {
        ImageEmpty = 40,     // %1 the image's path
        ImageNotAFile,       // %1 the path
        ImageUnreadable,     // %1 the path, %2 the system's reason
        ImageTooLarge,       // %1 the path, %2 its size, %3 the volume's free bytes
        ConfirmWaiting,
        ConfirmDone,         // %1 the version the device runs
        ConfirmOldFirmware,  // %1 the version the device runs
        ConfirmBootloader,
        ConfirmNotSeen,
        CopyStillRunning,  // the copy time-out passed while the copy still writes
        CopyStalled,       // %1 the seconds without a byte written
        UpgradeComplete,   // the result text once the new firmware is confirmed
        CopyComplete,      // the result text when the device was not seen again
        EntryEnd
    };
    static constexpr int Count = EntryEnd;

    CUpgradeTexts();

    // Entry n; an index outside the table gives an empty text rather than UB.
    const QString &text(int n) const;
    const QString &operator[](int n) const { return text(n); }

private:
    std::array<QString, Count> m_oTexts;
};
