// FAT16 images for the root-directory writer, over the POSIX raw-volume
// layer on an image file. The input is the whole device: boot sector values,
// reserved counts and FAT sizes may point past its end.
#include "fuzz/FuzzEnv.h"

#include "transfer/Fat16RootDir.h"

#include <QFile>

#include <cstring>
#include <set>

namespace {
constexpr uint32_t kFirmwareSize = 70000;

uint16_t u16(const QByteArray &b, uint64_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b[static_cast<int>(at)])
                                 | (static_cast<uint8_t>(b[static_cast<int>(at + 1)]) << 8));
}

uint32_t u32(const QByteArray &b, uint64_t at)
{
    return u16(b, at) | (static_cast<uint32_t>(u16(b, at + 2)) << 16);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray expectedEntry(uint16_t cluster, uint32_t size)
{
    QByteArray e("123     567");
    e.append(char(0x20));
    e.append(QByteArray(14, '\0'));
    e.append(char(cluster & 0xff)).append(char(cluster >> 8));
    for (int i = 0; i < 4; ++i)
        e.append(char((size >> (8 * i)) & 0xff));
    return e;
}

QString firmwarePath()
{
    static const QString path = [] {
        FuzzEnv &env = FuzzEnv::instance();
        const QString p = env.writeFile(QStringLiteral("App_470.Sbin"), QByteArray(kFirmwareSize, '\x5a'));
        if (p.isEmpty())
            FuzzEnv::fail(__FILE__, __LINE__, "no firmware file");
        return p;
    }();
    return path;
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv &env = FuzzEnv::instance();
    const QString fw = firmwarePath();
    const QString image = env.writeFile(QStringLiteral("volume.img"), data, size);
    if (image.isEmpty())
        return 0;
    const QByteArray before(reinterpret_cast<const char *>(data), static_cast<int>(size));

    const int result = copyToRootDirOnDevice(QFile::encodeName(fw).constData(), "E:/",
                                             QFile::encodeName(image).toStdString());
    const QByteArray after = readAll(image);

    // A raw write never grows or shrinks the device.
    FUZZ_CHECK(after.size() == before.size());
    if (result != RootDirResult::Done) {
        // Every failure this layer can hit on a file comes before the first write.
        FUZZ_CHECK(result != RootDirResult::WriteFatFailed && result != RootDirResult::WriteRootDirFailed);
        FUZZ_CHECK(after == before);
        return 0;
    }

    FUZZ_CHECK(before.size() >= 512);
    const uint64_t s = u16(before, 11);
    FUZZ_CHECK(s != 0 && s % 512 == 0);
    const uint64_t fatStart = u16(before, 14);
    const uint64_t fatCount = static_cast<uint8_t>(before[16]);
    const uint64_t fatSize = u16(before, 22);
    const uint64_t rootSector = fatStart + fatCount * fatSize;
    // Only a FAT16 volume is written: a FAT and a root directory of its own,
    // and a cluster count that no FAT12 or FAT32 has.
    const uint64_t rootEntries = u16(before, 17);
    const uint64_t sectorsPerCluster = static_cast<uint8_t>(before[13]);
    const uint64_t totalSectors = u16(before, 19) != 0 ? u16(before, 19) : u32(before, 32);
    const uint64_t dataStart = rootSector + (rootEntries * 32 + s - 1) / s;
    FUZZ_CHECK(fatCount != 0 && fatSize != 0 && rootEntries != 0);
    FUZZ_CHECK(sectorsPerCluster != 0 && totalSectors > dataStart);
    const uint64_t clusters = (totalSectors - dataStart) / sectorsPerCluster;
    FUZZ_CHECK(clusters >= 4085 && clusters <= 65524);
    std::set<uint64_t> written{fatStart, rootSector};
    const bool secondFat = fatCount >= 2;
    if (secondFat)
        written.insert(fatStart + fatSize);

    // Only the FAT sectors and the root directory sector change.
    for (uint64_t sector = 0; sector * s < static_cast<uint64_t>(before.size()); ++sector) {
        if (written.count(sector))
            continue;
        const int at = static_cast<int>(sector * s);
        FUZZ_CHECK(after.mid(at, static_cast<int>(s)) == before.mid(at, static_cast<int>(s)));
    }

    // Overlapping sectors come from a broken layout; the order of the writes
    // decides what is left there, so only distinct layouts are checked in detail.
    if (written.size() != (secondFat ? 3u : 2u))
        return 0;
    const uint64_t rootAt = rootSector * s;
    int slot = -1;
    for (uint64_t off = 0; off + 32 <= s; off += 32) {
        const uint8_t first = static_cast<uint8_t>(before[static_cast<int>(rootAt + off)]);
        if (first == 0x00 || first == 0xE5) {
            slot = static_cast<int>(off);
            break;
        }
    }
    if (slot < 0) {
        // A full root sector is written back unchanged and the FAT stays as read.
        FUZZ_CHECK(after == before);
        return 0;
    }
    const uint16_t cluster = u16(after, rootAt + static_cast<uint64_t>(slot) + 26);
    FUZZ_CHECK(after.mid(static_cast<int>(rootAt) + slot, 32) == expectedEntry(cluster, kFirmwareSize));
    // The first free cluster of the first FAT sector, now owned in every FAT.
    FUZZ_CHECK(cluster >= 2 && cluster < s / 2 && cluster <= clusters + 1);
    FUZZ_CHECK(u16(before, fatStart * s + 2u * cluster) == 0);
    for (uint16_t c = 2; c < cluster; ++c)
        FUZZ_CHECK(u16(before, fatStart * s + 2u * c) != 0);
    FUZZ_CHECK(u16(after, fatStart * s + 2u * cluster) == 0xFFFF);
    if (secondFat)
        FUZZ_CHECK(u16(after, (fatStart + fatSize) * s + 2u * cluster) == 0xFFFF);
    // Nothing else in the root sector moved.
    QByteArray rootBefore = before.mid(static_cast<int>(rootAt), static_cast<int>(s));
    rootBefore.replace(slot, 32, expectedEntry(cluster, kFirmwareSize));
    FUZZ_CHECK(after.mid(static_cast<int>(rootAt), static_cast<int>(s)) == rootBefore);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
