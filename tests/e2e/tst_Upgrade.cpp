// Whole upgrades through the real main window: the simulated transponder on a
// fake USB serial port, the real communication thread and serial channel, the
// simulated bootloader volume (a folder and a FAT16 image) and the real copy
// thread.
#include "device/CCommSpacesManage.h"
#include "sim/transponder/TransponderSim.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"
#include "transfer/CMSDManipulate.h"

#include <QSerialPortInfo>
#include <QtTest>

#include <memory>

using namespace ExpectedTexts;

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
const QString kOldVersion = QStringLiteral("V1.2.0.00-A");
const QString kNewVersion = QStringLiteral("V1.3.0.01-A");

bool portListed(const QString &name)
{
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (info.portName() == name)
            return true;
    return false;
}
}  // namespace

class TestUpgrade : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UpgradeRig> rig;

    // Start pressed: waits for the information page (or a box).
    bool startAndWaitForInfo()
    {
        const int before = rig->boxes.count();
        if (!rig->click("btnWelcomStart"))
            return false;
        return UpgradeRig::waitUntil(
            [&] { return rig->boxes.count() != before || (rig->page() == 1 && rig->isShown("lblInfoCurrentVer")); });
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<UpgradeRig>();
        QVERIFY(rig->isReady());
    }
    void init()
    {
        rig->boxes.clear();
        rig->log.clear();
    }
    void cleanup() { rig->endCase(); }
    void cleanupTestCase() { rig.reset(); }

    void normalUpgradeThenPowerCycleShowsTheNewVersion()
    {
        QVERIFY(rig->writePackage(kNewVersion));
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(kOldVersion));
        QVERIFY(sim);
        const QString port = sim->portName();
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig->openWindow());
        QCOMPARE(rig->page(), 0);
        QCOMPARE(rig->labelText("lblMainTitle"), kWelcome);

        // Start: found, connected, identified.
        QVERIFY(startAndWaitForInfo());
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 1);
        QCOMPARE(rig->labelText("lblMainTitle"), kDeviceInformation);
        QCOMPARE(rig->labelText("lblInfoMachineType"), QStringLiteral("AIS-B-470"));
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kOldVersion);
        QCOMPARE(rig->labelText("lblInfoNewVer"), kNewVersion);
        QCOMPARE(rig->labelText("lblInfoShowNext"), kClickNext);
        QVERIFY(rig->isShown("btnInfoBack"));
        QVERIFY(rig->isShown("btnInfoNext"));
        QVERIFY(sim->receivedLines().contains("$AIAIQ,VER*3C"));
        QVERIFY(sim->answerCount() >= 1);
        QVERIFY(!sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));

        // Next: bootloader command, the serial port goes, the volume comes.
        QVERIFY(rig->click("btnInfoNext"));
        QCOMPARE(rig->page(), 2);
        QCOMPARE(rig->labelText("lblMainTitle"), kFirmwareUpgrade);
        QVERIFY(rig->isShown("wgCopyProcess"));
        QVERIFY(!rig->isShown("wgCopySuccess"));
        QVERIFY(!rig->isShown("btnCopyProgressFinish"));
        QTRY_COMPARE_WITH_TIMEOUT(sim->mode(), TransponderSim::Mode::Bootloader, kStepMs);
        QVERIFY(sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));
        QVERIFY(!portListed(port));
        QTRY_VERIFY_WITH_TIMEOUT(rig->volumeMounted(), kStepMs);

        // The copy: the success part of page 2.
        QTRY_VERIFY_WITH_TIMEOUT(rig->isShown("btnCopyProgressFinish") || rig->page() != 2 || rig->boxes.count() > 0,
                                 kStepMs);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 2);
        QVERIFY(rig->isShown("wgCopySuccess"));
        QVERIFY(!rig->isShown("wgCopyProcess"));
        QCOMPARE(rig->labelText("lblCopySuccessNote"), kCompleted);
        QVERIFY(rig->log.contains("Find MSD success"));
        QVERIFY(rig->log.contains("Trans Success"));
        const QByteArray image = rig->packageImage();
        QVERIFY(!image.isEmpty());
        QCOMPARE(rig->volumeFile(UpgradeRig::kImageName), image);
        // The raw root-directory entry went into the volume's FAT image as well.
        QVERIFY2(rig->imageRootEntries().contains(QStringLiteral("123.567"), Qt::CaseInsensitive),
                 qPrintable(rig->imageRootEntries().join(',')));
        QVERIFY(rig->msd() && rig->msd()->m_bTransResult);

        // A finished copy stops the time-out: time passing later shows nothing.
        UpgradeRig::advanceClock(600);
        QTest::qWait(1600);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->page(), 2);

        // Finish: back to the welcome page.
        QVERIFY(rig->click("btnCopyProgressFinish"));
        QCOMPARE(rig->page(), 0);
        QCOMPARE(rig->labelText("lblMainTitle"), kWelcome);
        QVERIFY(rig->isShown("btnWelcomStart"));

        // The operator powers the device off and on: it runs the copied image.
        rig->unmountVolume();
        QVERIFY(sim->powerCycle(rig->volume()->rootPath() + UpgradeRig::kImageName));
        QCOMPARE(sim->firmwareVersion(), kNewVersion);
        QVERIFY(rig->waitLinkIdle());
        QVERIFY(startAndWaitForInfo());
        QCOMPARE(rig->boxes.count(), 0);  // same version: no message
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kNewVersion);
        QCOMPARE(rig->labelText("lblInfoNewVer"), kNewVersion);
        QVERIFY(rig->isShown("btnInfoNext"));
        QVERIFY(rig->click("btnInfoBack"));
        QCOMPARE(rig->page(), 0);
    }

    void deviceAlreadyInBootloaderModeIsUpgradedWithoutVersionCheck()
    {
        // A package that a device in normal mode would refuse: in bootloader
        // mode no version is compared.
        QVERIFY(rig->writePackage(QStringLiteral("V1.2.8.07")));
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::Now));
        QVERIFY(rig->openWindow());

        QVERIFY(startAndWaitForInfo());
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kBootloader);
        QCOMPARE(rig->labelText("lblInfoMachineType"), kUnknown);
        QCOMPARE(rig->labelText("lblInfoNewVer"), QStringLiteral("V1.2.8.07"));
        QVERIFY(rig->isShown("btnInfoBack"));
        QVERIFY(rig->isShown("btnInfoNext"));
        QVERIFY(rig->discovery()->commCount() == 0);  // no serial connection was tried

        QVERIFY(rig->click("btnInfoNext"));
        QCOMPARE(rig->page(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(rig->isShown("btnCopyProgressFinish") || rig->page() != 2 || rig->boxes.count() > 0,
                                 kStepMs);
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(rig->labelText("lblCopySuccessNote"), kCompleted);
        QCOMPARE(rig->volumeFile(UpgradeRig::kImageName), rig->packageImage());
        QVERIFY(!rig->log.contains("FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER"));
        QVERIFY(rig->log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_TRANS_MSD_PROCESS"));

        QVERIFY(rig->click("btnCopyProgressFinish"));
        QCOMPARE(rig->page(), 0);
    }

    void downgradeAboveTheFloorWarnsAndStillUpgrades()
    {
        QVERIFY(rig->writePackage(QStringLiteral("V1.2.9.01-A")));
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(kNewVersion));
        QVERIFY(sim);
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig->openWindow());

        QVERIFY(startAndWaitForInfo());
        QCOMPARE(rig->boxes.count(), 1);
        QCOMPARE(rig->boxes.last().kind, 2);
        QCOMPARE(rig->boxes.last().title, kTitleWarning);
        QCOMPARE(rig->boxes.last().text, kDowngradeWarning);
        QCOMPARE(rig->page(), 1);
        QCOMPARE(rig->labelText("lblInfoCurrentVer"), kNewVersion);
        QCOMPARE(rig->labelText("lblInfoNewVer"), QStringLiteral("V1.2.9.01-A"));
        QVERIFY(rig->isShown("btnInfoBack"));
        QVERIFY(rig->isShown("btnInfoNext"));

        // The operator goes on anyway.
        QVERIFY(rig->click("btnInfoNext"));
        QTRY_VERIFY_WITH_TIMEOUT(rig->isShown("btnCopyProgressFinish") || rig->page() != 2 || rig->boxes.count() > 1,
                                 kStepMs);
        QCOMPARE(rig->boxes.count(), 1);
        QCOMPARE(rig->volumeFile(UpgradeRig::kImageName), rig->packageImage());
        rig->unmountVolume();
        QVERIFY(sim->powerCycle(rig->volume()->rootPath() + UpgradeRig::kImageName));
        QCOMPARE(sim->firmwareVersion(), QStringLiteral("V1.2.9.01-A"));
    }

    void downgradeToTheFloorHidesBackAndNextAndClosesTheWindow()
    {
        QVERIFY(rig->writePackage(QStringLiteral("V1.2.8.07")));
        TransponderSim *sim = rig->plugTransponder(UpgradeRig::deviceSettings(kNewVersion));
        QVERIFY(sim);
        QVERIFY(rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand));
        QVERIFY(rig->openWindow());

        QVERIFY(startAndWaitForInfo());
        QCOMPARE(rig->boxes.count(), 1);
        QCOMPARE(rig->boxes.last().kind, 2);
        QCOMPARE(rig->boxes.last().title, kTitleWarning);
        QCOMPARE(rig->boxes.last().text, kDowngradeRefused);
        QTRY_VERIFY_WITH_TIMEOUT(!rig->window()->isVisible(), kStepMs);
        QVERIFY(rig->child<QWidget>("btnInfoBack")->isHidden());
        QVERIFY(rig->child<QWidget>("btnInfoNext")->isHidden());
        // Nothing was sent that would start an upgrade.
        QTest::qWait(500);
        QCOMPARE(sim->mode(), TransponderSim::Mode::Normal);
        QVERIFY(!sim->receivedLines().contains("$PDBG,107,1,,,,,,*16"));
        QVERIFY(rig->volumeFile(UpgradeRig::kImageName).isEmpty());
    }
};

QTEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
