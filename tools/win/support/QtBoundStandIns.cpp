// Win32 stand-ins for the two pieces of the program that reach Windows through
// Qt, which has no Windows build here: the volume catalog (QStorageInfo) and
// the registry read (QSettings in native format). Linked into every driver.
#include "platform/host/NativeWinHost.h"
#include "platform/volume/IVolumeCatalog.h"
#include "platform/volume/VolumeCatalog.h"
#include "platform/volume/VolumeCommands.h"

#include <windows.h>

#include <string>

namespace {

// The writer only needs the drive letter's volume device.
class DriveLetterCatalog : public IVolumeCatalog {
public:
    std::vector<VolumeInfo> mountedVolumes() const override { return {}; }
    std::string rawDevicePath(const std::string &drive) const override
    {
        return VolumeCommands::volumeDevicePath(drive);
    }
};

DriveLetterCatalog g_catalog;

}  // namespace

namespace VolumeCatalog {
IVolumeCatalog &current()
{
    return g_catalog;
}
void setCurrent(IVolumeCatalog *)
{
}
}  // namespace VolumeCatalog

// "HKEY_LOCAL_MACHINE\SYSTEM\...\" and a value name, read as a DWORD.
int NativeWinHost::readRegistryInt(const std::string &keyPath, const std::string &valueName)
{
    const std::string root = "HKEY_LOCAL_MACHINE\\";
    if (keyPath.compare(0, root.size(), root) != 0)
        return 0;
    std::string sub = keyPath.substr(root.size());
    while (!sub.empty() && sub.back() == '\\')
        sub.pop_back();
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, sub.c_str(), valueName.c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return 0;
    return static_cast<int>(value);
}
