#include "app/MainWindow.h"

#include "ui_mainwindow.h"

#include "app/AppConstants.h"
#include "app/CCopyWatch.h"
#include "app/CFirmwareConfirm.h"
#include "app/CLanguageMenu.h"
#include "app/CLanguageSettings.h"
#include "app/CLanguageSwitch.h"
#include "app/ReportText.h"
#include "app/VolumeListing.h"
#include "app/mainwindowView.h"
#include "device/CCommSpacesManage.h"
#include "log/AppPaths.h"
#include "log/SysDebug.h"
#include "log/SysLog.h"
#include "transfer/CFirmwareImageCheck.h"
#include "transfer/CMSDManipulate.h"
#include "transfer/FwVersion.h"
#include "ui/CAboutForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSignalMapper>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>
#include <QUrl>

#include <optional>
#include <utility>

namespace {
constexpr int kRefreshMs = 1000;
constexpr int kInitRetries = 3;
}  // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_poUi(std::make_unique<Ui::MainWindow>())
{
    // The texts below are built in the language installed now (English
    // unless the program's start chose another).
    CLanguageSwitch::instance().ensureApplied();
    m_poUi->setupUi(this);
    setFixedSize(600, 500);
    m_bDragEnable = true;

    m_poCommSpacesManage = new CCommSpacesManage(this);
    m_poView = std::make_unique<mainwindowView>(m_poUi.get(), &m_poCommSpacesManage->m_oDevComm);
    m_poView->setFirmwareDir(kFirmwareDir.toStdString());
    m_poMSDManipulate = new CMSDManipulate(this);
    m_poFirmwareConfirm = new CFirmwareConfirm(m_poCommSpacesManage, m_poMSDManipulate, this);
    m_poCopyWatch = new CCopyWatch(m_poMSDManipulate, m_poView->texts(), this);

    if (!m_poAboutForm) {
        m_poAboutForm = new CAboutForm(this);
        m_poAboutForm->applyTheme();
    }
    m_poAboutForm->setTitle(m_poView->text(18));
    m_poLanguageMenu = new CLanguageMenu(m_poUi->wgFormBorder, m_poUi->wgThemeFunGenRep, CLanguageSwitch::shipped());
    m_poLanguageMenu->setParent(this);
    m_poLanguageMenu->setCurrent(CLanguageSwitch::instance().current());

    m_poCommSpacesManage->initCommSpaceTh();
    connectSignals();
    m_oRefreshTimer.start(kRefreshMs);
}

void MainWindow::onLanguageChosen(const QString &strCode)
{
    const char *fun = "MainWindow::onLanguageChosen";
    if (!CLanguageSwitch::instance().apply(strCode))
        return;
    // The widgets follow with the LanguageChange event; the choice holds for
    // the next start too.
    const bool stored = CLanguageSettings().setOperatorChoice(strCode);
    AIS_LOG(SysLevel::Action, fun, "Language %s chosen%s", strCode.toUtf8().constData(),
            stored ? "" : " (not stored)");
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_poView)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslate()
{
    m_poUi->retranslateUi(this);
    m_poView->retranslate();
    m_oRegistry.retranslate();
    m_poAboutForm->setTitle(m_poView->text(18));
    m_poLanguageMenu->setCurrent(CLanguageSwitch::instance().current());
}

void MainWindow::connectSignals()
{
    connect(&m_oRefreshTimer, SIGNAL(timeout()), this, SLOT(onTimerRefresh()));
    connect(m_poUi->btnWinCtrlClose, SIGNAL(clicked(bool)), this, SLOT(onClose()));
    connect(m_poUi->btnWinCtrlMin, SIGNAL(clicked(bool)), this, SLOT(showMinimized()));
    connect(m_poUi->btnThemeFunGenRep, SIGNAL(clicked(bool)), this, SLOT(onExportFile()));
    connect(m_poUi->btnThemeFunAbout, SIGNAL(clicked()), this, SLOT(onAboutClick()));
    connect(m_poUi->btnThemeFunHelp, &QAbstractButton::clicked, this, &MainWindow::onHelpClick);

    auto *mapper = new QSignalMapper(this);
    connect(mapper, SIGNAL(mapped(int)), this, SLOT(onMenuItemClick(int)));
    const std::pair<QAbstractButton *, int> pages[] = {
        {m_poUi->btnWelcomStart, FIRM_UPGRADE_F_START_CONFIRM},
        {m_poUi->btnInfoNext, FIRM_UPGRADE_F_START_PROGRESS},
        {m_poUi->btnInfoBack, FIRM_UPGRADE_F_RESET},
        {m_poUi->btnCopyProgressFinish, FIRM_UPGRADE_F_RESET},
    };
    for (const auto &page : pages) {
        connect(page.first, SIGNAL(clicked()), mapper, SLOT(map()));
        mapper->setMapping(page.first, page.second);
    }

    connect(m_poCommSpacesManage, SIGNAL(signalCommConnted(COMM::CCommData *)), this, SLOT(onCommConnted()));
    connect(m_poCommSpacesManage, SIGNAL(signalCommDataDeleted()), this, SLOT(onCommDeleted()));
    connect(&m_poCommSpacesManage->m_oDevComm, SIGNAL(signalAISDevCheckResult(bool)), this,
            SLOT(onAISDevCheckResult(bool)));
    connect(this, SIGNAL(signalSerialDevEnd()), this, SLOT(onSerialDevEnd()));
    connect(m_poMSDManipulate, SIGNAL(signalDevChecked()), this, SLOT(onMSDDevChecked()));
    connect(m_poMSDManipulate, SIGNAL(signalTransResult(bool)), this, SLOT(onTransResult(bool)));
    connect(m_poFirmwareConfirm, &CFirmwareConfirm::signalOutcome, this, &MainWindow::showFirmwareConfirmed);
    connect(m_poCopyWatch, &CCopyWatch::signalVerdict, this, &MainWindow::onCopyVerdict);
    connect(m_poLanguageMenu, &CLanguageMenu::signalLanguageChosen, this, &MainWindow::onLanguageChosen);
}

void MainWindow::disconnectWorkers()
{
    if (m_poCommSpacesManage) {
        disconnect(m_poCommSpacesManage, nullptr, this, nullptr);
        disconnect(&m_poCommSpacesManage->m_oDevComm, nullptr, this, nullptr);
    }
    if (m_poMSDManipulate)
        disconnect(m_poMSDManipulate, nullptr, this, nullptr);
    if (m_poFirmwareConfirm) {
        m_poFirmwareConfirm->stop();
        disconnect(m_poFirmwareConfirm, nullptr, this, nullptr);
    }
    // Slot calls the communication thread queued before the disconnection.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

MainWindow::~MainWindow()
{
    const char *fun = "MainWindow::~MainWindow";
    AIS_LOG(SysLevel::Leave, fun, "Name:%s Start", "MainWindow");
    // Ending the communication space and handing the host back process
    // events: no tick, worker signal or click may reach the window meanwhile.
    m_oRefreshTimer.stop();
    disconnectWorkers();
    // The host is given back and the workers torn down only once the copy
    // thread no longer writes to the device.
    if (m_poMSDManipulate && m_poMSDManipulate->isRunning()) {
        AIS_LOG(SysLevel::Info, fun, "Wait for the copy to finish");
        m_poMSDManipulate->wait();
    }
    hide();

    // The communication thread must be gone before the workers it signals.
    if (m_poCommSpacesManage)
        m_poCommSpacesManage->end();
    handBackSystem();
    delete m_poMSDManipulate;
    m_poMSDManipulate = nullptr;
    m_poView.reset();
    delete m_poAboutForm;
    m_poAboutForm = nullptr;
    m_poUi.reset();
    AIS_LOG(SysLevel::Leave, fun, "Name:%s End", "MainWindow");
}

bool MainWindow::sysInit()
{
    const char *fun = "MainWindow::sysInit";
    if (m_oRegistry.checkWinOsVer()) {
        // The waits below process events: a close waits for the end of the
        // check (closeEvent), the title-bar functions do nothing meanwhile.
        m_bSysInitRunning = true;
        showSysInitPage(true);
        repaint();

        // An earlier run that crashed or was killed left the host changed:
        // give it back from that run's record before recording it afresh.
        // A copy of the program that is still running keeps its record.
        const bool bOwnRecord = m_oSysSnapshotFile.claim();
        if (bOwnRecord) {
            if (const std::optional<SysSvcInfo> earlier = m_oSysSnapshotFile.load()) {
                AIS_LOG(SysLevel::Info, fun, "Hand back services and registry status recorded by an earlier run");
                m_stSysStatusBefore = *earlier;
                m_bSysStatusRecorded = true;
                handBackSystem();
            }
        }

        AIS_LOG(SysLevel::Info, fun, "Record current services and registry status");
        m_stSysStatusBefore = m_oRegistry.querySysSvcInfo();
        m_bSysStatusRecorded = true;
        // On disk before anything is changed; without it a run that never
        // reaches its hand-back would leave the host changed for good.
        if (bOwnRecord)
            m_oSysSnapshotFile.save(m_stSysStatusBefore);

        const bool bInitOk = !m_bCloseRequested && initSystemStatusWithRetries();
        m_bSysInitRunning = false;
        if (m_bCloseRequested) {
            // The program ends here; the destructor hands the host back.
            AIS_LOG(SysLevel::Info, fun, "Window closed during system initialization");
            return false;
        }
        if (!bInitOk) {
            AIS_LOG(SysLevel::Info, fun, "Init system status time out !");
            m_poView->showMsgBox(this, 0, m_oRegistry.texts().text(22));
            msgBoxGenLog("");
            return false;
        }
        showSysInitPage(false);
    }
    AIS_LOG(SysLevel::Info, fun, "Record modified services and registry status ");
    m_stSysStatusAfter = m_oRegistry.querySysSvcInfo();
    m_iWinOsVer = m_oRegistry.winOsVer;
    return true;
}

bool MainWindow::initSystemStatusWithRetries()
{
    int unchecked = 0;
    bool ok = m_oRegistry.initSystemStatus();
    // After a close request no more retries: the program ends.
    while (!ok && !m_bCloseRequested) {
        m_oRegistry.initSystemStatus();
        if (++unchecked == kInitRetries || m_bCloseRequested)
            return false;
        ok = m_oRegistry.initSystemStatus();
    }
    return ok;
}

void MainWindow::handBackSystem()
{
    if (!m_oRegistry.checkWinOsVer())
        return;
    // Without a recorded start there is nothing to give back; guessing would
    // change the user's system.
    if (!m_bSysStatusRecorded)
        return;
    m_oRegistry.restoreRegValue("WSearch", m_stSysStatusBefore.wsearchReg);
    m_oRegistry.restoreRegValue("StorSvc", m_stSysStatusBefore.storageReg);
    m_oRegistry.enableService("StorSvc", m_stSysStatusBefore.storageService == 4);
    m_oRegistry.enableService("WSearch", m_stSysStatusBefore.wsearchService == 4);
    m_oRegistry.enableService("ShellHWDetection", m_stSysStatusBefore.shellHWDetectionService == 4);
    m_oRegistry.enableService("BDESVC", m_stSysStatusBefore.bitLockerService == 4);
    // Given back: a later start has nothing to undo.
    if (m_oSysSnapshotFile.isClaimed())
        m_oSysSnapshotFile.remove();
}

void MainWindow::msgBoxGenLog(QString detail)
{
    QString text = m_poView->text(29);
    if (!detail.isEmpty())
        text = detail + "\r\n" + text;
    AIS_LOG(SysLevel::Action, "MainWindow::msgBoxGenLog", "Show generate log msgbox");
    // No is the default: Enter or Escape must not start an export.
    const auto answer = QMessageBox::information(this, m_poView->text(4), text,
                                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        onExportFile();
}

void MainWindow::showSysInitPage(bool on)
{
    if (on) {
        m_poUi->btnWelcomStart->hide();
        m_poUi->wgWelcomeMainNote->hide();
        m_poUi->wgWelcomeSubNoteTitle->hide();
        m_poView->showMsgBox(this, 0, m_poView->text(24));
        m_poUi->lblWelcomeSystmInit->show();
    } else {
        m_poUi->btnWelcomStart->show();
        m_poUi->wgWelcomeMainNote->show();
        m_poUi->wgWelcomeSubNoteTitle->show();
        m_poUi->lblWelcomeSystmInit->hide();
    }
}

void MainWindow::onClose()
{
    // closeEvent stops the refresh timer once the close is accepted.
    close();
}

bool MainWindow::isCloseDeferred() const
{
    return m_bSysInitRunning || (m_poMSDManipulate && m_poMSDManipulate->isRunning());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (isCloseDeferred()) {
        // Carried out when sysInit returns or when the copy's result comes.
        event->ignore();
        if (!m_bCloseRequested)
            AIS_LOG(SysLevel::Info, "MainWindow::closeEvent",
                    m_bSysInitRunning ? "Close after system initialization" : "Close after copy");
        m_bCloseRequested = true;
        // The operator must not take the program for ended while it writes.
        if (!m_bSysInitRunning) {
            m_poView->setTransProgress(false);
            m_poView->showPage(2);
        }
        return;
    }
    m_oRefreshTimer.stop();
    QMainWindow::closeEvent(event);
}

bool MainWindow::refusedDuringSysInit(const char *fun) const
{
    if (m_bSysInitRunning)
        AIS_LOG(SysLevel::Info, fun, "Ignored during system initialization");
    return m_bSysInitRunning;
}

void MainWindow::onHelpClick()
{
    if (refusedDuringSysInit("MainWindow::onHelpClick"))
        return;
    const QString helpDir = AppPaths::appDir() + "Help/";
    // The manual in the operator's language where there is one, else English.
    QString manual = manualFileOf(CLanguageSwitch::instance().current());
    if (!QFileInfo::exists(helpDir + manual))
        manual = kManualFile;
    // fromLocalFile gives "file:///C:/..." on Windows and does not double
    // the slash before an absolute POSIX path.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString("%1%2").arg(helpDir, manual)));
}

void MainWindow::onAboutClick()
{
    if (refusedDuringSysInit("MainWindow::onAboutClick"))
        return;
    m_poAboutForm->setModal(true);
    m_poAboutForm->show();
}

void MainWindow::onMenuItemClick(int itabWgPage)
{
    mainPageControl(itabWgPage);
}

// ---- workflow ----------------------------------------------------------

namespace {
const char *stateName(int state)
{
    switch (state) {
    case FIRM_UPGRADE_S_CHECK_AIS_STATUS: return "FIRM_UPGRADE_S_CHECK_AIS_STATUS";
    case FIRM_UPGRADE_S_CONNT_SERIAL_DEV: return "FIRM_UPGRADE_S_CONNT_SERIAL_DEV";
    case FIRM_UPGRADE_S_CHECK_AISDEV: return "FIRM_UPGRADE_S_CHECK_AISDEV";
    case FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER: return "FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER";
    case FIRM_UPGRADE_S_CHECK_MSDDEV: return "FIRM_UPGRADE_S_CHECK_MSDDEV";
    case FIRM_UPGRADE_S_MSDDEV_READY: return "FIRM_UPGRADE_S_MSDDEV_READY";
    case FIRM_UPGRADE_S_TRANS_MSD_PROCESS: return "FIRM_UPGRADE_S_TRANS_MSD_PROCESS";
    default: return "";
    }
}

const char *commandName(int command)
{
    switch (command) {
    case FIRM_UPGRADE_F_RESET: return "FIRM_UPGRADE_F_RESET";
    case FIRM_UPGRADE_F_START_CONFIRM: return "FIRM_UPGRADE_F_START_CONFIRM";
    case FIRM_UPGRADE_F_START_PROGRESS: return "FIRM_UPGRADE_F_START_PROGRESS";
    default: return nullptr;
    }
}

constexpr int kMsdSettleMs = 200;
}  // namespace

void MainWindow::frimwareUpgradeProc(int state)
{
    m_iUpgradeState = state;
    if (state < FIRM_UPGRADE_S_CHECK_AIS_STATUS || state > FIRM_UPGRADE_S_TRANS_MSD_PROCESS)
        return;
    AIS_LOG(SysLevel::Info, "MainWindow::frimwareUpgradeProc", "Frimware Upgrade Proc: %s", stateName(state));

    switch (state) {
    case FIRM_UPGRADE_S_CHECK_AIS_STATUS: {
        const int where = checkAISStatus();
        if (where == 1) {
            frimwareUpgradeProc(FIRM_UPGRADE_S_CONNT_SERIAL_DEV);
        } else if (where == 2) {
            showDevCheckResult(true, 2);
        } else {
            frimwareUpgradeProc(0);
            showDevCheckResult(false, 0);
        }
        break;
    }
    case FIRM_UPGRADE_S_CONNT_SERIAL_DEV:
        m_poCommSpacesManage->conntPolledDev();
        break;
    case FIRM_UPGRADE_S_CHECK_AISDEV:
        m_poCommSpacesManage->checkPolledDev();
        break;
    case FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER:
        m_poCommSpacesManage->sendDevCommand(CCommandHandle::getCommand(1));
        frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_MSDDEV);
        break;
    case FIRM_UPGRADE_S_CHECK_MSDDEV:
        m_poMSDManipulate->setMsdName(kMsdName);
        m_poMSDManipulate->startFindTimer();
        break;
    case FIRM_UPGRADE_S_MSDDEV_READY:
        m_poMSDManipulate->setBinName(kBinName);
        m_poMSDManipulate->setBinDir(kFirmwareDir.toStdString());
        frimwareUpgradeProc(FIRM_UPGRADE_S_TRANS_MSD_PROCESS);
        break;
    case FIRM_UPGRADE_S_TRANS_MSD_PROCESS:
        m_poMSDManipulate->setOsVerCode(m_iWinOsVer);
        if (m_poMSDManipulate->startCopy())
            m_poCopyWatch->copyStarted();
        break;
    default: break;
    }
}

int MainWindow::checkAISStatus()
{
    if (m_poCommSpacesManage->pollingDevName())
        return 1;
    m_poMSDManipulate->setMsdName(kMsdName);
    return m_poMSDManipulate->findDev() ? 2 : 0;
}

int MainWindow::mainPageControl(int command)
{
    const char *fun = "MainWindow::mainPageControl";
    const char *name = commandName(command);
    if (!name)
        return 0;
    AIS_LOG(SysLevel::Info, fun, "mainPageControl: %s", name);

    switch (command) {
    case FIRM_UPGRADE_F_RESET:
        resetUpgrade();
        frimwareUpgradeProc(0);
        m_poView->showPage(0);
        break;
    case FIRM_UPGRADE_F_START_CONFIRM:
        // The watch of the last upgrade still ends its connection or check.
        if (m_poCommSpacesManage->isCommDeleting() || m_poFirmwareConfirm->ownsLink())
            AIS_LOG(SysLevel::Info, fun, "Serial port is disconnectiong");
        else if (m_iUpgradeState != 0)
            AIS_LOG(SysLevel::Info, fun, "Serial port is connected by other application");
        else
            frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_AIS_STATUS);
        break;
    case FIRM_UPGRADE_F_START_PROGRESS: {
        // A copy abandoned at its time-out may still hang on the device.
        if (m_poCopyWatch->isAbandonedCopyRunning()) {
            AIS_LOG(SysLevel::Warning, fun, "Earlier copy still running");
            showMsg(0, m_poCopyWatch->copyNote());
            break;
        }
        m_poView->setTransProgress(false);
        const bool identified = m_poCommSpacesManage->m_oDevComm.m_bDevChecked;
        const bool bin = m_poView->isBinFileExist;
        int target = 0;
        if (identified && bin) {
            target = FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER;
        } else if (m_poMSDManipulate->m_bMsdFound) {
            if (bin && m_poMSDManipulate->getMsdVolume().bReadyFile) {
                target = FIRM_UPGRADE_S_MSDDEV_READY;
            } else {
                if (!bin)
                    AIS_LOG(SysLevel::Warning, fun, "Can't find csv file");
                updateTransProgressDisp(false);
            }
        } else if (bin) {
            AIS_LOG(SysLevel::Warning, fun, "Trans Fail: Not in Serial or MSD");
        } else {
            AIS_LOG(SysLevel::Warning, fun, "Can't find csv file");
            updateTransProgressDisp(false);
        }

        // A bootloader command or a copy that cannot succeed would leave the
        // device in its bootloader: the image is checked first.
        if (target != 0 && !imageUsable(target == FIRM_UPGRADE_S_MSDDEV_READY))
            target = 0;
        if (target != 0) {
            m_poFirmwareConfirm->expect(QString::fromStdString(m_poView->getBinVer(kFirmwareDir.toStdString())));
            AIS_LOG(SysLevel::Info, fun, "Trans timeout start");
            m_poCopyWatch->start();
            frimwareUpgradeProc(target);
            m_poView->showPage(2);
        } else {
            resetUpgrade();
            frimwareUpgradeProc(0);
            m_poView->showPage(0);
        }
        break;
    }
    default: break;
    }
    return 0;
}

void MainWindow::onAISDevCheckResult(bool bAISChecked)
{
    if (m_poFirmwareConfirm->ownsLink()) {
        m_poFirmwareConfirm->onAISDevCheckResult(bAISChecked);
        return;
    }
    int mode = 1;
    if (!bAISChecked) {
        frimwareUpgradeProc(0);
        m_poCommSpacesManage->deletePolledDev();
        mode = 0;
    }
    if (m_bLastAISCheck && bAISChecked) {
        AIS_LOG(SysLevel::Info, "MainWindow::onAISDevCheckResult", "Repeat paser sentence");
        return;
    }
    m_bLastAISCheck = bAISChecked;
    showDevCheckResult(bAISChecked, mode);
}

void MainWindow::showDevCheckResult(bool found, int mode)
{
    if (found) {
        m_poView->showDevInfo(mode);
        checkVersionPolicy(mode);
    } else {
        showMsg(0, m_poView->text(5));
    }
}

void MainWindow::checkVersionPolicy(int mode)
{
    m_poUi->btnInfoBack->show();
    m_poUi->btnInfoNext->show();
    if (mode == 0)
        return;
    const std::string fw = m_poView->getBinVer(kFirmwareDir.toStdString());
    // No package: there is nothing to compare with (an empty version would
    // read as the lowest and close the program); Next reports the missing file.
    if (mode != 1 || fw.empty())
        return;

    const FwVersion dev = parseVersion(m_poCommSpacesManage->m_oDevComm.verInfo().szFwVersion);
    const FwVersion file = parseVersion(fw.c_str());
    if (!isVersionNewer(dev, file))
        return;
    if (isVersionNewer(file, parseVersion(CompatFloorVersion))) {
        showMsg(2, m_poView->text(30));
        return;
    }
    m_poUi->btnInfoBack->hide();
    m_poUi->btnInfoNext->hide();
    showMsg(2, m_poView->text(31));
    close();
}

void MainWindow::resetUpgrade()
{
    m_poFirmwareConfirm->stop();
    m_poCommSpacesManage->deletePolledDev();
    m_poMSDManipulate->resetFlags();
    m_poCopyWatch->clear();
    m_poView->isBinFileExist = false;
    m_poView->strCsvPath.clear();
    m_bLastAISCheck = false;
}

void MainWindow::showMsg(int kind, QString text)
{
    m_poView->showMsgBox(this, kind, text);
}

bool MainWindow::imageUsable(bool bVolumeMounted)
{
    const int64_t bytesFree = bVolumeMounted ? m_poMSDManipulate->volumeBytesFree() : -1;
    const CFirmwareImageCheck::Result result =
        CFirmwareImageCheck::check(CMSDManipulate::sourcePath(kFirmwareDir.toStdString(), kBinName), bytesFree);
    if (!result.ok())
        showMsg(3, m_poView->imageProblemText(result));
    return result.ok();
}

void MainWindow::showFirmwareConfirmed(int iOutcome, const QString &strRunning)
{
    // Once the outcome is known, the result text no longer asks for the power cycle.
    switch (iOutcome) {
    case CFirmwareConfirm::Confirmed:
        m_poView->setResultNote(CUpgradeTexts::UpgradeComplete);
        m_poView->showConfirmNote(CUpgradeTexts::ConfirmDone, strRunning);
        break;
    case CFirmwareConfirm::NotSeen:
        m_poView->setResultNote(CUpgradeTexts::CopyComplete);
        m_poView->showConfirmNote(CUpgradeTexts::ConfirmNotSeen);
        break;
    default:
        // Not taken: a failed upgrade, with the report offer and the welcome
        // page on the next tick.
        m_poView->showConfirmNote(-1);
        showMsg(2, iOutcome == CFirmwareConfirm::OldFirmware
                       ? m_poView->text(CUpgradeTexts::ConfirmOldFirmware).arg(strRunning)
                       : m_poView->text(CUpgradeTexts::ConfirmBootloader));
        m_bGenLogPending = true;
        break;
    }
}

void MainWindow::onCommDeleted()
{
    AIS_LOG(SysLevel::Info, "MainWindow::onCommDeleted", "Comm Deleted");
    if (m_poFirmwareConfirm->ownsLink()) {
        m_poFirmwareConfirm->onCommDeleted();
        return;
    }
    // While this attempt's connect request still waits, the removal was an
    // earlier link's (Back, a reset): its notice can arrive after Start.
    if (m_iUpgradeState == FIRM_UPGRADE_S_CONNT_SERIAL_DEV && !m_poCommSpacesManage->isCommConnecting()) {
        frimwareUpgradeProc(0);
        showMsg(0, m_poView->text(5));
    }
}

void MainWindow::onCommConnted()
{
    AIS_LOG(SysLevel::Info, "MainWindow::onCommConnted", "Connected");
    if (m_poFirmwareConfirm->ownsLink()) {
        m_poFirmwareConfirm->onCommConnted();
        return;
    }
    frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_AISDEV);
}

void MainWindow::onSerialDevEnd()
{
    if (m_iUpgradeState == FIRM_UPGRADE_S_CHECK_AIS_STATUS)
        frimwareUpgradeProc(FIRM_UPGRADE_S_CHECK_MSDDEV);
}

void MainWindow::onMSDDevChecked()
{
    m_poCommSpacesManage->deletePolledDev();
    // Lets the serial side of the device settle before the volume is written.
    QThread::msleep(kMsdSettleMs);
    frimwareUpgradeProc(FIRM_UPGRADE_S_MSDDEV_READY);
}

void MainWindow::onTransResult(bool bTransSuccess)
{
    const bool bCounts = m_poCopyWatch->copyEnded(bTransSuccess);
    if (bCounts)
        AIS_LOG(SysLevel::Info, "MainWindow::onTransResult", bTransSuccess ? "Trans Success" : "Trans Fail");
    if (m_bCloseRequested) {
        close();
        return;
    }
    if (!bCounts)
        return;
    if (!bTransSuccess) {
        frimwareUpgradeProc(0);
        m_poView->showPage(0);
    }
    m_poCopyWatch->clear();
    updateTransProgressDisp(bTransSuccess);
    if (bTransSuccess) {
        m_poView->showConfirmNote(CUpgradeTexts::ConfirmWaiting);
        m_poFirmwareConfirm->start();
    }
}

void MainWindow::updateTransProgressDisp(bool bTransSuccess)
{
    const char *fun = "MainWindow::updateTransProgressDisp";
    m_poView->setTransProgress(bTransSuccess);
    if (bTransSuccess)
        return;

    const bool isSerialDevChecked = m_poCommSpacesManage->m_oDevComm.m_bDevChecked;
    const bool isMSDChecked = m_poMSDManipulate->m_bMsdFound;
    const bool isBinFileExist = m_poView->isBinFileExist;
    const bool isReadyFileExist = m_poMSDManipulate->getMsdVolume().bReadyFile;
    const bool isTransSuccess = m_poMSDManipulate->m_bTransResult;

    int kind = 3;
    QString message = m_poView->text(5);
    if (!isSerialDevChecked && !isMSDChecked) {
        AIS_LOG(SysLevel::Info, fun, "Can't find serial dev and MSD dev");
    } else if (isMSDChecked && !isReadyFileExist) {
        message = m_poView->text(7);
        AIS_LOG(SysLevel::Info, fun, "Can't find ready file in MSD");
    } else if (!isBinFileExist) {
        message = m_poView->text(8);
        AIS_LOG(SysLevel::Info, fun, "Can't read csv file under %s ", m_poView->strCsvPath.c_str());
    } else if (!isTransSuccess) {
        kind = 2;
        message = m_poView->text(7);
        AIS_LOG(SysLevel::Info, fun, "Copy file fail");
    }
    AIS_LOG(SysLevel::Info, fun,
            "Show MsgBox: isSerialDevChecked=%d, isMSDChecked=%d, isBinFileExist=%d, isReadyFileExist=%d, "
            "isTransSuccess=%d",
            isSerialDevChecked ? 1 : 0, isMSDChecked ? 1 : 0, isBinFileExist ? 1 : 0, isReadyFileExist ? 1 : 0,
            isTransSuccess ? 1 : 0);
    showMsg(kind, message);
    m_bGenLogPending = true;
}

void MainWindow::onTimerRefresh()
{
    // Copy note: shown for four ticks, blank for one; after the time-out the
    // watch's note instead, steadily.
    m_poView->setCopyNote(m_poCopyWatch->copyNote());
    if (m_iCopyNoteCount > 3) {
        m_poView->blinkCopyNote(false);
        m_iCopyNoteCount = 0;
    } else {
        m_poView->blinkCopyNote(true);
        ++m_iCopyNoteCount;
    }

    // Initialisation dots: 1 to 7, one tick unchanged, then 1 again.
    const int dots = m_iInitDotsCount % 8;
    if (dots == 0) {
        m_iInitDotsCount = 1;
    } else {
        m_poView->showInitDots(dots);
        ++m_iInitDotsCount;
    }

    m_poCopyWatch->tick();

    // An export in progress ends first: the offer waits for a later tick.
    if (m_bGenLogPending && !m_bExporting) {
        m_bGenLogPending = false;
        msgBoxGenLog("");
        AIS_LOG(SysLevel::Info, "MainWindow::mainPageControl", "mainPageControl: FIRM_UPGRADE_F_RESET");
        resetUpgrade();
        frimwareUpgradeProc(0);
        m_poView->showPage(0);
    }
}

void MainWindow::onCopyVerdict(int iVerdict, const QString &strText)
{
    m_poView->setCopyNote(m_poCopyWatch->copyNote());
    showMsg(0, strText);
    if (iVerdict != CCopyWatch::StillRunning)
        m_bGenLogPending = true;
}

// ---- report ------------------------------------------------------------

QString MainWindow::volumeListing()
{
    return VolumeListing::ofVolume(QString::fromStdString(m_poMSDManipulate->strMsdPath));
}

void MainWindow::onExportFile()
{
    const char *fun = "MainWindow::onExportFile";
    if (refusedDuringSysInit(fun))
        return;
    // The listing's wait and the save dialog process events.
    if (m_bExporting) {
        AIS_LOG(SysLevel::Info, fun, "Export already running");
        return;
    }
    m_bExporting = true;
    const auto exportDone = qScopeGuard([this] { m_bExporting = false; });
    const int where = checkAISStatus();
    AIS_LOG(SysLevel::Info, fun, "Export File");

    QString listing;
    if (where == 2) {
        listing = volumeListing();
        AIS_LOG(SysLevel::Info, fun, "output = %s", listing.toUtf8().constData());
    }
    // Lines of an earlier export that wrote nothing come first: they are older.
    const QString debugText = std::exchange(m_strHeldDebugText, QString()) + SysDebug::instance()->takeRecentLog();

    const QString suggested = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/FW_Log";
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Log"), suggested, tr("Log File(*.txt)"));
    // Taken from the logger, the lines would be lost with a report that was
    // not written: the next export gets them.
    if (fileName.isEmpty()) {
        m_strHeldDebugText = debugText;
        return;
    }

    // Written beside the target and put in its place only when complete: a
    // full disk must neither leave a torn report nor destroy an earlier one.
    bool written = false;
    QSaveFile file(fileName);
    // Binary mode: the text already carries CR LF, and text mode would turn
    // each into CR CR LF on Windows. Unbuffered, so that a failed write is
    // seen by the commit rather than lost in the device's own buffer.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        QTextStream out(&file);
        out << ReportText::withCrLf(
            m_poView->buildReport(m_stSysStatusAfter, listing, debugText, SysDebug::instance()->logFileProblem()));
        out.flush();
        if (file.commit())
            written = true;
        else
            AIS_LOG(SysLevel::Warning, fun, "Write report file fail: %s", file.errorString().toUtf8().constData());
    }
    if (!written)
        m_strHeldDebugText = debugText;
    AIS_LOG(SysLevel::Info, fun, "Export file finish");
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (m_bDragEnable && event->buttons() == Qt::LeftButton) {
        m_oDragOffset = event->globalPos() - frameGeometry().topLeft();
        m_bDragging = true;
        event->accept();
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_bDragging = false;
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging && event->buttons() != Qt::NoButton) {
        move(event->globalPos() - m_oDragOffset);
        event->accept();
    }
    QMainWindow::mouseMoveEvent(event);
}
