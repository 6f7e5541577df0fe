#pragma once

#include "app/CUpgradeTexts.h"
#include "sysprep/SysSvcInfo.h"

#include <QString>
#include <QThread>

class IWinHost;

// Records, changes and checks the Windows services and start values that
// could seize the bootloader's volume: StorSvc, WSearch, ShellHWDetection and
// BDESVC. A QThread for its identity only: it is never started, and every
// operation runs synchronously on the caller's (GUI) thread.
class CRegistryManipulation : public QThread {
    Q_OBJECT
public:
    static constexpr int kScWaitMs = 30000;   // longest wait for "sc"
    static constexpr int kNetStepMs = 50;     // "sc" and "net" polling step
    static constexpr int kNetLimitSecs = 6;   // "net" is closed after more than this

    explicit CRegistryManipulation(QObject *parent = nullptr);

    // True on Windows 8 or later (newer than 6.1); records winOsVer as it answers.
    bool checkWinOsVer();
    void setWinOsVer(int iMajor, int iMinor);

    // Current state of a service, 0 when it cannot be queried.
    int querySystemService(const QString &strName);
    // An integer registry value, 0 when absent or not numeric.
    int queryRegValue(const QString &strKeyPath, const QString &strValueName);
    SysSvcInfo querySysSvcInfo();
    // Both start values 4 and all four services stopped.
    bool isSysStatusCorrect();

    // Start type 3 writes "auto", 4 "disabled"; anything else is refused.
    void setRegValue(const QString &strName, int iType);
    // Puts back a start value recorded from the registry (2 "auto",
    // 3 "demand", 4 "disabled"; 0, absent or unreadable, "auto").
    void restoreRegValue(const QString &strName, int iRecordedStart);
    // "net start" when bStart, else "net stop"; never waits much longer than 6 s.
    void enableService(const QString &strName, bool bStart);
    // Disables and stops the four services, then checks the result.
    bool initSystemStatus();

    const CUpgradeTexts &texts() const { return m_oTexts; }
    // The texts again, in the language installed now.
    void retranslate() { m_oTexts = CUpgradeTexts(); }

    int winOsVer = -1;

private:
    void runScConfig(const QString &strName, const QString &strWord);

    CUpgradeTexts m_oTexts;
};
