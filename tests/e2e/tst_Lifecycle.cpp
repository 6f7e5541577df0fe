// Closing and destroying the real main window while the copy thread writes,
// on the simulated Windows host: the services stay stopped until the copy
// has returned, and a window that is going shows nothing more.
#include "platform/host/IWinHost.h"
#include "sim/host/SimWinHost.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/UpgradeRig.h"
#include "tests/support/TestDirs.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {
constexpr int kStepMs = UpgradeRig::kStepMs;
constexpr int kTickMs = 1600;
const QString kOldVersion = QStringLiteral("V1.2.0.00-A");
const QString kNewVersion = QStringLiteral("V1.3.0.01-A");
const QStringList kStockHandBack{
    "sc config WSearch start= auto", "sc config StorSvc start= demand", "net start StorSvc",
    "net start WSearch",             "net start ShellHWDetection",      "net stop BDESVC",
};
}  // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<UpgradeRig> rig;
    std::unique_ptr<SimWinHost> host;

    // The host prepared by the window, the information page shown, Next
    // pressed, and the copy thread held at its start.
    bool copyHeld(const SimBootloaderVolume::Options &options = SimBootloaderVolume::Options())
    {
        if (!rig->plugTransponder(UpgradeRig::deviceSettings(kOldVersion)) ||
            !rig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand, options) || !rig->openWindow())
            return false;
        rig->boxes.clear();  // the initialisation notice
        if (!rig->waitLinkIdle() || !rig->click("btnWelcomStart") ||
            !UpgradeRig::waitUntil([&] { return rig->isShown("btnInfoNext"); }))
            return false;
        rig->holdCopy();
        if (!rig->click("btnInfoNext") || !rig->waitCopyHeld())
            return false;
        host->clearCommandLog();
        return host->service("WSearch").state == 1 && rig->boxes.count() == 0;
    }

private slots:
    void initTestCase()
    {
        rig = std::make_unique<UpgradeRig>();
        QVERIFY(rig->isReady());
        host = std::make_unique<SimWinHost>(TestDirs::fresh(QStringLiteral("host")));
        QVERIFY(host->isReady());
        IWinHost::setCurrent(host.get());
    }
    void init()
    {
        host->addStockServices();
        // The hand-back processes events for a while, as it does on Windows.
        SimService search = host->service("WSearch");
        search.netDelayMs = 1200;
        host->setService("WSearch", search);
        rig->boxes.clear();
        rig->log.clear();
        QVERIFY(rig->writePackage(kNewVersion));
    }
    void cleanup() { rig->endCase(); }
    void cleanupTestCase()
    {
        rig.reset();
        IWinHost::setCurrent(nullptr);
    }

    void closeDuringTheCopyIsCarriedOutOnceItHasReturned()
    {
        QVERIFY(copyHeld());
        QVERIFY(rig->click("btnWinCtrlClose"));
        QTest::qWait(kTickMs);
        // Still there, on the copy's progress, with the host as prepared.
        QVERIFY(rig->window()->isVisible());
        QCOMPARE(rig->page(), 2);
        QVERIFY(rig->isShown("wgCopyProcess"));
        QCOMPARE(host->commandLog(), QStringList());

        rig->releaseCopy();
        QTRY_VERIFY_WITH_TIMEOUT(!rig->window()->isVisible(), kStepMs);
        QCOMPARE(rig->volumeFile(UpgradeRig::kImageName), rig->packageImage());
        QCOMPARE(rig->boxes.count(), 0);
        QCOMPARE(host->commandLog(), QStringList());
        rig->closeWindow();
        QCOMPARE(host->commandLog(), kStockHandBack);
    }

    void windowDestroyedDuringTheCopyWaitsAndShowsNothing()
    {
        // The copy will fail (write-protected volume), and its time-out is
        // over: a tick or the result reaching the window would show a box.
        SimBootloaderVolume::Options readOnly;
        readOnly.readOnly = true;
        QVERIFY(copyHeld(readOnly));
        UpgradeRig::advanceClock(181);

        // The event loop has ended while the copy runs: the window goes.
        std::atomic<bool> handedBackDuringCopy{false};
        std::thread copyEnd([&] {
            QElapsedTimer waited;
            waited.start();
            while (host->commandLog().isEmpty() && !waited.hasExpired(4000))
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            handedBackDuringCopy = !host->commandLog().isEmpty();
            rig->releaseCopy();
        });
        rig->closeWindow();
        copyEnd.join();

        QVERIFY(!handedBackDuringCopy);
        QCOMPARE(host->commandLog(), kStockHandBack);
        QCOMPARE(rig->boxes.count(), 0);
        QVERIFY(rig->log.contains("Copy bin file fail"));
        QVERIFY(!rig->log.contains("Copy File time out!"));
        QVERIFY(!rig->log.contains("Trans Fail"));
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_Lifecycle.moc"
