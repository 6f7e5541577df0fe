#include "transfer/Fat16RootDir.h"

#include "log/SysLevel.h"
#include "platform/volume/RawVolume.h"
#include "platform/volume/Utf8File.h"
#include "platform/volume/VolumeCatalog.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {
constexpr uint32_t kBootSectorSize = 512;
constexpr uint32_t kEntrySize = 32;
constexpr uint16_t kEndOfChain = 0xFFFF;
// Cluster counts of a FAT16 volume; fewer make FAT12, more FAT32.
constexpr uint32_t kFat16MinClusters = 4085;
constexpr uint32_t kFat16MaxClusters = 65524;

constexpr const char *kWriterFun = "copyToRootDir";
constexpr const char *kSectorWriterFun = "writeSector";

// One of the writer's messages: printed as it always was, and handed to the
// caller's log, which is what a program without a console keeps.
#if defined(__GNUC__)
__attribute__((format(printf, 4, 5)))
#endif
void report(RootDirLog log, int level, const char *classFun, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);

    std::fputs(text.c_str(), stdout);
    if (log == nullptr)
        return;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    log(level, classFun, text.c_str());
}

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

// Byte length of the file, or -1 when it cannot be opened or measured
// (a directory opens on some systems but has no byte length).
int64_t fileSize(const char *path)
{
    if (path == nullptr)
        return -1;
    const Utf8File::Handle file = Utf8File::open(path, "rb");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file.get());
    if (size < 0 || static_cast<unsigned long>(size) > 0xFFFFFFFFul)
        return -1;
    if (std::fgetc(file.get()) == EOF && std::ferror(file.get()))
        return -1;
    return size;
}

bool writeSectorReporting(RawVolume &handle, uint64_t sector, const void *buffer, uint32_t size, RootDirLog log)
{
    if (!handle.seek(sector * static_cast<uint64_t>(size))) {
        report(log, SysLevel::Info, kSectorWriterFun, "SetFilePointerEx failed (error %lu)\n", handle.lastError());
        return false;
    }
    uint32_t done = 0;
    if (!handle.write(buffer, size, done)) {
        report(log, SysLevel::Info, kSectorWriterFun, "WriteFile failed (error %lu)\n", handle.lastError());
        return false;
    }
    return done == size;
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
    return writeSectorReporting(handle, sector, buffer, size, nullptr);
}

int copyToRootDir(const char *filePath, const char *drive)
{
    const std::string volumePath = VolumeCatalog::current().rawDevicePath(drive != nullptr ? drive : "");
    return copyToRootDirOnDevice(filePath, drive, volumePath);
}

int copyToRootDirOnDevice(const char *filePath, const char *drive, const std::string &volumePath, RootDirLog log)
{
    const auto say = [log](const char *text) { report(log, SysLevel::Info, kWriterFun, "%s", text); };

    RawVolume volume;
    if (!volume.open(volumePath)) {
        report(log, SysLevel::Info, kWriterFun, "Failed to open volume %s (error %lu)\n", volumePath.c_str(),
               volume.lastError());
        // Without write access to the block device only the file copy runs;
        // the report has to say why the entry is missing.
        if (volume.lastErrorIsAccessDenied())
            report(log, SysLevel::Warning, kWriterFun, "No write access to the volume device %s: %s\n",
                   volumePath.c_str(), volume.lastErrorText().c_str());
        return RootDirResult::OpenVolumeFailed;
    }
    volume.lockAndDismount();

    uint8_t boot[kBootSectorSize];
    if (!readSector(volume, 0, boot, kBootSectorSize)) {
        say("Failed to read sector 0.\n");
        return RootDirResult::ReadBootSectorFailed;
    }

    const uint32_t bytesPerSector = u16At(boot + 11);
    if (bytesPerSector == 0 || bytesPerSector % 512 != 0) {
        report(log, SysLevel::Info, kWriterFun, "Invalid BytesPerSec value: %u. Is this a FAT16 drive?\n",
               bytesPerSector);
        return RootDirResult::InvalidBytesPerSector;
    }
    report(log, SysLevel::Info, kWriterFun, "Bytes Per Sector: %u\n", bytesPerSector);

    const uint32_t sectorsPerCluster = boot[13];
    const uint32_t fatStart = u16At(boot + 14);
    const uint32_t fatCount = boot[16];
    const uint32_t rootEntries = u16At(boot + 17);
    const uint32_t totalSectors = u16At(boot + 19) != 0 ? u16At(boot + 19) : u32At(boot + 32);
    const uint32_t fatSize = u16At(boot + 22);
    const uint32_t rootDirSector = fatStart + fatCount * fatSize;
    const uint32_t dataStart = rootDirSector + (rootEntries * kEntrySize + bytesPerSector - 1) / bytesPerSector;
    report(log, SysLevel::Info, kWriterFun, "FAT start: %u, FAT size: %u, Root dir: %u, Data start: %u\n", fatStart,
           fatSize, rootDirSector, dataStart);

    // Any stick can carry the label. On FAT32 (no 16-bit FAT size, no fixed
    // root directory) the "root directory" computed above lies in the FAT,
    // and FAT12 packs its entries in 12 bits: writing 16-bit entries there
    // damages the volume, so anything but FAT16 stays untouched.
    const uint32_t clusters =
        sectorsPerCluster != 0 && totalSectors > dataStart ? (totalSectors - dataStart) / sectorsPerCluster : 0;
    if (fatCount == 0 || fatSize == 0 || rootEntries == 0 || clusters < kFat16MinClusters
        || clusters > kFat16MaxClusters) {
        report(log, SysLevel::Info, kWriterFun,
               "Not a FAT16 volume (FATs: %u, sectors per FAT: %u, root entries: %u, clusters: %u).\n",
               fatCount, fatSize, rootEntries, clusters);
        return RootDirResult::NotFat16;
    }

    std::unique_ptr<uint8_t[]> fat = allocSector(bytesPerSector);
    if (!fat) {
        say("Failed to allocate memory for FAT sector.\n");
        return RootDirResult::NoMemory;
    }
    if (!readSector(volume, fatStart, fat.get(), bytesPerSector)) {
        say("Failed to read FAT sector.\n");
        return RootDirResult::ReadFatFailed;
    }

    // Entries past the last data cluster are zero as well but name no
    // cluster; a volume with large sectors must not hand one of them out.
    uint32_t lastEntry = bytesPerSector / 2 - 1;
    if (clusters + 1 < lastEntry)
        lastEntry = clusters + 1;
    int freeCluster = -1;
    for (uint32_t c = 2; c <= lastEntry; ++c) {
        if (u16At(fat.get() + 2 * c) == 0) {
            freeCluster = static_cast<int>(c);
            report(log, SysLevel::Info, kWriterFun, "Found free cluster: %d\n", freeCluster);
            break;
        }
    }
    if (freeCluster < 0) {
        // An entry without a cluster of its own would claim cluster 0xFFFF.
        say("No free cluster in the first FAT sector.\n");
        return RootDirResult::NoFreeCluster;
    }

    const int64_t size = fileSize(filePath);
    if (size < 0) {
        say("Failed to open file\n");
        return RootDirResult::OpenFileFailed;
    }

    std::unique_ptr<uint8_t[]> root = allocSector(bytesPerSector);
    if (!root) {
        say("Failed to allocate memory for FAT sector.\n");
        return RootDirResult::NoMemory;
    }
    if (!readSector(volume, rootDirSector, root.get(), bytesPerSector)) {
        say("Failed to read root directory.\n");
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
        if (fatCount >= 2) {
            secondFat = allocSector(bytesPerSector);
            if (!secondFat) {
                say("Failed to allocate memory for FAT sector.\n");
                return RootDirResult::NoMemory;
            }
            if (!readSector(volume, fatStart + fatSize, secondFat.get(), bytesPerSector)) {
                say("Failed to read FAT sector.\n");
                return RootDirResult::ReadFatFailed;
            }
            putU16(secondFat.get() + entryOffset, kEndOfChain);
        }
    }
    if (!writeSectorReporting(volume, fatStart, fat.get(), bytesPerSector, log)
        || (secondFat && !writeSectorReporting(volume, fatStart + fatSize, secondFat.get(), bytesPerSector, log))) {
        report(log, SysLevel::Info, kWriterFun, "Failed to write FAT sector (error %lu).\n", volume.lastError());
        return RootDirResult::WriteFatFailed;
    }

    if (slot != nullptr) {
        std::memcpy(slot, "123     567", 11);
        slot[11] = 0x20;
        std::memset(slot + 12, 0, 14);
        putU16(slot + 26, static_cast<uint16_t>(freeCluster));
        putU32(slot + 28, static_cast<uint32_t>(size));
    }
    if (!writeSectorReporting(volume, rootDirSector, root.get(), bytesPerSector, log)) {
        say("Failed to write root directory.\n");
        return RootDirResult::WriteRootDirFailed;
    }

    report(log, SysLevel::Info, kWriterFun, "Copied %s to root directory of drive %s \n", filePath,
           drive != nullptr ? drive : "");
    return RootDirResult::Done;
}
