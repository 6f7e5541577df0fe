#pragma once

#include <QString>

// The program's fixed names, built once before main runs.
inline const QString kAppTitle = QStringLiteral("AIS Firmware Upgrade");
inline const QString kFontFamily = QStringLiteral("Tahoma");
inline const QString kFirmwareDir = QStringLiteral("FirmwareBin");
inline const QString kManualFile = QStringLiteral("TORV_FW_Manual_EN.pdf");
// The manual of a language: "TORV_FW_Manual_DE.pdf" for "de", kManualFile for "en".
inline QString manualFileOf(const QString &strLanguage)
{
    return QStringLiteral("TORV_FW_Manual_%1.pdf").arg(strLanguage.toUpper());
}
inline const QString kProductShort = QStringLiteral("AIS");

// The bootloader's volume label and the firmware image copied onto it.
inline const char *const kMsdName = "AIS B CS";
inline const char *const kBinName = "App_470.Sbin";
