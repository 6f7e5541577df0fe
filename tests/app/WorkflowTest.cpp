// The workflow's own rules that need no device: the copy time-out clock, the
// refresh tick's patterns, and the transitions driven by worker signals.
#include "app/MainWindow.h"
#include "app/SPgbTimeOut.h"
#include "platform/clock/SysClock.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"

#include <QApplication>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {
int64_t g_now = 1000000;
int64_t fakeNow()
{
    return g_now;
}

const QString kText5 = "Please confirm your device connection and power !";

class Workflow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        SysClock::setWallSource(nullptr);
    }
    QString copyNote() const { return window->findChild<QLabel *>("lblCopyProcessNote")->text(); }

    LogCapture log;
    MessageBoxAnswerer answerer{QMessageBox::No};
    std::unique_ptr<MainWindow> window;
};
}  // namespace

TEST(CopyTimeOut, StrictlyMoreThanTheLimit)
{
    SysClock::setWallSource(&fakeNow);
    LogCapture log;
    SPgbTimeOut timeOut;
    EXPECT_FALSE(timeOut.isActive());
    timeOut.start();
    EXPECT_TRUE(timeOut.isActive());
    g_now += 180;
    EXPECT_FALSE(timeOut.checkTimeOut(180));
    EXPECT_TRUE(log.contains("Check copy file time out = 180"));
    g_now += 1;
    EXPECT_TRUE(timeOut.checkTimeOut(180));
    EXPECT_TRUE(log.contains("Check copy file time out = 181"));
    timeOut.clear();
    EXPECT_FALSE(timeOut.isActive());
    SysClock::setWallSource(nullptr);
    EXPECT_GT(SPgbTimeOut::now(), 1700000000);  // back on the real clock
}

TEST_F(Workflow, CopyNoteShownFourTicksBlankOne)
{
    QStringList seen;
    for (int i = 0; i < 10; ++i) {
        window->onTimerRefresh();
        seen << (copyNote().trimmed().isEmpty() ? "blank" : "shown");
    }
    EXPECT_EQ(seen, QStringList({"shown", "shown", "shown", "shown", "blank", "shown", "shown", "shown", "shown",
                                 "blank"}));
}

TEST_F(Workflow, StartWithNothingConnectedSaysSoAndStaysIdle)
{
    window->mainPageControl(FIRM_UPGRADE_F_START_CONFIRM);
    ASSERT_TRUE(answerer.waitForCount(1));
    EXPECT_EQ(answerer.last().kind, 0);
    EXPECT_EQ(answerer.last().text, kText5);
    EXPECT_EQ(window->upgradeState(), 0);
    EXPECT_TRUE(log.contains("mainPageControl: FIRM_UPGRADE_F_START_CONFIRM"));
    EXPECT_TRUE(log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_CHECK_AIS_STATUS"));
    // Nothing to report: identification failures offer no report.
    window->onTimerRefresh();
    EXPECT_EQ(answerer.count(), 1);
}

TEST_F(Workflow, StartIsRefusedWhileAnAttemptRuns)
{
    window->frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_MSDDEV);
    window->mainPageControl(FIRM_UPGRADE_F_START_CONFIRM);
    EXPECT_TRUE(log.contains("Serial port is connected by other application"));
    EXPECT_EQ(window->upgradeState(), FIRM_UPGRADE_S_CHECK_MSDDEV);
    EXPECT_EQ(answerer.count(), 0);
}

TEST_F(Workflow, NextWithoutDeviceOrPackageShowsTextFiveThenOffersTheReport)
{
    // No "FirmwareBin" beside the test binary, no device, no volume.
    window->mainPageControl(FIRM_UPGRADE_F_START_PROGRESS);
    ASSERT_TRUE(answerer.waitForCount(1));
    EXPECT_TRUE(log.contains("Can't find csv file"));
    EXPECT_TRUE(log.contains("Can't find serial dev and MSD dev"));
    EXPECT_EQ(answerer.last().kind, 3);
    EXPECT_EQ(answerer.last().text, kText5);
    EXPECT_TRUE(log.contains("isSerialDevChecked=0, isMSDChecked=0, isBinFileExist=0, isReadyFileExist=0, "
                             "isTransSuccess=0"));
    EXPECT_EQ(window->upgradeState(), 0);
    EXPECT_EQ(window->findChild<QTabWidget *>()->currentIndex(), 0);

    window->onTimerRefresh();  // the report offer, answered No
    ASSERT_TRUE(answerer.waitForCount(2));
    EXPECT_TRUE(answerer.last().text.startsWith("An unexpected error has occurred"));
    window->onTimerRefresh();
    EXPECT_EQ(answerer.count(), 2) << "offered once";
}

TEST_F(Workflow, ConnectionRemovedOnlyMattersWhileConnecting)
{
    window->frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_AISDEV);
    window->onCommDeleted();
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_EQ(window->upgradeState(), FIRM_UPGRADE_S_CHECK_AISDEV);

    window->frimwareUpgradeProc(FIRM_UPGRADE_S_CONNT_SERIAL_DEV);
    window->onCommDeleted();
    ASSERT_TRUE(answerer.waitForCount(1));
    EXPECT_EQ(answerer.last().text, kText5);
    EXPECT_EQ(window->upgradeState(), 0);
    EXPECT_EQ(log.count("Comm Deleted"), 2);
}

TEST_F(Workflow, RepeatedPositiveAnswerIsIgnoredNegativeAlwaysHandled)
{
    window->onAISDevCheckResult(true);
    const int shownAfterFirst = answerer.count();
    window->onAISDevCheckResult(true);
    EXPECT_TRUE(log.contains("Repeat paser sentence"));
    EXPECT_EQ(answerer.count(), shownAfterFirst);

    window->onAISDevCheckResult(false);
    ASSERT_TRUE(answerer.waitForCount(shownAfterFirst + 1));
    EXPECT_EQ(answerer.last().text, kText5);
    EXPECT_EQ(window->upgradeState(), 0);
}

TEST_F(Workflow, VolumeFoundEntersCopyWhateverTheState)
{
    window->onMSDDevChecked();
    EXPECT_TRUE(log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_MSDDEV_READY"));
    EXPECT_TRUE(log.contains("Frimware Upgrade Proc: FIRM_UPGRADE_S_TRANS_MSD_PROCESS"));
    EXPECT_EQ(window->upgradeState(), FIRM_UPGRADE_S_TRANS_MSD_PROCESS);
}

TEST_F(Workflow, SuccessfulCopyShowsTheResultAndNoMessage)
{
    window->onTransResult(true);
    EXPECT_TRUE(log.contains("Trans Success"));
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_FALSE(window->findChild<QWidget *>("wgCopySuccess")->isHidden());
    window->onTimerRefresh();
    EXPECT_EQ(answerer.count(), 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
