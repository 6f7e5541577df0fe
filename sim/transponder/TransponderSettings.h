#pragma once

#include "sim/transponder/UsbSerialIdentity.h"

#include <QString>

// What the simulated transponder can be told to do.
struct TransponderSettings {
    // Ways to break the normal-mode answer; combine freely.
    enum Misbehaviour : unsigned {
        NoAnswer = 1u << 0,          // never answers the version query
        BadChecksum = 1u << 1,       // answer checksum off by one
        LowerCaseChecksum = 1u << 2, // checksum digits in lower case (the answer is built so they hold a letter)
        OverLongLine = 1u << 3,      // answer longer than 200 characters
        SplitAnswer = 1u << 4,       // answer written in three chunks, splitChunkDelayMs apart
        GarbageLines = 1u << 5,      // noise, a foreign sentence and a broken "$AIVER" before the answer
        NoLineEnd = 1u << 6,         // answer without CR LF
    };

    QString machineType = QStringLiteral("AIS-B-470");  // set another to play a wrong model
    QString firmwareVersion = QStringLiteral("V1.2.0.00-A");
    // What tells this unit from another of its model in the answer: its
    // unique id ("" gives "000000001", or the first after it whose checksum
    // holds a letter) and its serial number.
    QString uniqueId;
    int serialNumber = 7;
    int answerDelayMs = 20;          // from query to answer
    int answerLimit = -1;            // answers given before it falls silent; -1 no limit
    unsigned misbehaviour = 0;
    int splitChunkDelayMs = 30;
    int bootloaderDelayMs = 1500;    // from the serial port going away to the volume request
    // Pulls its own cable when query number unplugAtQuery (1-based; 0 never)
    // arrives: at once, or with unplugMidAnswer after half the answer line.
    int unplugAtQuery = 0;
    bool unplugMidAnswer = false;
    // Lines of noise written as fast as the line takes them when the first
    // query arrives; queries that come meanwhile are answered after the flood.
    int floodLines = 0;
    // In normal mode, one sentence of the transponder's own AIS traffic every
    // chatterIntervalMs (0: silent until asked, the default). A real
    // transponder streams such sentences; the program must skip them.
    int chatterIntervalMs = 0;
    // What the device does when switched off and on (powerCycle).
    enum class AfterPowerCycle {
        RunsImage,         // runs the image it was given when that is for its model
        KeepsOldFirmware,  // its bootloader rejected the image: back with the old firmware
        InBootloader,      // back in bootloader mode, asking for its volume again
        StaysAway,         // does not come back
    };
    AfterPowerCycle afterPowerCycle = AfterPowerCycle::RunsImage;
    UsbSerialIdentity usb;
};
