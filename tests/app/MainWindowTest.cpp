// The real main window (offscreen) with its wizard form, against the
// simulated Windows host whose "sc"/"net" run as real processes.
#include "app/CLanguageSettings.h"
#include "app/MainWindow.h"
#include "platform/host/IWinHost.h"
#include "sim/host/SimWinHost.h"
#include "sysprep/SysSnapshotFile.h"
#include "tests/support/FileDialogAnswerer.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "tests/support/TestDirs.h"
#include "tests/support/UrlCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include "sysprep/SysSnapshotFile.h"

#include <memory>

namespace {
const QString kText22 = "System initialization failed.\nPlease reopen the application.";
const QString kText24 = "Please make sure the device power is Off and USB is disconnected from the computer.";
const QString kText29 =
    "An unexpected error has occurred during the upgrade process.\r\nClick \"Yes\" to generate the report.";
const QStringList kInitCommands{
    "sc config WSearch start= disabled", "sc config StorSvc start= disabled", "net stop StorSvc",
    "net stop WSearch",                  "net stop ShellHWDetection",         "net stop BDESVC",
};
// The stock host given back: the recorded start words (StorSvc was manual),
// and exactly the services that were running started again.
const QStringList kStockHandBack{
    "sc config WSearch start= auto", "sc config StorSvc start= demand", "net start StorSvc",
    "net start WSearch",             "net start ShellHWDetection",      "net stop BDESVC",
};
}  // namespace

namespace {
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char *name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const QString dir = TestDirs::fresh(name);
        host = std::make_unique<SimWinHost>(dir);
        ASSERT_TRUE(host->isReady());
        // Not the shared program folder: a snapshot left there by a killed
        // run would make the next window hand the services back first.
        SysSnapshotFile::setDefaultDir(dir);
        host->addStockServices();
        IWinHost::setCurrent(host.get());
    }
    void TearDown() override
    {
        window.reset();
        IWinHost::setCurrent(nullptr);
        SysSnapshotFile::setDefaultDir(QString());
    }

    void openWindow()
    {
        window = std::make_unique<MainWindow>();
        window->show();
    }

    template <class T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    int initCalls() const
    {
        return log.count("Init system registry & service") - log.count("Init system registry & service finish");
    }

    void setWSearchRefusals(int n)
    {
        SimService search = host->service("WSearch");
        search.stopRefusals = n;
        host->setService("WSearch", search);
    }

    std::unique_ptr<SimWinHost> host;
    LogCapture log;
    MessageBoxAnswerer answerer{QMessageBox::Ok};
    std::unique_ptr<MainWindow> window;
};
}  // namespace

TEST_F(MainWindowTest, FrameIsFixedAtSixHundredByFiveHundredWithTheWholeForm)
{
    openWindow();
    EXPECT_EQ(window->size(), QSize(600, 500));
    window->resize(800, 700);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(600, 500));
    EXPECT_EQ(window->minimumSize(), QSize(600, 500));
    EXPECT_EQ(window->maximumSize(), QSize(600, 500));

    for (const char *name : {"centralWidget", "wgFormBorder", "wgFormBorderEmpty", "wgThemeFunGenRep",
                             "wgThemeFunHelp", "wgWinCtrl", "wgThemeFunAbout", "wgWinCtrlMin", "wgWinCtrlClose",
                             "wgContent", "wgMain", "tbMainWelcome", "wgWelcomTitle", "wgWelcomeMainNote",
                             "wgWelcomeSubNoteTitle", "wgWelcomeBotton", "tbMainInfo", "wgInfo", "wgInfoDevMode",
                             "wgInfoNewVer", "wgInfoCurrentVer", "wgInfoMiddle", "wgInfoBtn", "tbwgCopyProgress",
                             "wgCopyProcess", "wgCopyProcessMiddle", "wgCopyProcessNote", "wgCopyProcessProgressBar",
                             "wgCopySuccess", "wgCopySuccessMiddle", "wgCopyProgressBtn"})
        EXPECT_NE(child<QWidget>(name), nullptr) << name;
    for (const char *name : {"btnBorderTitleLogo", "btnThemeFunGenRep", "btnThemeFunHelp", "btnThemeFunAbout",
                             "btnWinCtrlMin", "btnWinCtrlClose"})
        EXPECT_NE(child<QToolButton>(name), nullptr) << name;
    for (const char *name : {"btnWelcomStart", "btnInfoBack", "btnInfoNext", "btnCopyProgressFinish"})
        EXPECT_NE(child<QPushButton>(name), nullptr) << name;
    for (const char *name :
         {"lblBorderTitleName", "lblMainTitle", "lblWelcomeMainNoteTitle", "lblWelcomeMainNoteIcon",
          "lblWelcomeSubNoteTitleIcon1", "lblWelcomeSubNoteTitle1", "lblWelcomeSubNoteTitleIcon2",
          "lblWelcomeSubNoteTitle2", "lblWelcomeSystmInit", "lblInfoMachineTpyeTitle", "lblInfoMachineType",
          "lblInfoNewVerTitle", "lblInfoNewVer", "lblInfoCurrentVerTitle", "lblInfoCurrentVer", "lblInfoIcon",
          "lblInfoShowNext", "lblCopyProcessNote", "lblCopySuccessIcon", "lblCopySuccessNote"})
        EXPECT_NE(child<QLabel>(name), nullptr) << name;
    EXPECT_NE(child<QTabWidget>("tbwgMain"), nullptr);
    EXPECT_NE(child<QProgressBar>("pgbCopyProcess"), nullptr);

    EXPECT_TRUE(child<QLabel>("lblWelcomeSystmInit")->isHidden());
    EXPECT_FALSE(child<QPushButton>("btnWelcomStart")->isHidden());
    // Building the window asks nothing of the host.
    EXPECT_TRUE(host->commandLog().isEmpty());
    EXPECT_EQ(answerer.count(), 0);
}

TEST_F(MainWindowTest, WindowsSevenChangesNothingAndHandsNothingBack)
{
    host->setVersion(6, 1);
    openWindow();
    EXPECT_TRUE(window->sysInit());
    EXPECT_EQ(window->winOsVer(), 4);
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_FALSE(log.contains("Record current services and registry status"));
    EXPECT_TRUE(log.contains("Record modified services and registry status "));
    EXPECT_EQ(window->sysStatusAfter().storageService, 4);
    EXPECT_EQ(window->sysStatusAfter().wsearchReg, 2);

    window.reset();
    EXPECT_TRUE(host->commandLog().isEmpty());
    EXPECT_EQ(host->service("StorSvc").state, 4);
}

TEST_F(MainWindowTest, WindowsTenPreparesTheHostAndTheDestructorRestoresIt)
{
    host->setVersion(10, 0);
    openWindow();
    EXPECT_TRUE(window->sysInit());

    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.last().kind, 0);
    EXPECT_EQ(answerer.last().title, "Information");
    EXPECT_EQ(answerer.last().text, kText24);
    EXPECT_EQ(host->commandLog(), kInitCommands);
    EXPECT_EQ(initCalls(), 1);
    EXPECT_EQ(window->winOsVer(), 7);

    // The welcome page is back to normal.
    EXPECT_FALSE(child<QPushButton>("btnWelcomStart")->isHidden());
    EXPECT_FALSE(child<QWidget>("wgWelcomeMainNote")->isHidden());
    EXPECT_FALSE(child<QWidget>("wgWelcomeSubNoteTitle")->isHidden());
    EXPECT_TRUE(child<QLabel>("lblWelcomeSystmInit")->isHidden());

    const SysSvcInfo before = window->sysStatusBefore();
    EXPECT_EQ(before.storageReg, 3);
    EXPECT_EQ(before.wsearchReg, 2);
    EXPECT_EQ(before.storageService, 4);
    EXPECT_EQ(before.bitLockerService, 1);
    const SysSvcInfo after = window->sysStatusAfter();
    EXPECT_EQ(after.storageReg, 4);
    EXPECT_EQ(after.wsearchReg, 4);
    EXPECT_EQ(after.storageService, 1);
    EXPECT_EQ(after.shellHWDetectionService, 1);

    host->clearCommandLog();
    window.reset();
    EXPECT_EQ(host->commandLog(), kStockHandBack);
    EXPECT_EQ(host->service("StorSvc").start, 3);
    EXPECT_EQ(host->service("WSearch").start, 2);
    EXPECT_EQ(host->service("StorSvc").state, 4);
    EXPECT_EQ(host->service("WSearch").state, 4);
    EXPECT_EQ(host->service("ShellHWDetection").state, 4);
    EXPECT_EQ(host->service("BDESVC").state, 1);
}

TEST_F(MainWindowTest, RunningBitLockerIsStoppedAndStartedAgain)
{
    SimService bitLocker = host->service("BDESVC");
    bitLocker.state = 4;
    host->setService("BDESVC", bitLocker);
    openWindow();
    EXPECT_TRUE(window->sysInit());
    EXPECT_EQ(host->service("BDESVC").state, 1);
    host->clearCommandLog();
    window.reset();
    EXPECT_EQ(host->commandLog().last(), "net start BDESVC");
    EXPECT_EQ(host->service("BDESVC").state, 4);
}

// A running service that needs WSearch makes "net stop WSearch" ask before
// stopping both; start-up must not wait for an answer that nobody gives.
TEST_F(MainWindowTest, StartUpSucceedsWithARunningServiceThatNeedsWSearch)
{
    SimService workFolders;
    workFolders.state = 4;
    workFolders.dependsOn = {"WSearch"};
    host->setService("WorkFolders", workFolders);
    openWindow();
    EXPECT_TRUE(window->sysInit());
    EXPECT_EQ(initCalls(), 1);
    EXPECT_TRUE(log.contains("net stop WSearch success"));
    EXPECT_EQ(host->service("WSearch").state, 1);
    EXPECT_EQ(host->service("WorkFolders").state, 1);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.last().text, kText24);
}

TEST_F(MainWindowTest, RetriesGoCheckedUncheckedUntilTheSixthCall)
{
    // WSearch refuses this many stops; the call after the last refusal succeeds.
    const struct {
        int refusals;
        int calls;
        bool result;
    } cases[] = {{1, 3, true}, {2, 3, true}, {3, 5, true}, {4, 5, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.refusals);
        host->addStockServices();
        setWSearchRefusals(c.refusals);
        log.clear();
        answerer.clear();
        openWindow();
        EXPECT_EQ(window->sysInit(), c.result);
        EXPECT_EQ(initCalls(), c.calls);
        EXPECT_EQ(answerer.count(), 1);  // only the initialisation notice
        EXPECT_FALSE(log.contains("Init system status time out !"));
        window.reset();
    }
}

TEST_F(MainWindowTest, GivingUpAfterSixCallsOffersTheReportAndStillHandsBack)
{
    for (int refusals : {5, -1}) {
        SCOPED_TRACE(refusals);
        host->addStockServices();
        setWSearchRefusals(refusals);
        log.clear();
        answerer.clear();
        openWindow();
        answerer.queueAnswer(QMessageBox::Ok);
        answerer.queueAnswer(QMessageBox::Ok);
        answerer.queueAnswer(QMessageBox::No);
        EXPECT_FALSE(window->sysInit());
        // With 5 refusals the sixth call succeeds, but its result is not looked at.
        EXPECT_EQ(initCalls(), 6);
        EXPECT_TRUE(log.contains("Init system status time out !"));
        EXPECT_TRUE(log.contains("Show generate log msgbox"));
        EXPECT_FALSE(log.contains("Record modified services and registry status"));

        ASSERT_EQ(answerer.count(), 3);
        EXPECT_EQ(answerer.shown()[0].text, kText24);
        EXPECT_EQ(answerer.shown()[1].kind, 0);
        EXPECT_EQ(answerer.shown()[1].text, kText22);
        EXPECT_EQ(answerer.shown()[2].kind, 0);
        EXPECT_EQ(answerer.shown()[2].title, "Information");
        EXPECT_EQ(answerer.shown()[2].text, kText29);
        EXPECT_FALSE(log.contains("MainWindow::onExportFile"));

        host->clearCommandLog();
        window.reset();
        EXPECT_EQ(host->commandLog().mid(0, 3),
                  (QStringList{"sc config WSearch start= auto", "sc config StorSvc start= demand", "net start StorSvc"}));
        EXPECT_EQ(host->service("StorSvc").state, 4);
        EXPECT_EQ(host->service("StorSvc").start, 3);
    }
}

TEST_F(MainWindowTest, NonAdministratorSeesTheAccessMessageOnTheWayOutToo)
{
    host->setAdmin(false);
    openWindow();
    answerer.setDefaultAnswer(QMessageBox::Ok);
    EXPECT_FALSE(window->sysInit());
    EXPECT_TRUE(log.contains("OpenManager() failed : 5\n"));
    EXPECT_EQ(host->service("StorSvc").start, 3);
    answerer.clear();
    window.reset();
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_TRUE(answerer.last().text.startsWith("System access failed."));
}

TEST_F(MainWindowTest, ReportOfferTextAndAnswer)
{
    openWindow();
    answerer.queueAnswer(QMessageBox::No);
    window->msgBoxGenLog("");
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.last().text, kText29);
    EXPECT_EQ(answerer.last().title, "Information");
    EXPECT_FALSE(log.contains("MainWindow::onExportFile"));
    const QStringList offer = log.matching("MainWindow::msgBoxGenLog");
    ASSERT_EQ(offer.size(), 1);
    EXPECT_TRUE(offer[0].contains("A)Show generate log msgbox")) << offer[0].toStdString();

    // Yes leads to the save dialog; cancelling it writes nothing.
    FileDialogAnswerer files;
    answerer.queueAnswer(QMessageBox::Yes);
    window->msgBoxGenLog("Copy file fail");
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.last().text, "Copy file fail\r\n" + kText29);
    EXPECT_EQ(answerer.last().answeredWith, QMessageBox::Yes);
    EXPECT_TRUE(log.contains("Export File"));
    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(files.last().caption, "Log");
    EXPECT_TRUE(files.last().suggested.endsWith("/FW_Log")) << files.last().suggested.toStdString();
    EXPECT_FALSE(log.contains("Export file finish"));
}

// Enter or Escape on the offer must not start an export.
TEST_F(MainWindowTest, ReportOfferAnswersNoToEnterAndEscape)
{
    openWindow();
    FileDialogAnswerer files;
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        answerer.queueKey(key);
        window->msgBoxGenLog("");
        EXPECT_EQ(answerer.last().answeredWith, QMessageBox::No) << key;
    }
    EXPECT_EQ(answerer.count(), 2);
    EXPECT_EQ(files.count(), 0);
}

// The operator closes the window, and tries the other title-bar buttons,
// while "net stop" runs: the program must end, with the host handed back.
TEST_F(MainWindowTest, CloseDuringTheStartUpCheckEndsTheProgramAndHandsBack)
{
    // WSearch never stops: without the close the check would try six times.
    SimService search = host->service("WSearch");
    search.netDelayMs = 1500;
    search.stopRefusals = -1;
    host->setService("WSearch", search);
    openWindow();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    FileDialogAnswerer files;
    QTimer operatorHand;
    bool clicked = false;
    QObject::connect(&operatorHand, &QTimer::timeout, &operatorHand, [&] {
        if (clicked || !host->commandLog().contains("net stop WSearch"))
            return;
        clicked = true;
        for (const char *name : {"btnThemeFunGenRep", "btnThemeFunAbout", "btnThemeFunHelp", "btnWinCtrlClose"})
            child<QToolButton>(name)->click();
        window->close();  // as Alt+F4 does
    });
    operatorHand.start(20);

    // False: the entry point then destroys the window and returns 0.
    EXPECT_FALSE(window->sysInit());
    operatorHand.stop();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_TRUE(clicked);
    EXPECT_EQ(files.count(), 0);
    EXPECT_TRUE(catcher.urls.isEmpty());
    EXPECT_FALSE(window->findChild<QDialog *>("CAboutForm")->isVisible());
    EXPECT_EQ(answerer.count(), 1);  // the initialisation notice only
    EXPECT_EQ(initCalls(), 1);

    host->clearCommandLog();
    window.reset();
    EXPECT_EQ(host->commandLog(), kStockHandBack);
    EXPECT_EQ(host->service("WSearch").state, 4);
    EXPECT_EQ(host->service("WSearch").start, 2);
}

TEST_F(MainWindowTest, SystemInitialisationStateOfTheWelcomePage)
{
    openWindow();
    window->showSysInitPage(true);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.last().text, kText24);
    EXPECT_TRUE(child<QPushButton>("btnWelcomStart")->isHidden());
    EXPECT_TRUE(child<QWidget>("wgWelcomeMainNote")->isHidden());
    EXPECT_TRUE(child<QWidget>("wgWelcomeSubNoteTitle")->isHidden());
    EXPECT_FALSE(child<QLabel>("lblWelcomeSystmInit")->isHidden());

    window->showSysInitPage(false);
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_FALSE(child<QPushButton>("btnWelcomStart")->isHidden());
    EXPECT_TRUE(child<QLabel>("lblWelcomeSystmInit")->isHidden());
}

TEST_F(MainWindowTest, InitialisationDotsCountUpToSevenThenPause)
{
    openWindow();
    QLabel *label = child<QLabel>("lblWelcomeSystmInit");
    const QString head = "Operating system initializing";
    const QString tail = "\nPlease wait a moment";
    const int expected[] = {1, 2, 3, 4, 5, 6, 7, 7, 1, 2};
    for (int i = 0; i < 10; ++i) {
        window->onTimerRefresh();
        EXPECT_EQ(label->text(), head + QString(expected[i], '.') + tail) << "tick " << i;
    }
}

TEST_F(MainWindowTest, DraggingFollowsTheLeftButtonOnly)
{
    openWindow();
    window->move(100, 100);
    QApplication::processEvents();
    const QPoint start = window->pos();
    const auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, window->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    };

    send(QEvent::MouseButtonPress, start + QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(150, 40), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(100, 30));
    send(QEvent::MouseButtonRelease, start + QPoint(150, 40), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = window->pos();

    // After the release a move does nothing, nor does a right-button drag
    // or a press of left and right together.
    send(QEvent::MouseMove, dropped + QPoint(80, 80), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window->pos(), dropped);
    send(QEvent::MouseButtonPress, dropped + QPoint(10, 10), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, dropped + QPoint(90, 90), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(window->pos(), dropped);
    send(QEvent::MouseButtonRelease, dropped, Qt::RightButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, dropped + QPoint(10, 10), Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
    send(QEvent::MouseMove, dropped + QPoint(90, 90), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window->pos(), dropped);
}

TEST_F(MainWindowTest, TitleBarButtons)
{
    openWindow();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    child<QToolButton>("btnThemeFunHelp")->click();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0],
              QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Help/TORV_FW_Manual_EN.pdf"));
    EXPECT_TRUE(catcher.urls[0].toString().startsWith("file:///"));

    FileDialogAnswerer files;  // cancels the save dialog
    child<QToolButton>("btnThemeFunGenRep")->click();
    EXPECT_TRUE(log.contains("MainWindow::onExportFile"));
    EXPECT_EQ(files.count(), 1);

    // About: modal, and shown again after it was closed.
    auto *about = window->findChild<QDialog *>("CAboutForm");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->isVisible());
    child<QToolButton>("btnThemeFunAbout")->click();
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    about->close();
    child<QToolButton>("btnThemeFunAbout")->click();
    EXPECT_TRUE(about->isVisible());
    about->close();

    child<QToolButton>("btnWinCtrlMin")->click();
    EXPECT_TRUE(window->isMinimized());
    window->showNormal();

    ASSERT_TRUE(window->isVisible());
    child<QToolButton>("btnWinCtrlClose")->click();
    EXPECT_FALSE(window->isVisible());
}

// The operator's language menu: every text of the window, of the About box
// and of the boxes it shows next (the report offer too) changes at once, on
// the page the window is on, and the choice is kept for the next start; the
// log stays English.
TEST_F(MainWindowTest, LanguageMenuSwitchesEveryTextAtOnceAndKeepsTheChoice)
{
    QFile::remove(CLanguageSettings::operatorStore());
    openWindow();
    auto *title = child<QLabel>("lblMainTitle");
    auto *start = child<QPushButton>("btnWelcomStart");
    ASSERT_EQ(title->text(), "Welcome to AIS Firmware Upgrade");
    ASSERT_EQ(start->text(), "Start ");

    auto *menu = child<QToolButton>("btnThemeFunLanguage");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), "EN");
    QAction *pseudo = nullptr;
    for (QAction *action : menu->menu()->actions())
        pseudo = action->data().toString() == "en_XA" ? action : pseudo;
    ASSERT_NE(pseudo, nullptr);
    pseudo->trigger();
    QApplication::processEvents();

    EXPECT_TRUE(title->text().startsWith("[")) << title->text().toStdString();
    EXPECT_TRUE(start->text().startsWith("[")) << start->text().toStdString();
    EXPECT_TRUE(child<QLabel>("lblWelcomeSubNoteTitle1")->text().startsWith("["));
    auto *about = window->findChild<QDialog *>("CAboutForm");
    EXPECT_TRUE(about->findChild<QPushButton *>("btnClose")->text().startsWith("["));
    EXPECT_TRUE(about->windowTitle().startsWith("[")) << about->windowTitle().toStdString();
    EXPECT_EQ(menu->text(), "EN");
    EXPECT_TRUE(menu->toolTip().startsWith("[")) << menu->toolTip().toStdString();
    EXPECT_EQ(CLanguageSettings().operatorChoice(), "en_XA");
    EXPECT_TRUE(log.contains("Language en_XA chosen"));

    window->showMsg(0, "box");
    ASSERT_TRUE(answerer.waitForCount(1));
    EXPECT_TRUE(answerer.last().title.startsWith("[")) << answerer.last().title.toStdString();
    answerer.queueAnswer(QMessageBox::No);
    window->msgBoxGenLog("");
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_TRUE(answerer.last().title.startsWith("[")) << "report offer: " << answerer.last().title.toStdString();

    // Back to English, as the menu leaves it for the other tests.
    for (QAction *action : menu->menu()->actions()) {
        if (action->data().toString() == "en")
            action->trigger();
    }
    QApplication::processEvents();
    EXPECT_EQ(title->text(), "Welcome to AIS Firmware Upgrade");
    EXPECT_EQ(CLanguageSettings().operatorChoice(), "en");
    QFile::remove(CLanguageSettings::operatorStore());
}

int main(int argc, char **argv)
{
    // The operator's stored language goes to a folder of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

