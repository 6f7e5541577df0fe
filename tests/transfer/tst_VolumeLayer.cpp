#include "TransferTestTools.h"

#include "platform/host/HostCommands.h"
#include "platform/host/SystemFolder.h"
#include "platform/volume/FileSync.h"
#include "platform/volume/StorageInfoVolumeCatalog.h"
#include "platform/volume/VolumeCommands.h"
#include "platform/volume/VolumeIdentity.h"
#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <thread>

using namespace TransferTestTools;

class TestVolumeLayer : public QObject {
    Q_OBJECT
private slots:
    // The lines as they run: cmd.exe by its full path in the system folder
    // (a bare name would run a cmd.exe planted in the program's folder or the
    // current directory), and exactly these arguments.
    void xcopyCommandLine()
    {
        const std::string cmd = HostCommands::systemToolPath("C:\\Windows\\System32", VolumeCommands::kInterpreter);
        const std::string program = "C:/Program Files/AIS Upgrade 2/FirmwareBin/App_470.Sbin";
        // /Y: an image already on the volume is replaced without a prompt nobody answers.
        QCOMPARE(QString::fromStdString(VolumeCommands::xcopyArguments(program, "E:/")),
                 QStringLiteral("/C xcopy \"C:\\Program Files\\AIS Upgrade 2\\FirmwareBin\\App_470.Sbin\" "
                                "\"E:\\\" /Y"));
        QCOMPARE(VolumeCommands::xcopyCommand(cmd, program, "E:/"),
                 "C:\\Windows\\System32\\cmd.exe " + VolumeCommands::xcopyArguments(program, "E:/"));
        // Backslashes already there stay as they are, and are not doubled.
        QCOMPARE(VolumeCommands::xcopyCommand(cmd, "D:\\fw\\a.bin", "F:/"),
                 std::string("C:\\Windows\\System32\\cmd.exe /C xcopy \"D:\\fw\\a.bin\" \"F:\\\" /Y"));
        // A system folder with a blank is quoted whole.
        QCOMPARE(VolumeCommands::xcopyCommand("D:\\Win Dows\\System32\\cmd.exe", "a", "F:/"),
                 std::string("\"D:\\Win Dows\\System32\\cmd.exe\" /C xcopy \"a\" \"F:\\\" /Y"));
        // No system folder here: nothing to start, rather than a bare "cmd.exe".
        QCOMPARE(SystemFolder::program(VolumeCommands::kInterpreter), std::string());
    }

    void dirCommandLine()
    {
        const std::string cmd = HostCommands::systemToolPath("C:\\Windows\\System32", VolumeCommands::kInterpreter);
        QCOMPARE(VolumeCommands::dirArguments("E:/"), std::string("/C dir E: /S /ON /B"));
        QCOMPARE(VolumeCommands::dirCommand(cmd, "E:/"), std::string("C:\\Windows\\System32\\cmd.exe /C dir E: /S /ON /B"));
        QCOMPARE(VolumeCommands::dirArguments("E:/x"), std::string("/C dir E:x /S /ON /B"));
        // Too short to have an index 2: nothing to drop, nothing to crash on.
        QCOMPARE(VolumeCommands::dirArguments("E:"), std::string("/C dir E: /S /ON /B"));
        QCOMPARE(VolumeCommands::dirArguments(""), std::string("/C dir  /S /ON /B"));
    }

    void volumeDevicePath()
    {
        QCOMPARE(VolumeCommands::volumeDevicePath("E:/"), std::string("\\\\.\\E:"));
        QCOMPARE(VolumeCommands::volumeDevicePath("e:\\"), std::string("\\\\.\\e:"));
        QCOMPARE(VolumeCommands::volumeDevicePath("Z"), std::string("\\\\.\\Z:"));
        // Not a drive letter: no device path at all, rather than some other device.
        QCOMPARE(VolumeCommands::volumeDevicePath(""), std::string());
        QCOMPARE(VolumeCommands::volumeDevicePath("/media/ais/"), std::string());
        QCOMPARE(VolumeCommands::volumeDevicePath("\\\\?\\Volume{x}"), std::string());
        QCOMPARE(VolumeCommands::volumeDevicePath("1:/"), std::string());
    }

    void xcopyResult_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<bool>("ok");
        QTest::newRow("copied") << 0 << QByteArray("C:\\fw\\App_470.Sbin\r\n1 File(s) copied\r\n") << true;
        QTest::newRow("translated") << 0 << QByteArray("C:\\fw\\App_470.Sbin\r\n1 Datei(en) kopiert\r\n") << true;
        QTest::newRow("1 only in the echoed path")
            << 0 << QByteArray("C:\\fw1\\App_470.Sbin\r\n0 File(s) copied\r\n") << false;
        QTest::newRow("failed exit code") << 4 << QByteArray("1 File(s) copied\r\n") << false;
        QTest::newRow("eleven files") << 0 << QByteArray("11 File(s) copied\r\n") << false;
        QTest::newRow("no output") << 0 << QByteArray() << false;
        QTest::newRow("waiting at the overwrite prompt")
            << -1 << QByteArray("Overwrite E:\\App_470.Sbin (Yes/No/All)? ") << false;
        QTest::newRow("bare count") << 0 << QByteArray("1") << false;
    }
    void xcopyResult()
    {
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QFETCH(bool, ok);
        QCOMPARE(VolumeCommands::xcopyCopiedOneFile(exitCode, output.toStdString()), ok);
    }

    void drivePaths()
    {
        QCOMPARE(StorageInfoVolumeCatalog::windowsVolumePath("E:/"), std::string("\\\\.\\E:"));
        QCOMPARE(StorageInfoVolumeCatalog::windowsVolumePath(""), std::string());
        QCOMPARE(StorageInfoVolumeCatalog::windowsVolumePath("/media/ais/"), std::string());
        QCOMPARE(StorageInfoVolumeCatalog::normalisedRoot("/media/ais"), std::string("/media/ais/"));
        QCOMPARE(StorageInfoVolumeCatalog::normalisedRoot("/media/ais//"), std::string("/media/ais/"));
        QCOMPARE(StorageInfoVolumeCatalog::normalisedRoot("E:/"), std::string("E:/"));
        QCOMPARE(StorageInfoVolumeCatalog::normalisedRoot("/"), std::string("/"));
        QCOMPARE(StorageInfoVolumeCatalog::normalisedRoot(""), std::string());
    }

    // The product backend on this machine.
    void systemCatalog()
    {
        StorageInfoVolumeCatalog catalog;
        const std::vector<VolumeInfo> volumes = catalog.mountedVolumes();
        QVERIFY(!volumes.empty());
        for (const VolumeInfo &v : volumes) {
            QVERIFY2(!v.rootPath.empty() && v.rootPath.back() == '/', v.rootPath.c_str());
            // Every mount is in /proc/self/mountinfo.
            QVERIFY2(v.instance.find("mount ") != std::string::npos, v.rootPath.c_str());
        }
        QCOMPARE(catalog.rawDevicePath(volumes.front().rootPath), volumes.front().rawDevice);
        QCOMPARE(catalog.rawDevicePath("/surely/not/mounted/here/"), std::string());
    }

    // What tells one "AIS B CS" from another on Linux, read from the
    // system's own texts.
    void linuxVolumeIdentity()
    {
        const std::string mountinfo =
            "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
            "412 26 8:17 / /media/ais/AIS\\040B\\040CS rw,nosuid - vfat /dev/sdb1 rw\n"
            "415 26 8:33 / /media/ais/AIS\\040B\\040CS1 rw,nosuid - vfat /dev/sdc1 rw\n"
            "420 412 0:55 / /media/ais/AIS\\040B\\040CS rw - tmpfs tmpfs rw\n";
        const std::map<std::string, std::string> ids = VolumeIdentity::mountIds(mountinfo);
        QCOMPARE(ids.at("/"), std::string("26"));
        QCOMPARE(ids.at("/media/ais/AIS B CS"), std::string("420"));  // mounted over: the top one
        QCOMPARE(ids.at("/media/ais/AIS B CS1"), std::string("415"));

        const std::string hub = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2.3";
        QCOMPARE(VolumeIdentity::attachmentPath(hub + "/1-2.3:1.0/host7/target7:0:0/7:0:0:0/block/sdb"), hub);
        QCOMPARE(VolumeIdentity::attachmentPath("/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda"),
                 std::string("/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda"));
    }

    void simCatalog()
    {
        SimVolumeCatalog catalog;
        catalog.present({"AIS B CS", "/sim/a", "/img/a"});
        catalog.present({"OTHER", "/sim/b/", "/img/b"});
        catalog.present({"AIS B CS", "/sim/a/", "/img/a2"});  // same root: replaced in place
        std::vector<VolumeInfo> v = catalog.mountedVolumes();
        QCOMPARE(v.size(), std::size_t(2));
        QCOMPARE(v[0].rootPath, std::string("/sim/a/"));
        QCOMPARE(v[0].rawDevice, std::string("/img/a2"));
        QCOMPARE(catalog.rawDevicePath("/sim/b"), std::string("/img/b"));
        QVERIFY(catalog.remove("/sim/a"));
        QVERIFY(!catalog.remove("/sim/a/"));
        QCOMPARE(catalog.rawDevicePath("/sim/a/"), std::string());
        QCOMPARE(catalog.mountedVolumes().size(), std::size_t(1));
    }

    // The transponder simulator mounts from its own thread while the GUI searches.
    void simCatalogAcrossThreads()
    {
        SimVolumeCatalog catalog;
        std::atomic<bool> stop{false};
        std::thread mounter([&] {
            for (int i = 0; i < 2000; ++i) {
                catalog.present({"AIS B CS", "/sim/x/", "/img/x"});
                catalog.remove("/sim/x/");
            }
            stop = true;
        });
        bool torn = false;
        while (!stop) {
            for (const VolumeInfo &v : catalog.mountedVolumes())
                torn = torn || v.name != "AIS B CS" || v.rawDevice != "/img/x";
            const std::string raw = catalog.rawDevicePath("/sim/x/");
            torn = torn || !(raw.empty() || raw == "/img/x");
        }
        mounter.join();
        QVERIFY(!torn);
        QVERIFY(catalog.mountedVolumes().empty());
    }

    void flushAfterCopy()
    {
        const QString dir = TestDirs::fresh(QStringLiteral("flush"));
        QVERIFY(writeFile(dir + "/App_470.Sbin", "image"));
        QCOMPARE(FileSync::flushFileAndDir(QFile::encodeName(dir + "/App_470.Sbin").toStdString(),
                                           QFile::encodeName(dir).toStdString()),
                 0);
        QCOMPARE(FileSync::flushFileAndDir(QFile::encodeName(dir + "/missing").toStdString(),
                                           QFile::encodeName(dir).toStdString()),
                 ENOENT);
        QCOMPARE(FileSync::flushFileAndDir(QFile::encodeName(dir + "/App_470.Sbin").toStdString(),
                                           QFile::encodeName(dir + "/gone").toStdString()),
                 ENOENT);
    }

    void simulatedVolume()
    {
        const QString base = QDir::current().filePath(QStringLiteral("simvol"));
        {
            SimBootloaderVolume::Options options;
            options.bytesPerSector = 1024;
            options.readOnly = true;
            options.systemVolumeInformation = true;
            SimBootloaderVolume volume(base, options);
            QVERIFY2(volume.isValid(), qPrintable(volume.errorText()));
            QVERIFY(volume.rootPath().endsWith('/'));
            QVERIFY(QFile::exists(volume.rootPath() + "READY.txt"));
            QVERIFY(QDir(volume.rootPath() + "System Volume Information").exists());
            QFile probe(volume.rootPath() + "probe.bin");
            QVERIFY(!probe.open(QIODevice::WriteOnly));
            const VolumeInfo info = volume.volumeInfo();
            QCOMPARE(info.name, std::string("AIS B CS"));
            QCOMPARE(QString::fromStdString(info.rawDevice), volume.imagePath());
            // The raw device is a FAT16 volume of that name and sector size.
            QCOMPARE(layoutOf(readFile(volume.imagePath())).bytesPerSector, 1024u);
            const ToolResult dir = runTool("mdir", {"-i", volume.imagePath(), "::"});
            QVERIFY2(dir.output.contains("AIS B CS"), dir.output.constData());
            QVERIFY(fsckFindings(volume.imagePath()).isEmpty());
        }
        // The protection is lifted on the way out, so the folder can go.
        QVERIFY(QDir(base).removeRecursively());
    }
};

QTEST_GUILESS_MAIN(TestVolumeLayer)
#include "tst_VolumeLayer.moc"
