#include "sim/volume/SimVolumeCatalog.h"

#include "platform/volume/StorageInfoVolumeCatalog.h"

#include <algorithm>
#include <string>

void SimVolumeCatalog::present(const VolumeInfo &volume)
{
    VolumeInfo mounted = volume;
    mounted.rootPath = StorageInfoVolumeCatalog::normalisedRoot(volume.rootPath);
    std::lock_guard<std::mutex> locker(m_oMutex);
    mounted.instance = "mount " + std::to_string(++m_ulMounts);
    for (VolumeInfo &existing : m_oVolumes) {
        if (existing.rootPath == mounted.rootPath) {
            existing = mounted;
            return;
        }
    }
    m_oVolumes.push_back(mounted);
}

bool SimVolumeCatalog::remove(const std::string &rootPath)
{
    const std::string root = StorageInfoVolumeCatalog::normalisedRoot(rootPath);
    std::lock_guard<std::mutex> locker(m_oMutex);
    const auto it = std::find_if(m_oVolumes.begin(), m_oVolumes.end(),
                                 [&root](const VolumeInfo &v) { return v.rootPath == root; });
    if (it == m_oVolumes.end())
        return false;
    m_oVolumes.erase(it);
    return true;
}

void SimVolumeCatalog::clear()
{
    std::lock_guard<std::mutex> locker(m_oMutex);
    m_oVolumes.clear();
}

std::vector<VolumeInfo> SimVolumeCatalog::mountedVolumes() const
{
    std::lock_guard<std::mutex> locker(m_oMutex);
    return m_oVolumes;
}

std::string SimVolumeCatalog::rawDevicePath(const std::string &drive) const
{
    const std::string root = StorageInfoVolumeCatalog::normalisedRoot(drive);
    std::lock_guard<std::mutex> locker(m_oMutex);
    for (const VolumeInfo &volume : m_oVolumes) {
        if (volume.rootPath == root)
            return volume.rawDevice;
    }
    return {};
}
