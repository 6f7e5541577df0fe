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
}  // namespace ExpectedTexts
