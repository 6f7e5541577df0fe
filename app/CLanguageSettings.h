#pragma once

#include <QString>

// Where the language choices are kept. The operator's choice in the program
// is the user's own: on Windows the value "Language" under
// HKCU\Software\TORV\AisFirmwareUpgrade, elsewhere "Language" in
// TORV/AisFirmwareUpgrade.conf in the user's configuration folder (the
// program's folder is read-only there). The installer's choice is the value
// "Installer Language" under HKLM\Software\TORV\AisFirmwareUpgrade, a
// language id that NSIS writes and the uninstaller removes with the key;
// other systems have none.
class CLanguageSettings {
public:
    QString operatorChoice() const;
    // False when it could not be stored (the choice then lasts for this run).
    bool setOperatorChoice(const QString &strCode) const;
    // A language tag, or empty.
    QString installerChoice() const;
    // Where the operator's choice is kept, for the log.
    static QString operatorStore();
};
