#pragma once

#include <cstdint>
#include <string>

class RawVolume;

// Places one directory entry for the firmware image into the root directory
// of the bootloader's FAT16 volume, beneath the file system. Messages go to
// standard output and, when the caller gives one, to a log.
namespace RootDirResult {
enum : int {
    Done = 0,
    OpenVolumeFailed = 1,
    ReadBootSectorFailed = 2,
    InvalidBytesPerSector = 3,
    NoMemory = 4,
    ReadFatFailed = 5,
    WriteFatFailed = 6,
    OpenFileFailed = 7,
    ReadRootDirFailed = 8,
    WriteRootDirFailed = 9,
    NoFreeCluster = 10,
    NotFat16 = 11,
};
}  // namespace RootDirResult

// Receives each message besides standard output: its log level (SysLevel
// numbering), the "Class::method" text and the message without its line end.
using RootDirLog = void (*)(int iLevel, const char *classFun, const char *message);

// `filePath` is UTF-8. `drive` is the volume's root path (such as E:/); the
// raw device behind it comes from the current volume catalog.
int copyToRootDir(const char *filePath, const char *drive);

// The same on an already resolved raw device path.
int copyToRootDirOnDevice(const char *filePath, const char *drive, const std::string &volumePath,
                          RootDirLog log = nullptr);

// One sector of `size` bytes at sector * size; true only if all bytes moved.
bool readSector(RawVolume &handle, uint64_t sector, void *buffer, uint32_t size);
bool writeSector(RawVolume &handle, uint64_t sector, const void *buffer, uint32_t size);
