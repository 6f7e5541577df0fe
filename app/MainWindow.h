#pragma once

#include "device/CCommandHandle.h"
#include "sysprep/CRegistryManipulation.h"
#include "sysprep/SysSnapshotFile.h"
#include "sysprep/SysSvcInfo.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <memory>

class QCloseEvent;
class QMouseEvent;
class CAboutForm;
class CCommSpacesManage;
class CCopyWatch;
class CFirmwareConfirm;
class CLanguageMenu;
class CMSDManipulate;
class mainwindowView;
namespace Ui {
class MainWindow;
}

// Upgrade states, entered by frimwareUpgradeProc.
enum {
    FIRM_UPGRADE_S_CHECK_AIS_STATUS = 1,
    FIRM_UPGRADE_S_CONNT_SERIAL_DEV = 2,
    FIRM_UPGRADE_S_CHECK_AISDEV = 3,
    FIRM_UPGRADE_S_AISDEV_SWITCH_TO_BOOTLOADER = 4,
    FIRM_UPGRADE_S_CHECK_MSDDEV = 5,
    FIRM_UPGRADE_S_MSDDEV_READY = 6,
    FIRM_UPGRADE_S_TRANS_MSD_PROCESS = 7,
};

// Page-control commands of the wizard's buttons.
enum {
    FIRM_UPGRADE_F_RESET = 0,
    FIRM_UPGRADE_F_START_CONFIRM = 1,
    FIRM_UPGRADE_F_START_PROGRESS = 2,
};

// The wizard's frameless main window. It prepares the host system before the
// event loop runs (sysInit), drives the upgrade as a state machine from the
// buttons and its workers' signals, and hands the host system back when it is
// destroyed. Everything here runs on the GUI thread.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Records the watched services and, on Windows 8 and later, stops and
    // disables them; false when that could not be done or the window was
    // closed meanwhile (the program then ends).
    bool sysInit();
    // Offers the upgrade report, with an optional detail line before the offer.
    void msgBoxGenLog(QString detail);
    // The welcome page's system-initialisation state, on or off.
    void showSysInitPage(bool on);

    void frimwareUpgradeProc(int state);
    int mainPageControl(int command);
    void updateTransProgressDisp(bool bTransSuccess);
    // 1 device on its serial port, 2 its bootloader volume mounted, 0 neither.
    int checkAISStatus();
    void showDevCheckResult(bool found, int mode);
    void checkVersionPolicy(int mode);
    void resetUpgrade();
    void showMsg(int kind, QString text);

    const SysSvcInfo &sysStatusBefore() const { return m_stSysStatusBefore; }
    const SysSvcInfo &sysStatusAfter() const { return m_stSysStatusAfter; }
    int winOsVer() const { return m_iWinOsVer; }
    int upgradeState() const { return m_iUpgradeState; }

signals:
    void signalSerialDevEnd();

public slots:
    void onCommDeleted();
    void onCommConnted();
    void onSerialDevEnd();
    void onAISDevCheckResult(bool bAISChecked);
    void onMSDDevChecked();
    void onTransResult(bool bTransSuccess);
    void onClose();
    void onAboutClick();
    void onHelpClick();
    void onMenuItemClick(int itabWgPage);
    void onTimerRefresh();
    void onExportFile();
    // The operator's language: installed at once and kept for the next start.
    void onLanguageChosen(const QString &strCode);

private slots:
    // The copy time-out's verdict: told to the operator; all but a copy
    // that still writes end the attempt.
    void onCopyVerdict(int iVerdict, const QString &strText);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A change of language shows every text again in the new one.
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void connectSignals();
    // No worker signal, queued or not, reaches the window after this.
    void disconnectWorkers();
    // The check runs or the copy thread writes: closing now would strand
    // the host system or the device.
    bool isCloseDeferred() const;
    // True, with a log line, while sysInit runs: the title-bar functions do
    // nothing then.
    bool refusedDuringSysInit(const char *fun) const;
    void retranslate();
    // initSystemStatus until it succeeds, in the pattern checked, unchecked,
    // checked, ...; false after the third unchecked call.
    bool initSystemStatusWithRetries();
    // Puts back the start values and running services that sysInit recorded.
    void handBackSystem();
    // The bootloader volume's bare recursive listing for the report.
    QString volumeListing();
    // The package's image checked before anything is sent to the device;
    // false, with the message shown, when it cannot be copied.
    bool imageUsable(bool bVolumeMounted);
    // What the device runs after its power cycle, told to the operator.
    void showFirmwareConfirmed(int iOutcome, const QString &strRunning);

    std::unique_ptr<Ui::MainWindow> m_poUi;
    CRegistryManipulation m_oRegistry;
    QTimer m_oRefreshTimer;

    CCommandHandle m_oCommandHandle;
    CCommSpacesManage *m_poCommSpacesManage = nullptr;  // child of the window
    std::unique_ptr<mainwindowView> m_poView;
    CMSDManipulate *m_poMSDManipulate = nullptr;  // child of the window
    CFirmwareConfirm *m_poFirmwareConfirm = nullptr;  // child of the window
    CCopyWatch *m_poCopyWatch = nullptr;              // child of the window
    CAboutForm *m_poAboutForm = nullptr;          // child of the window
    CLanguageMenu *m_poLanguageMenu = nullptr;    // child of the window

    int m_iUpgradeState = 0;
    bool m_bLastAISCheck = false;
    bool m_bGenLogPending = false;
    bool m_bExporting = false;
    // Log lines taken from the logger for a report that was not written.
    QString m_strHeldDebugText;

    bool m_bSysInitRunning = false;
    // A close that had to wait for the check or the copy.
    bool m_bCloseRequested = false;

    SysSvcInfo m_stSysStatusBefore;
    SysSvcInfo m_stSysStatusAfter;
    bool m_bSysStatusRecorded = false;
    // m_stSysStatusBefore on disk while the host is changed, for a start
    // after a crash or kill.
    SysSnapshotFile m_oSysSnapshotFile;
    int m_iWinOsVer = -1;

    int m_iCopyNoteCount = 0;
    int m_iInitDotsCount = 1;

    QPoint m_oDragOffset;
    bool m_bDragEnable = false;
    bool m_bDragging = false;
};
