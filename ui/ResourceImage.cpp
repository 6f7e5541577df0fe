#include "ui/ResourceImage.h"

#include <QStringList>

const char *const ResourceImage::ThemeFolders[4] = {"DayWhite/", "DayBlack/", "Dusk/", "Night/"};

namespace {
struct FamilyInfo {
    const char *name;
    ResourceImage::Kind kind;
    const char *subFolder;
    QStringList images;
};

const FamilyInfo &info(int iFamily)
{
    static const FamilyInfo families[ResourceImage::FamilyCount] = {
        {"WinCtrl", ResourceImage::KindWidget, "/A20/", {"0.Close", "1.Mini"}},
        {"CheckBox", ResourceImage::KindWidget, "/A20Gray/", {"Checked", "Unchecked"}},
        {"CheckBox", ResourceImage::KindWidget, "/B32Blue/", {"Checked", "Unchecked"}},
        {"ComboBox", ResourceImage::KindWidget, "/A16Gray/", {"DownArrow", "Down"}},
        {"SpinBox", ResourceImage::KindWidget, "/A12Gray/", {"Down", "Left", "Right"}},
        {"ThemeFun", ResourceImage::KindImages, "/", {"1.About", "2.Book", "3.Log"}},
        {"FirmwareUpgrade", ResourceImage::KindImages, "/",
         {"Upgrade", "TORV Logo_Firmware_Upgrade", "TORV", "Checked"}},
        {"ReportStatus", ResourceImage::KindImages, "/", {"Good", "Info"}},
    };
    return families[iFamily];
}

bool validFamily(int iFamily)
{
    return iFamily >= 0 && iFamily < ResourceImage::FamilyCount;
}
}  // namespace

ResourceImage::ResourceImage()
{
    m_oFamilies.resize(FamilyCount);
    for (int f = 0; f < FamilyCount; ++f) {
        for (const QString &name : info(f).images)
            m_oFamilies[static_cast<size_t>(f)].push_back(Entry{name, 0});
    }
}

QString ResourceImage::familyName(int iFamily)
{
    return validFamily(iFamily) ? QString::fromLatin1(info(iFamily).name) : QString();
}

int ResourceImage::entryCount(int iFamily)
{
    return validFamily(iFamily) ? info(iFamily).images.size() : 0;
}

const ResourceImage::Entry *ResourceImage::entry(int iFamily, int iIndex) const
{
    if (!validFamily(iFamily) || iIndex < 0 || iIndex >= entryCount(iFamily))
        return nullptr;
    return &m_oFamilies[static_cast<size_t>(iFamily)][static_cast<size_t>(iIndex)];
}

QString ResourceImage::kindFolder(int iFamily)
{
    static const char *const kinds[] = {"Widget/", "Symbol/", "Graphic/", "Images/"};
    return validFamily(iFamily) ? QString::fromLatin1(kinds[info(iFamily).kind]) : QString();
}

QString ResourceImage::subFolder(int iFamily)
{
    return validFamily(iFamily) ? QString::fromLatin1(info(iFamily).subFolder) : QString();
}
