#pragma once

#include "platform/volume/VolumeInfo.h"

#include <QString>

// The transponder's bootloader volume: a directory standing for the mounted
// root of "AIS B CS", and a FAT16 image made by mkfs.fat standing for the raw
// device behind it. Lives in a folder of its own, which it recreates.
class SimBootloaderVolume {
public:
    struct Options {
        QString name = QStringLiteral("AIS B CS");
        // Where the device is attached, the same after its power cycle; ""
        // plays a system that does not say.
        QString location = QStringLiteral("usb1/1-1");
        bool readyFile = true;                // "READY.txt" in the root
        bool systemVolumeInformation = false; // the folder Windows leaves behind
        bool readOnly = false;                // the root refuses new files
        bool full = false;                    // no room left: also refuses new files
        bool makeImage = true;
        int bytesPerSector = 512;
        int sectorsPerCluster = 1;
        int sizeKiB = 16384;
    };

    explicit SimBootloaderVolume(const QString &baseDir);
    SimBootloaderVolume(const QString &baseDir, const Options &options);
    ~SimBootloaderVolume();
    SimBootloaderVolume(const SimBootloaderVolume &) = delete;
    SimBootloaderVolume &operator=(const SimBootloaderVolume &) = delete;

    // False when the folders or the image could not be made; errorText() says why.
    bool isValid() const { return m_strError.isEmpty(); }
    QString errorText() const { return m_strError; }

    QString rootPath() const;  // ends in "/"
    QString imagePath() const; // "" without an image
    const Options &options() const { return m_stOptions; }
    // What a catalog reports for this volume; its free space is its size
    // less the files in its root at this moment.
    VolumeInfo volumeInfo() const;

    // Write protection of the root, switched at run time (e.g. to let a
    // test look at, or clean, a read-only volume).
    bool setWritable(bool writable);

private:
    bool makeImage();

    Options m_stOptions;
    QString m_strBaseDir;
    QString m_strError;
};
