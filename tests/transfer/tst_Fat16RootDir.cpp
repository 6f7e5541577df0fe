#include "TransferTestTools.h"

#include "platform/volume/RawVolume.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "transfer/Fat16RootDir.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace TransferTestTools;

namespace {
const QByteArray kEntryName("123     567");

// The entry the writer must produce for a cluster and a size.
QByteArray expectedEntry(uint16_t cluster, uint32_t size)
{
    QByteArray e = kEntryName;
    e.append(char(0x20));
    e.append(QByteArray(14, '\0'));
    e.append(char(cluster & 0xff)).append(char(cluster >> 8));
    for (int i = 0; i < 4; ++i)
        e.append(char((size >> (8 * i)) & 0xff));
    return e;
}

// First cluster of a root-directory file, read back through mtools.
int firstClusterOf(const QString &image, const QString &name)
{
    const ToolResult r = runTool(QStringLiteral("mshowfat"), {QStringLiteral("-i"), image, "::/" + name});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("<(\\d+)")).match(QString(r.output));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// A FAT16 volume of 16384-byte sectors with `clusters` clusters of one
// sector, as far as the writer reads it: 1 reserved sector, 2 FATs of one
// sector, one root directory sector. Every cluster is taken.
constexpr int kLargeSector = 16384;
QByteArray largeSectorVolume(uint32_t clusters)
{
    QByteArray bytes(4 * kLargeSector, '\0');
    bytes[12] = char(kLargeSector >> 8);
    bytes[13] = 1;
    bytes[14] = 1;
    bytes[16] = 2;
    bytes[17] = 16;
    const uint32_t total = 4 + clusters;
    const int at = total > 0xFFFF ? 32 : 19;
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((total >> (8 * i)) & 0xff);
    bytes[22] = 1;
    for (int fat = 1; fat <= 2; ++fat)
        for (uint32_t c = 0; c <= clusters + 1 && c < kLargeSector / 2; ++c) {
            bytes[fat * kLargeSector + 2 * int(c)] = char(0xFF);
            bytes[fat * kLargeSector + 2 * int(c) + 1] = char(0xFF);
        }
    return bytes;
}

// fsck.fat findings other than the one the placeholder always causes: its
// size is the image's, its chain one cluster.
QStringList unexpectedFindings(const QString &image)
{
    QStringList rest;
    const QStringList findings = fsckFindings(image);
    for (int i = 0; i < findings.size(); ++i) {
        if (findings[i] == QStringLiteral("/123.567") && i + 2 < findings.size()
            && findings[i + 1].startsWith(QStringLiteral("File size is "))
            && findings[i + 2].startsWith(QStringLiteral("Truncating file to "))) {
            i += 2;
            continue;
        }
        rest << findings[i];
    }
    return rest;
}
}  // namespace

class TestFat16RootDir : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SimBootloaderVolume> m_poVolume;
    QString m_strFirmware;

    // A fresh bootloader volume and a firmware file of the given size.
    bool prepare(const QString &name, int bytesPerSector, int firmwareSize, const QString &label = "AIS B CS",
                 int sectorsPerCluster = 1)
    {
        SimBootloaderVolume::Options options;
        options.name = label;
        options.bytesPerSector = bytesPerSector;
        options.sectorsPerCluster = sectorsPerCluster;
        m_poVolume.reset();
        m_poVolume = std::make_unique<SimBootloaderVolume>(QDir::current().filePath(name), options);
        if (!m_poVolume->isValid()) {
            qWarning("%s", qPrintable(m_poVolume->errorText()));
            return false;
        }
        m_strFirmware = QDir::current().filePath(name + "-App_470.Sbin");
        return writeFile(m_strFirmware, firmwareBytes(firmwareSize));
    }
    QString image() const { return m_poVolume->imagePath(); }
    int write(QString *printed = nullptr)
    {
        StdoutCapture capture;
        const int rc = copyToRootDirOnDevice(qPrintable(m_strFirmware), "E:/", image().toStdString());
        if (printed != nullptr)
            *printed = capture.take();
        return rc;
    }
    bool mcopy(const QString &local, const QString &name)
    {
        return runTool(QStringLiteral("mcopy"), {QStringLiteral("-i"), image(), local, "::/" + name}).exitCode == 0;
    }

private slots:
    void entryOnRealImages_data()
    {
        QTest::addColumn<int>("bytesPerSector");
        QTest::newRow("512") << 512;
        QTest::newRow("1024") << 1024;
        QTest::newRow("2048") << 2048;
    }
    // The whole road: writer, then the operating system's copy of the same
    // image, then fsck and a read-back of the firmware.
    void entryOnRealImages()
    {
        QFETCH(int, bytesPerSector);
        QVERIFY(prepare(QStringLiteral("img%1").arg(bytesPerSector), bytesPerSector, 70000));
        // A file already on the volume takes cluster 2, so the writer finds 3.
        const QString note = QDir::current().filePath(QStringLiteral("note.txt"));
        QVERIFY(writeFile(note, "bootloader log\n"));
        QVERIFY(mcopy(note, QStringLiteral("NOTE.TXT")));

        QString printed;
        QCOMPARE(write(&printed), int(RootDirResult::Done));
        QVERIFY2(printed.contains(QStringLiteral("Bytes Per Sector: %1\n").arg(bytesPerSector)), qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("Found free cluster: 3\n")));
        QVERIFY(printed.contains(QStringLiteral("Copied %1 to root directory of drive E:/ \n").arg(m_strFirmware)));

        const QByteArray img = readFile(image());
        const Layout layout = layoutOf(img);
        QCOMPARE(layout.bytesPerSector, uint32_t(bytesPerSector));
        QVERIFY(printed.contains(QStringLiteral("FAT start: %1, FAT size: %2, Root dir: %3, Data start: ")
                                     .arg(layout.fatStart)
                                     .arg(layout.fatSize)
                                     .arg(layout.rootDirSector)));
        const QByteArray root = sectorOf(img, layout.rootDirSector, layout.bytesPerSector);
        // Slot 0 is the volume label, slot 1 NOTE.TXT; slot 2 was never used.
        QCOMPARE(root.mid(64, 32).toHex(' '),
                 QByteArray("31 32 33 20 20 20 20 20 35 36 37 20 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 00 "
                            "70 11 01 00"));
        QCOMPARE(root.at(96), '\0');
        // The entry owns its cluster in both FATs.
        QCOMPARE(fatEntry(img, layout, 0, 3), uint16_t(0xFFFF));
        QCOMPARE(fatEntry(img, layout, 1, 3), uint16_t(0xFFFF));

        QVERIFY(mcopy(m_strFirmware, QStringLiteral("App_470.Sbin")));
        const int firmwareCluster = firstClusterOf(image(), QStringLiteral("App_470.Sbin"));
        QVERIFY(firmwareCluster >= 2);
        QVERIFY(firmwareCluster != 3);
        const QStringList findings = unexpectedFindings(image());
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        const ToolResult typed =
            runTool(QStringLiteral("mtype"), {QStringLiteral("-i"), image(), QStringLiteral("::/App_470.Sbin")});
        QCOMPARE(typed.exitCode, 0);
        QVERIFY(typed.output == firmwareBytes(70000));
    }

    // A firmware that fits one cluster leaves nothing at all for fsck.
    void fsckCleanWhenFirmwareFitsOneCluster()
    {
        QVERIFY(prepare(QStringLiteral("small"), 2048, 1500));
        QCOMPARE(write(), int(RootDirResult::Done));
        QVERIFY(mcopy(m_strFirmware, QStringLiteral("App_470.Sbin")));
        int rc = -1;
        const QStringList findings = fsckFindings(image(), &rc);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        QCOMPARE(rc, 0);
        QVERIFY(firstClusterOf(image(), QStringLiteral("App_470.Sbin")) != firstClusterOf(image(), "123.567"));
    }

    void deletedFirstSlotIsReused()
    {
        QVERIFY(prepare(QStringLiteral("deleted"), 1024, 300, QString()));
        const QString old = QDir::current().filePath(QStringLiteral("old.bin"));
        QVERIFY(writeFile(old, "old firmware"));
        QVERIFY(mcopy(old, QStringLiteral("OLD.BIN")));
        QCOMPARE(runTool(QStringLiteral("mdel"), {QStringLiteral("-i"), image(), QStringLiteral("::/OLD.BIN")}).exitCode, 0);
        Layout layout = layoutOf(readFile(image()));
        QCOMPARE(uint8_t(sectorOf(readFile(image()), layout.rootDirSector, 1024).at(0)), uint8_t(0xE5));

        QCOMPARE(write(), int(RootDirResult::Done));
        const QByteArray img = readFile(image());
        // The deleted file's cluster 2 is free again and is the one found.
        QCOMPARE(sectorOf(img, layout.rootDirSector, 1024).left(32), expectedEntry(2, 300));
        QCOMPARE(fatEntry(img, layout, 0, 2), uint16_t(0xFFFF));
        QVERIFY(mcopy(m_strFirmware, QStringLiteral("App_470.Sbin")));
        QVERIFY2(fsckFindings(image()).isEmpty(), qPrintable(fsckFindings(image()).join('\n')));
    }

    void fullRootSectorIsLeftAlone()
    {
        QVERIFY(prepare(QStringLiteral("fullroot"), 512, 5000));
        // Label plus 15 files fill the first 512-byte root sector.
        for (int i = 0; i < 15; ++i) {
            const QString f = QDir::current().filePath(QStringLiteral("f%1.txt").arg(i));
            QVERIFY(writeFile(f, QByteArray::number(i)));
            QVERIFY(mcopy(f, QStringLiteral("F%1.TXT").arg(i)));
        }
        const QByteArray before = readFile(image());
        QString printed;
        QCOMPARE(write(&printed), int(RootDirResult::Done));
        QVERIFY(printed.contains(QStringLiteral("Copied ")));
        // No entry, so no cluster claimed either: the image is byte for byte the same.
        QVERIFY(readFile(image()) == before);
    }

    void emptyFirmwareGivesSizeZero()
    {
        QVERIFY(prepare(QStringLiteral("empty"), 512, 0, QString()));
        QCOMPARE(QFileInfo(m_strFirmware).size(), qint64(0));
        QCOMPARE(write(), int(RootDirResult::Done));
        const QByteArray img = readFile(image());
        const Layout layout = layoutOf(img);
        QCOMPARE(sectorOf(img, layout.rootDirSector, 512).left(32), expectedEntry(2, 0));
    }

    void invalidBytesPerSector_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0;
        QTest::newRow("520") << 520;
        QTest::newRow("256") << 256;
    }
    void invalidBytesPerSector()
    {
        QFETCH(int, value);
        QVERIFY(prepare(QStringLiteral("bps"), 512, 100));
        QByteArray img = readFile(image());
        img[11] = char(value & 0xff);
        img[12] = char(value >> 8);
        QVERIFY(writeFile(image(), img));
        QString printed;
        QCOMPARE(write(&printed), int(RootDirResult::InvalidBytesPerSector));
        QCOMPARE(printed, QStringLiteral("Invalid BytesPerSec value: %1. Is this a FAT16 drive?\n").arg(value));
        QVERIFY(readFile(image()) == img);
    }

    void unreadableFirmwareFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QStringLiteral("no-such-dir/App_470.Sbin");
        QTest::newRow("directory") << QStringLiteral(".");
    }
    void unreadableFirmwareFile()
    {
        QFETCH(QString, path);
        QVERIFY(prepare(QStringLiteral("nofile"), 512, 100));
        const QByteArray before = readFile(image());
        StdoutCapture capture;
        const int rc = copyToRootDirOnDevice(qPrintable(path), "E:/", image().toStdString());
        const QString printed = capture.take();
        QCOMPARE(rc, int(RootDirResult::OpenFileFailed));
        QVERIFY(printed.endsWith(QStringLiteral("Found free cluster: 2\nFailed to open file\n")));
        // Nothing is claimed for a file that is not there.
        QVERIFY(readFile(image()) == before);
    }

    void noFreeClusterWritesNoEntry()
    {
        QVERIFY(prepare(QStringLiteral("nofree"), 512, 100));
        QByteArray img = readFile(image());
        const Layout layout = layoutOf(img);
        for (uint32_t c = 2; c < 256; ++c) {
            const int at = int(layout.fatStart * 512 + 2 * c);
            img[at] = char(0xF7);  // bad cluster marks: taken, but owned by nobody
            img[at + 1] = char(0xFF);
        }
        QVERIFY(writeFile(image(), img));
        QString printed;
        QCOMPARE(write(&printed), int(RootDirResult::NoFreeCluster));
        QVERIFY(printed.endsWith(QStringLiteral("No free cluster in the first FAT sector.\n")));
        QVERIFY(!printed.contains(QStringLiteral("Found free cluster")));
        QVERIFY(readFile(image()) == img);
    }

    // Zero FAT entries past the last cluster are no free clusters: with
    // 16384-byte sectors the first FAT sector outlasts the smallest FAT16.
    void freeClusterSearchStopsAtLastCluster()
    {
        const QString dir = TestDirs::fresh(QStringLiteral("large-sectors"));
        const QString img = dir + "/large.img";
        QByteArray bytes = largeSectorVolume(4085);
        QVERIFY(writeFile(img, bytes));
        const QString fw = dir + "/fw.bin";
        QVERIFY(writeFile(fw, "x"));
        StdoutCapture capture;
        const int full = copyToRootDirOnDevice(qPrintable(fw), "E:/", img.toStdString());
        // Free one cluster in range: that one is found.
        bytes[kLargeSector + 2 * 7] = 0;
        bytes[kLargeSector + 2 * 7 + 1] = 0;
        QVERIFY(writeFile(img, bytes));
        const int freed = copyToRootDirOnDevice(qPrintable(fw), "E:/", img.toStdString());
        const QString printed = capture.take();
        QCOMPARE(full, int(RootDirResult::NoFreeCluster));
        QCOMPARE(freed, int(RootDirResult::Done));
        QVERIFY2(printed.contains(QStringLiteral("Found free cluster: 7\n")), qPrintable(printed));
        QCOMPARE(readFile(img).mid(3 * kLargeSector, 32), expectedEntry(7, 1));
    }

    // Any stick labelled "AIS B CS" reaches the writer. FAT12 packs its
    // entries in 12 bits, and on FAT32 the root directory computed from the
    // 16-bit FAT size lies inside the FAT: such volumes stay as they are.
    void onlyFat16IsWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");  // a piece of the message
        QTest::newRow("mkfs.fat -F 12") << "12" << "Not a FAT16 volume (FATs: 2, ";
        QTest::newRow("mkfs.fat -F 32") << "32" << ", sectors per FAT: 0, root entries: 0, ";
        QTest::newRow("4084 clusters") << "4084"
                                       << "Not a FAT16 volume (FATs: 2, sectors per FAT: 1, root entries: 16, "
                                          "clusters: 4084).\n";
        QTest::newRow("65525 clusters") << "65525" << ", clusters: 65525).\n";
    }
    void onlyFat16IsWritten()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString dir = TestDirs::fresh(QStringLiteral("not-fat16"));
        const QString img = dir + "/volume.img";
        if (kind == "12" || kind == "32") {
            // 40 MiB of one-sector clusters make a proper FAT32 (65525 clusters and more).
            const QStringList size = kind == "12" ? QStringList{"-s", "16", img, "16384"}
                                                  : QStringList{"-s", "1", img, "40960"};
            const ToolResult mkfs =
                runTool(QStringLiteral("mkfs.fat"), QStringList{"-C", "-F", kind, "-n", "AIS B CS"} + size);
            QVERIFY2(mkfs.exitCode == 0, mkfs.output.constData());
            const QString ready = dir + "/READY.txt";
            QVERIFY(writeFile(ready, "ready\r\n"));
            QCOMPARE(runTool(QStringLiteral("mcopy"), {"-i", img, ready, "::/READY.txt"}).exitCode, 0);
        } else {
            QVERIFY(writeFile(img, largeSectorVolume(kind.toUInt())));
        }
        const QString fw = dir + "/App_470.Sbin";
        QVERIFY(writeFile(fw, firmwareBytes(70000)));
        const QByteArray before = readFile(img);

        StdoutCapture capture;
        const int rc = copyToRootDirOnDevice(qPrintable(fw), "E:/", img.toStdString());
        const QString printed = capture.take();
        QCOMPARE(rc, int(RootDirResult::NotFat16));
        QVERIFY2(printed.contains("\nNot a FAT16 volume (") && printed.contains(reason), qPrintable(printed));
        QVERIFY(readFile(img) == before);
    }

    void damagedDevices()
    {
        QVERIFY(prepare(QStringLiteral("damaged"), 512, 100));
        const QByteArray full = readFile(image());
        const Layout layout = layoutOf(full);
        const std::string path = image().toStdString();
        const QByteArray fw = m_strFirmware.toLocal8Bit();
        struct Case {
            int keepBytes;
            int rc;
            const char *message;
        };
        const Case cases[] = {
            {100, RootDirResult::ReadBootSectorFailed, "Failed to read sector 0.\n"},
            {int(layout.fatStart * 512), RootDirResult::ReadFatFailed, "Failed to read FAT sector.\n"},
            {int(layout.rootDirSector * 512), RootDirResult::ReadRootDirFailed, "Failed to read root directory.\n"},
        };
        for (const Case &c : cases) {
            const QByteArray cut = full.left(c.keepBytes);
            QVERIFY(writeFile(image(), cut));
            StdoutCapture capture;
            const int rc = copyToRootDirOnDevice(fw.constData(), "E:/", path);
            const QString printed = capture.take();
            QCOMPARE(rc, c.rc);
            QVERIFY2(printed.endsWith(QLatin1String(c.message)), qPrintable(printed));
            // A failed run never leaves half a change behind.
            QVERIFY(readFile(image()) == cut);
        }
    }

    void volumeCannotBeOpened()
    {
        StdoutCapture capture;
        QCOMPARE(copyToRootDirOnDevice("fw.bin", "E:/", "/nonexistent/volume.img"), int(RootDirResult::OpenVolumeFailed));
        QCOMPARE(capture.take(), QStringLiteral("Failed to open volume /nonexistent/volume.img (error 2)\n"));
    }

    // The public entry finds the raw device through the selected catalog.
    void driveResolvedThroughCatalog()
    {
        QVERIFY(prepare(QStringLiteral("catalog"), 512, 1234));
        SimVolumeCatalog catalog;
        catalog.present(m_poVolume->volumeInfo());
        VolumeCatalog::setCurrent(&catalog);
        const QByteArray root = QFile::encodeName(m_poVolume->rootPath());
        QString printed;
        int rc = -1;
        {
            StdoutCapture capture;
            rc = copyToRootDir(qPrintable(m_strFirmware), root.constData());
            printed = capture.take();
        }
        int unknownRc = -1;
        QString unknownPrinted;
        {
            StdoutCapture capture;
            unknownRc = copyToRootDir(qPrintable(m_strFirmware), "/not/mounted/");
            unknownPrinted = capture.take();
        }
        VolumeCatalog::setCurrent(nullptr);
        QCOMPARE(rc, int(RootDirResult::Done));
        QVERIFY(printed.contains(QStringLiteral("to root directory of drive %1 \n").arg(QString(root))));
        const QByteArray img = readFile(image());
        QCOMPARE(sectorOf(img, layoutOf(img).rootDirSector, 512).mid(32, 32), expectedEntry(2, 1234));
        QCOMPARE(unknownRc, int(RootDirResult::OpenVolumeFailed));
        QVERIFY(unknownPrinted.startsWith(QStringLiteral("Failed to open volume  (error ")));
    }

    void sectorIo()
    {
        const QString dir = TestDirs::fresh(QStringLiteral("sectors"));
        const QString path = dir + "/dev.img";
        QVERIFY(writeFile(path, QByteArray(4 * 1024, 'a')));
        RawVolume volume;
        QVERIFY(volume.open(path.toStdString()));
        const QByteArray pattern = firmwareBytes(1024, 7);
        QVERIFY(writeSector(volume, 2, pattern.constData(), 1024));
        QByteArray back(1024, '\0');
        QVERIFY(readSector(volume, 2, back.data(), 1024));
        QVERIFY(back == pattern);
        QVERIFY(readSector(volume, 0, back.data(), 1024));
        QVERIFY(back == QByteArray(1024, 'a'));
        // Past the end: nothing read; a sector number whose byte offset
        // needs 64 bits must not wrap around to the start.
        QVERIFY(!readSector(volume, 4, back.data(), 1024));
        QVERIFY(!readSector(volume, (uint64_t(1) << 32) + 1, back.data(), 1024));
        volume.close();
        QByteArray img = readFile(path);
        QCOMPARE(img.size(), 4 * 1024);
        QVERIFY(img.mid(2048, 1024) == pattern);
    }
};

QTEST_GUILESS_MAIN(TestFat16RootDir)
#include "tst_Fat16RootDir.moc"
