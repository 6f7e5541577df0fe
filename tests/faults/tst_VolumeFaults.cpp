// Faults on the mass-storage side of an upgrade, through the real main
// window and copy thread: the device pulled before its volume comes, the
// volume pulled out during the copy, a full and a write-protected volume,
// a firmware image that cannot be copied, and a slow or stuck volume at the
// copy time-out. Each ends in its exact message
// (and report offer after a copy failure), leaves the volume sound as
// fsck.fat and mtools see it, and the device usable from the same window.
#include "device/CCommSpacesManage.h"
#include "platform/volume/VolumeCatalog.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "sim/volume/VolumeFault.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/faults/FaultBench.h"
#include "transfer/CMSDManipulate.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>
#include <string>

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
// Enough for the raw writer's three sectors, then the cut comes inside the image.
constexpr qint64 kVanishAfterBytes = 16 * 1024;
constexpr qint64 kRoomLeftBytes = 8 * 1024;
// The raw writer's sectors and two of the copy's 16 KiB chunks go through,
// the third hangs.
constexpr qint64 kStallAfterBytes = 40 * 1024;

// The folder of a simulated volume: its mounted root and its raw image.
QString deviceDir(const SimBootloaderVolume &volume)
{
    return QFileInfo(volume.imagePath()).absolutePath() + '/';
}
}  // namespace

class TestVolumeFaults : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FaultBench> bench;
    UpgradeRig &rig() const { return bench->rig(); }

    // A device in normal mode, its volume mounted on the bootloader command,
    // and the information page shown.
    bool readyForNext()
    {
        if (!rig().plugTransponder(UpgradeRig::deviceSettings(FaultBench::kOldVersion)) ||
            !rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand) || !rig().openWindow())
            return false;
        return rig().startToInfoPage();
    }

    // Next, then the copy failure: its warning, then the report offer on the next tick.
    bool nextEndsInCopyFailure()
    {
        if (!rig().click("btnInfoNext") || !rig().waitForBox(1) || !bench->boxIs(1, 2, kPowerOffOn))
            return false;
        if (rig().page() != 0 || !rig().log.contains("Start to copy file") || !rig().log.contains("Copy bin file fail") ||
            !rig().log.contains("Copy file fail")) {
            UpgradeRig::note(QStringLiteral("copy failure: page %1 or log lines missing").arg(rig().page()));
            return false;
        }
        return rig().waitForBox(2, 5000) && bench->isReportOffer(2) && bench->noFurtherBox(2);
    }

    // Next with a volume that stops taking data inside the image; its copy
    // time-out passes `quietSecs` after the last byte written.
    bool copyHangsAtItsTimeOut(int64_t quietSecs)
    {
        if (!readyForNext() ||
            !VolumeFault::arm(VolumeFault::Kind::Stall, deviceDir(*rig().volume()), kStallAfterBytes) ||
            !rig().click("btnInfoNext") || !UpgradeRig::waitUntil([] { return VolumeFault::stalled(); }))
            return false;
        UpgradeRig::advanceSteady(quietSecs * 1000);
        UpgradeRig::advanceClock(181);
        return rig().waitForBox(1, 5000);
    }

    // Text 49 at the time-out, on the page and once in a box; nothing else.
    bool toldStillRunning()
    {
        if (!bench->boxIs(1, 0, kCopyStillRunning) || rig().page() != 2 || !rig().isShown("wgCopyProcess") ||
            !bench->noFurtherBox(1) || rig().labelText("lblCopyProcessNote") != kCopyStillRunning)
            return false;
        return rig().log.count("Copy still running at time out: 32768 bytes written") == 1;
    }

    bool volumeSound(FaultBench::Root eRoot)
    {
        const QStringList problems = bench->volumeProblems(eRoot);
        if (problems.isEmpty())
            return true;
        UpgradeRig::note(QStringLiteral("volume problems: ") + problems.join(QStringLiteral(" | ")));
        return false;
    }

private slots:
    void initTestCase()
    {
        bench = std::make_unique<FaultBench>();
        QVERIFY(bench->isReady());
        QVERIFY2(VolumeFault::available(), "the volume fault shim is not preloaded");
    }
    void init() { QVERIFY(bench->beginCase()); }
    void cleanup() { bench->endCase(); }
    void cleanupTestCase() { bench.reset(); }

    void unplugBeforeTheVolumeComes()
    {
        QVERIFY(readyForNext());
        TransponderSim *sim = rig().transponder();
        // The operator pulls the cable as the device leaves for its bootloader.
        const QMetaObject::Connection pull =
            connect(sim, &TransponderSim::bootloaderEntered, sim, [sim] { sim->powerOff(); });
        const QByteArray imageBefore = bench->imageBytes();
        const int64_t started = UpgradeRig::clock();

        QVERIFY(rig().click("btnInfoNext"));
        QTRY_COMPARE_WITH_TIMEOUT(sim->mode(), TransponderSim::Mode::Off, kStepMs);
        QVERIFY(sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));
        QTRY_COMPARE_WITH_TIMEOUT(rig().log.count("Find MSD fail"), 3, kStepMs);
        QTRY_VERIFY_WITH_TIMEOUT(!rig().msd()->m_oFindTimer.isActive(), 5000);
        QCOMPARE(rig().discovery()->commCount(), 0);
        // Only the copy time-out ends the wait: not at 180 s.
        UpgradeRig::setClock(started + 180);
        QVERIFY(bench->noFurtherBox(0));
        QCOMPARE(rig().page(), 2);
        QVERIFY(rig().isShown("wgCopyProcess"));
        QVERIFY(!rig().isShown("btnCopyProgressFinish"));

        UpgradeRig::setClock(started + 181);
        QVERIFY(rig().waitForBox(1, 5000));
        QVERIFY(bench->boxIs(1, 0, kTimeOut));
        QVERIFY(rig().waitForBox(2, 5000));
        QVERIFY(bench->isReportOffer(2));
        QTRY_COMPARE_WITH_TIMEOUT(rig().page(), 0, 5000);
        QVERIFY(rig().log.contains("Copy File time out!"));
        QVERIFY(!rig().log.contains("Start to copy file"));
        QVERIFY(bench->noFurtherBox(2));
        QVERIFY(!rig().volumeMounted());
        QCOMPARE(bench->imageBytes(), imageBefore);
        QVERIFY(volumeSound(FaultBench::Root::Untouched));

        // Plugged in again it is still in normal mode with the old firmware.
        disconnect(pull);
        QVERIFY(sim->powerOn());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), 2);
    }

    void volumeVanishesDuringTheCopy()
    {
        QVERIFY(readyForNext());
        SimBootloaderVolume *volume = rig().volume();
        const std::string root = volume->volumeInfo().rootPath;
        // Gone from the system's volumes at the very write that cut it off.
        VolumeFault::setVanishHook([root] {
            if (auto *catalog = dynamic_cast<SimVolumeCatalog *>(&VolumeCatalog::current()))
                catalog->remove(root);
        });
        QVERIFY(VolumeFault::arm(VolumeFault::Kind::Vanish, deviceDir(*volume), kVanishAfterBytes));

        QVERIFY(nextEndsInCopyFailure());
        QVERIFY(VolumeFault::fired());
        // Cut off inside the image, not before or after it.
        QCOMPARE(VolumeFault::written(), kVanishAfterBytes);
        QVERIFY(rig().packageImage().size() > kVanishAfterBytes);
        VolumeFault::disarm();
        rig().unmountVolume();
        // Whatever the device kept, it never got a torn image under its name.
        QVERIFY(volumeSound(FaultBench::Root::Abandoned));

        QVERIFY(bench->deviceBackInNormalMode());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
        QCOMPARE(rig().boxes.count(), 2);
    }

    void volumeFull()
    {
        QVERIFY(readyForNext());
        SimBootloaderVolume *volume = rig().volume();
        // The sectors are all there; the file system has room for 8 KiB more.
        QVERIFY(VolumeFault::arm(VolumeFault::Kind::Full, volume->rootPath(), kRoomLeftBytes));

        QVERIFY(nextEndsInCopyFailure());
        QVERIFY(VolumeFault::fired());
        QCOMPARE(VolumeFault::written(), kRoomLeftBytes);
        VolumeFault::disarm();
        // The part that fit is gone again: no torn image, no temporary file.
        QVERIFY(volumeSound(FaultBench::Root::Untouched));

        QVERIFY(bench->deviceBackInNormalMode());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
    }

    void volumeWriteProtected()
    {
        QVERIFY(readyForNext());
        SimBootloaderVolume *volume = rig().volume();
        const QByteArray imageBefore = bench->imageBytes();
        QVERIFY(VolumeFault::arm(VolumeFault::Kind::ReadOnly, deviceDir(*volume)));
        QVERIFY(!QFile(volume->rootPath() + QStringLiteral("probe")).open(QIODevice::WriteOnly));

        QVERIFY(nextEndsInCopyFailure());
        QCOMPARE(VolumeFault::written(), 0);
        VolumeFault::disarm();
        // Neither the raw writer nor the copy changed a byte.
        QCOMPARE(bench->imageBytes(), imageBefore);
        QVERIFY(volumeSound(FaultBench::Root::Untouched));

        QVERIFY(bench->deviceBackInNormalMode());
        QVERIFY(bench->retrySucceeds(FaultBench::kOldVersion));
    }

    // A slow volume: the copy still writes when its time-out comes. The
    // operator is told it runs and not to power off yet; its success follows,
    // then the confirmation, and the result text stops asking for a power cycle.
    void slowCopyPastItsTimeOutSucceeds()
    {
        QVERIFY(copyHangsAtItsTimeOut(30));
        QVERIFY(toldStillRunning());
        QVERIFY(rig().log.contains("Copy File time out!"));

        VolumeFault::resume(false);
        QTRY_VERIFY_WITH_TIMEOUT(rig().isShown("btnCopyProgressFinish"), kStepMs);
        QCOMPARE(rig().labelText("lblCopySuccessNote"), kCompleted);
        QVERIFY(rig().log.contains("Copy ended after time out: success"));
        QCOMPARE(rig().volumeFile(UpgradeRig::kImageName), rig().packageImage());

        VolumeFault::disarm();
        QVERIFY(rig().powerCycleDevice());
        QTRY_COMPARE_WITH_TIMEOUT(rig().labelText("lblCopySuccessNote"), kUpgradeComplete, kStepMs);
        QVERIFY(bench->noFurtherBox(1));
    }

    // A slow volume that then gives up: its real failure after text 49.
    void slowCopyPastItsTimeOutFails()
    {
        QVERIFY(copyHangsAtItsTimeOut(30));
        QVERIFY(toldStillRunning());

        VolumeFault::resume(true);
        QVERIFY(rig().waitForBox(2));
        QVERIFY(bench->boxIs(2, 2, kPowerOffOn));
        QVERIFY(rig().log.contains("Copy ended after time out: fail"));
        QVERIFY(rig().waitForBox(3, 5000));
        QVERIFY(bench->isReportOffer(3));
        QTRY_COMPARE_WITH_TIMEOUT(rig().page(), 0, 5000);
        QVERIFY(bench->noFurtherBox(3));
    }

    // A stuck volume: watched past the time-out, then a minute without a byte
    // written. Only then the power cycle is asked for, and nothing says the
    // opposite while the copy hangs: no text 28, no text 16, not even at Next.
    void stuckCopyIsGivenUpAfterAMinute()
    {
        QVERIFY(copyHangsAtItsTimeOut(30));
        QVERIFY(toldStillRunning());

        UpgradeRig::advanceSteady(31 * 1000);
        QVERIFY(rig().waitForBox(2, 5000));
        QVERIFY(bench->boxIs(2, 0, kCopyStalled.arg(60)));
        QVERIFY(rig().waitForBox(3, 5000));
        QVERIFY(bench->isReportOffer(3));
        QTRY_COMPARE_WITH_TIMEOUT(rig().page(), 0, 5000);
        QVERIFY(rig().log.contains("Copy made no progress for "));
        QTest::qWait(UpgradeRig::kTickMs);
        QCOMPARE(rig().labelText("lblCopyProcessNote"), kCopyStalled.arg(60));

        QVERIFY(rig().startToInfoPage());
        QVERIFY(rig().click("btnInfoNext"));
        QVERIFY(rig().waitForBox(4));
        QVERIFY(bench->boxIs(4, 0, kCopyStalled.arg(60)));
        QCOMPARE(rig().page(), 1);
        QVERIFY(VolumeFault::stalled());
        QVERIFY(bench->noFurtherBox(4));
    }

    // Closing the window while the copy is watched after its time-out waits
    // for the copy, as during the copy.
    void closeDuringTheWatchedCopyWaits()
    {
        QVERIFY(copyHangsAtItsTimeOut(30));
        QVERIFY(toldStillRunning());

        QVERIFY(rig().click("btnWinCtrlClose"));
        QTest::qWait(UpgradeRig::kTickMs);
        QVERIFY(rig().window()->isVisible());
        QCOMPARE(rig().page(), 2);
        QCOMPARE(rig().labelText("lblCopyProcessNote"), kCopyStillRunning);

        VolumeFault::resume(false);
        QTRY_VERIFY_WITH_TIMEOUT(!rig().window()->isVisible(), kStepMs);
        QCOMPARE(rig().volumeFile(UpgradeRig::kImageName), rig().packageImage());
        QCOMPARE(rig().boxes.count(), 1);
    }

    // The block device without write access for this user (Linux): the raw
    // writer gives up, the file copy still upgrades the device, and the log,
    // which the report shows, says why the writer did nothing.
    void rawDeviceWithoutWriteAccess()
    {
        QVERIFY(rig().plugTransponder(UpgradeRig::deviceSettings(FaultBench::kOldVersion)));
        QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig().openWindow());
        const QString device = rig().volume()->imagePath();
        const QByteArray imageBefore = bench->imageBytes();
        QVERIFY(VolumeFault::arm(VolumeFault::Kind::Unreadable, device));

        QVERIFY2(rig().completeUpgrade(FaultBench::kOldVersion), qPrintable(rig().lastFailure()));
        VolumeFault::disarm();
        QCOMPARE(rig().volumeFile(UpgradeRig::kImageName), rig().packageImage());
        QCOMPARE(bench->imageBytes(), imageBefore);
        QCOMPARE(rig().log.count("Failed to open volume " + device + " (error 13)"), 1);
        const QStringList warning = rig().log.matching("No write access to the volume device " + device +
                                                       ": Permission denied");
        QCOMPARE(warning.size(), 1);
        QVERIFY2(warning[0].contains("copyToRootDir") && warning[0].contains("[W]"), qPrintable(warning[0]));
    }

    // An image that cannot be copied is refused at Next, with its path and
    // reason, before the bootloader command (device in normal mode) or the
    // copy (device in bootloader mode): the device stays as it was, and
    // Start works again at once, without a report offer in the way.
    void firmwareImageRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("bootloaderMode");
        for (bool bootloader : {false, true}) {
            for (const char *fault : {"missing", "empty", "unreadable", "folder"})
                QTest::addRow("%s, %s", fault, bootloader ? "bootloader mode" : "normal mode")
                    << QString::fromLatin1(fault) << bootloader;
        }
        // Only a mounted volume tells its free space.
        QTest::addRow("larger than the volume, bootloader mode") << QStringLiteral("too large") << true;
    }
    void firmwareImageRefusedBeforeAnythingIsSent()
    {
        QFETCH(QString, fault);
        QFETCH(bool, bootloaderMode);
        TransponderSim *sim = nullptr;
        if (bootloaderMode) {
            QVERIFY(rig().prepareVolume(UpgradeRig::Mount::Now));
        } else {
            sim = rig().plugTransponder(UpgradeRig::deviceSettings(FaultBench::kOldVersion));
            QVERIFY(sim);
            QVERIFY(rig().prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        }

        const QString image = rig().packageDir() + '/' + UpgradeRig::kImageName;
        const QString shown = QDir::toNativeSeparators(image);
        QString message;
        QString logged;
        if (fault == "missing") {
            QVERIFY(QFile::remove(image));
            message = kFirmwareNotFound;
            logged = " not found: No such file or directory";
        } else if (fault == "empty") {
            QVERIFY(QFile::resize(image, 0));
            message = kImageEmpty.arg(shown);
            logged = " is empty";
        } else if (fault == "unreadable") {
            QVERIFY(QFile::setPermissions(image, QFile::Permissions()));
            // Mode 000 does not stop a privileged process: then the shim
            // refuses the opens as the system would refuse an operator.
            if (QFile(image).open(QIODevice::ReadOnly))
                QVERIFY(VolumeFault::arm(VolumeFault::Kind::Unreadable, image));
            QVERIFY(!QFile(image).open(QIODevice::ReadOnly));
            message = kImageUnreadable.arg(shown, QStringLiteral("Permission denied"));
            logged = " cannot be read: Permission denied";
        } else if (fault == "folder") {
            QVERIFY(QFile::remove(image));
            QVERIFY(QDir().mkpath(image + QStringLiteral("/inside")));
            message = kImageNotAFile.arg(shown);
            logged = " is not a file: Is a directory";
        } else {
            const qint64 free = rig().volume()->volumeInfo().bytesFree;
            QVERIFY(free > 0);
            QVERIFY(QFile::resize(image, free + 1));
            message = kImageTooLarge.arg(shown).arg(free + 1).arg(free);
            logged = QStringLiteral(" (%1 bytes) does not fit on the volume (%2 bytes free)").arg(free + 1).arg(free);
        }

        QVERIFY(rig().openWindow());
        QVERIFY(rig().startToInfoPage());
        const QByteArray imageBefore = bench->imageBytes();
        QVERIFY(rig().click("btnInfoNext"));
        QVERIFY(rig().waitForBox(1));
        QVERIFY(bench->boxIs(1, 3, message));
        QCOMPARE(rig().page(), 0);
        QVERIFY2(rig().log.contains("Firmware image " + image + logged), qPrintable(logged));

        // Nothing reached the device.
        if (sim) {
            QCOMPARE(sim->mode(), TransponderSim::Mode::Normal);
            QVERIFY(!sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));
        }
        QVERIFY(!rig().log.contains("Start to copy file"));
        QCOMPARE(bench->imageBytes(), imageBefore);
        QVERIFY(volumeSound(FaultBench::Root::Untouched));

        QVERIFY(bench->noFurtherBox(1));
        VolumeFault::disarm();
        QVERIFY(rig().startToInfoPage());
        QCOMPARE(rig().labelText("lblInfoCurrentVer"), sim ? FaultBench::kOldVersion : kBootloader);
    }
};

QTEST_MAIN(TestVolumeFaults)
#include "tst_VolumeFaults.moc"
