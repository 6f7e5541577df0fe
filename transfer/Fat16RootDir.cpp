#include "transfer/Fat16RootDir.h"

#include "platform/volume/RawVolume.h"
#include "platform/volume/VolumeCatalog.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {
constexpr uint32_t kBootSectorSize = 512;
constexpr uint32_t kEntrySize = 32;
constexpr uint16_t kEndOfChain = 0xFFFF;

uint16_t u16At(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t u32At(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16)
           | (static_cast<uint32_t>(p[3]) << 24);
}

void putU16(uint8_t *p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void putU32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::unique_ptr<uint8_t[]> allocSector(uint32_t size)
{
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]);
}

struct FileCloser {
    void operator()(FILE *file) const { std::fclose(file); }
};

// Byte length of the file, or -1 when it cannot be opened or measured
// (a directory opens on some systems but has no byte length).
int64_t fileSize(const char *path)
{
    if (path == nullptr)
        return -1;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file.get());
    if (size < 0 || static_cast<unsigned long>(size) > 0xFFFFFFFFul)
        return -1;
    if (std::fgetc(file.get()) == EOF && std::ferror(file.get()))
        return -1;
    return size;
}
}  // namespace

bool readSector(RawVolume &handle, uint64_t sector, void *buffer, uint32_t size)
{
    if (!handle.seek(sector * static_cast<uint64_t>(size)))
        return false;
    uint32_t done = 0;
    return handle.read(buffer, size, done) && done == size;
}

bool writeSector(RawVolume &handle, uint64_t sector, const void *buffer, uint32_t size)
{
    if (!handle.seek(sector * static_cast<uint64_t>(size))) {
        std::printf("SetFilePointerEx failed (error %lu)\n", handle.lastError());
        return false;
    }
    uint32_t done = 0;
    if (!handle.write(buffer, size, done)) {
        std::printf("WriteFile failed (error %lu)\n", handle.lastError());
        return false;
    }
    return done == size;
}

int copyToRootDir(const char *filePath, const char *drive)
{
    const std::string volumePath = VolumeCatalog::current().rawDevicePath(drive != nullptr ? drive : "");
    return copyToRootDirOnDevice(filePath, drive, volumePath);
}

int copyToRootDirOnDevice(const char *filePath, const char *drive, const std::string &volumePath)
{
    RawVolume volume;
    if (!volume.open(volumePath)) {
        std::printf("Failed to open volume %s (error %lu)\n", volumePath.c_str(), volume.lastError());
        return RootDirResult::OpenVolumeFailed;
    }
    volume.lockAndDismount();

    uint8_t boot[kBootSectorSize];
    if (!readSector(volume, 0, boot, kBootSectorSize)) {
        std::printf("Failed to read sector 0.\n");
        return RootDirResult::ReadBootSectorFailed;
    }

    const uint32_t bytesPerSector = u16At(boot + 11);
    if (bytesPerSector == 0 || bytesPerSector % 512 != 0) {
        std::printf("Invalid BytesPerSec value: %u. Is this a FAT16 drive?\n", bytesPerSector);
        return RootDirResult::InvalidBytesPerSector;
    }
    std::printf("Bytes Per Sector: %u\n", bytesPerSector);

    const uint32_t sectorsPerCluster = boot[13];
    const uint32_t fatStart = u16At(boot + 14);
    const uint32_t fatCount = boot[16];
    const uint32_t rootEntries = u16At(boot + 17);
    const uint32_t totalSectors = u16At(boot + 19) != 0 ? u16At(boot + 19) : u32At(boot + 32);
    const uint32_t fatSize = u16At(boot + 22);
    const uint32_t rootDirSector = fatStart + fatCount * fatSize;
    const uint32_t dataStart = rootDirSector + (rootEntries * kEntrySize + bytesPerSector - 1) / bytesPerSector;
    std::printf("FAT start: %u, FAT size: %u, Root dir: %u, Data start: %u\n", fatStart, fatSize, rootDirSector,
                dataStart);

    std::unique_ptr<uint8_t[]> fat = allocSector(bytesPerSector);
    if (!fat) {
        std::printf("Failed to allocate memory for FAT sector.\n");
        return RootDirResult::NoMemory;
    }
    if (!readSector(volume, fatStart, fat.get(), bytesPerSector)) {
        std::printf("Failed to read FAT sector.\n");
        return RootDirResult::ReadFatFailed;
    }

    // Entries past the last data cluster are zero as well but name no
    // cluster; a small volume must not hand one of them out.
    uint32_t lastEntry = bytesPerSector / 2 - 1;
    if (sectorsPerCluster != 0 && totalSectors > dataStart) {
        const uint32_t lastCluster = (totalSectors - dataStart) / sectorsPerCluster + 1;
        if (lastCluster < lastEntry)
            lastEntry = lastCluster;
    }
    int freeCluster = -1;
    for (uint32_t c = 2; c <= lastEntry; ++c) {
        if (u16At(fat.get() + 2 * c) == 0) {
            freeCluster = static_cast<int>(c);
            std::printf("Found free cluster: %d\n", freeCluster);
            break;
        }
    }
    if (freeCluster < 0) {
        // An entry without a cluster of its own would claim cluster 0xFFFF.
        std::printf("No free cluster in the first FAT sector.\n");
        return RootDirResult::NoFreeCluster;
    }

    const int64_t size = fileSize(filePath);
    if (size < 0) {
        std::printf("Failed to open file\n");
        return RootDirResult::OpenFileFailed;
    }

    std::unique_ptr<uint8_t[]> root = allocSector(bytesPerSector);
    if (!root) {
        std::printf("Failed to allocate memory for FAT sector.\n");
        return RootDirResult::NoMemory;
    }
    if (!readSector(volume, rootDirSector, root.get(), bytesPerSector)) {
        std::printf("Failed to read root directory.\n");
        return RootDirResult::ReadRootDirFailed;
    }
    uint8_t *slot = nullptr;
    for (uint32_t offset = 0; offset + kEntrySize <= bytesPerSector; offset += kEntrySize) {
        if (root[offset] == 0x00 || root[offset] == 0xE5) {
            slot = root.get() + offset;
            break;
        }
    }

    // The entry owns its cluster: the FAT says so before the entry exists, so
    // the file copy that follows cannot allocate the same cluster.
    std::unique_ptr<uint8_t[]> secondFat;
    const uint32_t entryOffset = 2 * static_cast<uint32_t>(freeCluster);
    if (slot != nullptr) {
        putU16(fat.get() + entryOffset, kEndOfChain);
        if (fatCount >= 2 && fatSize != 0) {
            secondFat = allocSector(bytesPerSector);
            if (!secondFat) {
                std::printf("Failed to allocate memory for FAT sector.\n");
                return RootDirResult::NoMemory;
            }
            if (!readSector(volume, fatStart + fatSize, secondFat.get(), bytesPerSector)) {
                std::printf("Failed to read FAT sector.\n");
                return RootDirResult::ReadFatFailed;
            }
            putU16(secondFat.get() + entryOffset, kEndOfChain);
        }
    }
    if (!writeSector(volume, fatStart, fat.get(), bytesPerSector)
        || (secondFat && !writeSector(volume, fatStart + fatSize, secondFat.get(), bytesPerSector))) {
        std::printf("Failed to write FAT sector (error %lu).\n", volume.lastError());
        return RootDirResult::WriteFatFailed;
    }

    if (slot != nullptr) {
        std::memcpy(slot, "123     567", 11);
        slot[11] = 0x20;
        std::memset(slot + 12, 0, 14);
        putU16(slot + 26, static_cast<uint16_t>(freeCluster));
        putU32(slot + 28, static_cast<uint32_t>(size));
    }
    if (!writeSector(volume, rootDirSector, root.get(), bytesPerSector)) {
        std::printf("Failed to write root directory.\n");
        return RootDirResult::WriteRootDirFailed;
    }

    std::printf("Copied %s to root directory of drive %s \n", filePath, drive != nullptr ? drive : "");
    return RootDirResult::Done;
}
