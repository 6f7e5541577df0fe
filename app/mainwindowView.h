#pragma once

#include "app/CUpgradeTexts.h"
#include "sysprep/SysSvcInfo.h"
#include "transfer/CFirmwareImageCheck.h"

#include <QString>

#include <string>

class QWidget;
class CDeviceComm;
namespace Ui {
class MainWindow;
}

// The wizard's view: owns the program's texts, switches the pages, fills the
// device information page and shows the message boxes the workflow asks for.
// Only the GUI thread touches it.
class mainwindowView {
public:
    // Neither pointer is owned; both must outlive the view.
    mainwindowView(Ui::MainWindow *poUi, CDeviceComm *poDevComm);
    mainwindowView(const mainwindowView &) = delete;
    mainwindowView &operator=(const mainwindowView &) = delete;

    // Page 0 welcome, 1 device information, 2 copy progress.
    void showPage(int iPage);
    // Kinds: 0 information, 1 question, 2 warning, 3 critical; others show nothing.
    void showMsgBox(QWidget *poParent, int iKind, const QString &strText);
    void setTransProgress(bool bDone);
    // The line under the result that tells what the device runs after its
    // power cycle: a text of the table with its argument; -1 hides it.
    void showConfirmNote(int iEntry, const QString &strArg = QString());
    // What the operator reads about a firmware image the check refused.
    QString imageProblemText(const CFirmwareImageCheck::Result &stResult) const;
    // Text 16 shown or blanked; a note set by setCopyNote shows steadily instead.
    void blinkCopyNote(bool bOn);
    // What the progress page says in place of the blinking note; empty gives text 16 back.
    void setCopyNote(const QString &strText);
    // The result text of the success page, a text of the table (17 again
    // at setTransProgress(false)).
    void setResultNote(int iEntry);
    void showInitDots(int iCount);
    // 0 nothing, 1 identified device, 2 device in bootloader mode.
    void showDevInfo(int iMode);
    void setFirmwareDir(const std::string &strDir);
    // Version text of "Firmware.csv" in the given folder beside the program, "" if none.
    std::string getBinVer(const std::string &strFolder);

    // Lines 7 to 12 of the upgrade report: the computer's system.
    QString userSystemInfo() const;
    // The whole upgrade report; the listing and debug sections only when not
    // empty, and before them the line saying why there is no log file, if any.
    QString buildReport(SysSvcInfo stSysStatus, QString strVolumeListing, QString strDebugText,
                        QString strLogFileProblem = QString()) const;
    // The English name of a Windows service state 0..7, for the report.
    QString serviceStateName(int iState) const;

    // Every text shown again in the language installed now, on the page and
    // in the state the window is in.
    void retranslate();

    const CUpgradeTexts &texts() const { return m_oTexts; }
    const QString &text(int n) const { return m_oTexts.text(n); }

private:
    void applyTheme();
    void showTexts();
    void showInfoTexts();

    Ui::MainWindow *m_poUi;
    CDeviceComm *m_poDevComm;
    CUpgradeTexts m_oTexts;
    std::string m_strFirmwareDir;
    QString m_strCopyNote;
    // What the view shows, so that a change of language can show it again.
    int m_iDevInfoMode = 0;
    QString m_strMachineType;
    QString m_strCurrentVer;
    QString m_strNewVer;
    int m_iConfirmEntry = -1;
    QString m_strConfirmArg;
    int m_iResultEntry = 17;
    QString m_strInitDots = QStringLiteral(" .......");
    bool m_bCopyNoteShown = true;

public:
    // Read and cleared by the workflow.
    bool isBinFileExist = false;
    std::string strCsvPath;
};
