#pragma once

#include <QString>

// What the operator must read, character for character, typed out here
// rather than taken from the program's own table.
namespace ExpectedTexts {
inline const QString kUnknown = QStringLiteral("Unknown");
inline const QString kBootloader = QStringLiteral("Bootloader");
inline const QString kTitleError = QStringLiteral("Error");
inline const QString kTitleWarning = QStringLiteral("Warning");
inline const QString kTitleInformation = QStringLiteral("Information");

inline const QString kConfirmConnection = QStringLiteral("Please confirm your device connection and power !");  // 5
inline const QString kPowerOffOn = QStringLiteral("Please turn the power Off and On again !");                  // 7
inline const QString kFirmwareNotFound = QStringLiteral("Firmware file not found!");                           // 8
inline const QString kWelcome = QStringLiteral("Welcome to AIS Firmware Upgrade");                              // 9
inline const QString kDeviceInformation = QStringLiteral("Device Information");                                 // 13
inline const QString kClickNext = QStringLiteral("Click next to start upgrade");                                // 14
inline const QString kFirmwareUpgrade = QStringLiteral("Firmware Upgrade");                                     // 15
inline const QString kInProgress =
    QStringLiteral("Upgrade in progress!\n Do not power Off the device or unplug the device");  // 16
inline const QString kCompleted =
    QStringLiteral("Upgrade completed successfully!\n Please power Off the device then power On.");  // 17
inline const QString kTimeOut = QStringLiteral("System time out\nPlease power off the device and retry again");  // 28
inline const QString kReportOffer = QStringLiteral(
    "An unexpected error has occurred during the upgrade process.\r\nClick \"Yes\" to generate the report.");  // 29
inline const QString kDowngradeWarning = QStringLiteral(
    "You are attempting to downgrade to an older firmware version, which may result in the loss of relevant "
    "settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! "
    "Still want to update?");  // 30
inline const QString kDowngradeRefused = QStringLiteral(
    "You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of "
    "relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. "
    "Press OK to close the program.");  // 31

// The firmware image refused before anything is sent (%1 its path).
inline const QString kImageEmpty = QStringLiteral("The firmware file %1 is empty.\nThe device was not changed.");  // 40
inline const QString kImageNotAFile =
    QStringLiteral("The firmware file %1 is not a file.\nThe device was not changed.");  // 41
inline const QString kImageUnreadable =
    QStringLiteral("The firmware file %1 cannot be read: %2.\nThe device was not changed.");  // 42
inline const QString kImageTooLarge = QStringLiteral(
    "The firmware file %1 (%2 bytes) does not fit on the device's drive (%3 bytes free).\nThe device was not "
    "changed.");  // 43
// The firmware the device runs after its power cycle.
inline const QString kConfirmWaiting =
    QStringLiteral("Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...");  // 44
inline const QString kConfirmDone = QStringLiteral("Confirmed: the device now runs %1.");                      // 45
inline const QString kConfirmOldFirmware = QStringLiteral(
    "The new firmware was not taken: the device still runs %1.\nPlease run the upgrade again.");  // 46
inline const QString kConfirmBootloader = QStringLiteral(
    "The new firmware was not taken: the device came back in bootloader mode.\nPlease run the upgrade again.");  // 47
inline const QString kConfirmNotSeen = QStringLiteral(
    "The device was not seen again within 3 minutes.\nPlease check that it is powered On and connected to your "
    "computer via the USB, then press Finish and Start to see the firmware it runs.");  // 48
// The copy time-out while the copy still runs, or after it stopped (%1 the seconds).
inline const QString kCopyStillRunning = QStringLiteral(
    "The copy is taking longer than expected and is still running.\nDo not power Off the device or unplug the "
    "device yet: this page tells you when it is safe.");  // 49
inline const QString kCopyStalled = QStringLiteral(
    "Nothing has been written to the device for %1 seconds: the copy has stopped.\nPlease power Off the device "
    "and retry again.");  // 50
// The result text once the confirmation has its outcome.
inline const QString kUpgradeComplete =
    QStringLiteral("Upgrade completed successfully!\nYou can unplug the device and close the program.");  // 51
inline const QString kCopyComplete = QStringLiteral("The firmware was copied to the device.");       // 52
}  // namespace ExpectedTexts
