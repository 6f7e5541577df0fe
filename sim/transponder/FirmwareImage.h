#pragma once

#include <QByteArray>
#include <QString>

// The simulated transponder's firmware image ("App_470.Sbin"): one ASCII
// header line "AISFW,<machineType>,<version>\n" followed by payload bytes.
QByteArray makeFirmwareImage(const QString &machineType, const QString &version, const QByteArray &payload);

// Reads the header line; false (outputs untouched) when it is missing or malformed.
bool parseFirmwareImage(const QByteArray &bytes, QString *machineType, QString *version);

// A whole firmware package in `folder` (made when missing): "Firmware.csv"
// naming the version and "App_470.Sbin" for that machine type and version,
// with `payloadSize` bytes of a fixed pattern. False when a file could not be
// written.
bool writeFirmwarePackage(const QString &folder, const QString &machineType, const QString &version,
                          int payloadSize = 64 * 1024);
