#pragma once

#include <QString>

#include <vector>

// The theme's image table: image names grouped by family, each family living
// under its own kind and sub-folder in the program's resources.
class ResourceImage {
public:
    enum Family {
        WinCtrl,          // window controls of title bars
        CheckBox,         // check indicators, grey 20 px set
        CheckBoxBlue,     // check indicators, blue 32 px set (same family folder)
        ComboBox,
        SpinBox,
        ThemeFun,         // function buttons of the title bar
        FirmwareUpgrade,  // pictures of the wizard
        ReportStatus,     // result pictures
        FamilyCount
    };
    enum Kind { KindWidget, KindSymbol, KindGraphic, KindImages };
    enum State { StateNormal = 0, StateHover = 4 };

    // Entries of the families the program draws.
    enum WinCtrlImage { WinCtrlClose, WinCtrlMini };
    enum ThemeFunImage { ThemeFunAbout, ThemeFunBook, ThemeFunLog };
    enum FirmwareUpgradeImage { UpgradeChip, UpgradeLogo, UpgradeBrand, UpgradeCheck };
    enum ReportStatusImage { StatusGood, StatusInfo };

    struct Entry {
        QString name;
        int theme = 0;  // always 0 here; kept so entries match the theme folders
    };

    static const char *const ThemeFolders[4];

    static QString familyName(int iFamily);
    static int entryCount(int iFamily);

protected:
    ResourceImage();
    const Entry *entry(int iFamily, int iIndex) const;
    static QString kindFolder(int iFamily);
    static QString subFolder(int iFamily);

private:
    std::vector<std::vector<Entry>> m_oFamilies;
};
