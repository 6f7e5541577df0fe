#include "platform/volume/StorageInfoVolumeCatalog.h"

#include "platform/volume/VolumeCommands.h"
#include "platform/volume/VolumeIdentity.h"

#include <QStorageInfo>

std::vector<VolumeInfo> StorageInfoVolumeCatalog::mountedVolumes() const
{
    std::vector<VolumeInfo> volumes;
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    volumes.reserve(static_cast<std::size_t>(mounted.size()));
    for (const QStorageInfo &storage : mounted) {
        VolumeInfo info;
        info.name = storage.name().toStdString();
        info.rootPath = normalisedRoot(storage.rootPath().toStdString());
#if defined(Q_OS_WIN)
        info.rawDevice = windowsVolumePath(info.rootPath);
#else
        info.rawDevice = storage.device().toStdString();
#endif
        if (storage.isValid() && storage.isReady())
            info.bytesFree = storage.bytesAvailable();
        volumes.push_back(std::move(info));
    }
    VolumeIdentity::identify(volumes);
    return volumes;
}

std::string StorageInfoVolumeCatalog::rawDevicePath(const std::string &drive) const
{
#if defined(Q_OS_WIN)
    return windowsVolumePath(drive);
#else
    const std::string root = normalisedRoot(drive);
    for (const VolumeInfo &volume : mountedVolumes()) {
        if (volume.rootPath == root)
            return volume.rawDevice;
    }
    return {};
#endif
}

std::string StorageInfoVolumeCatalog::windowsVolumePath(const std::string &drive)
{
    return VolumeCommands::volumeDevicePath(drive);
}

std::string StorageInfoVolumeCatalog::normalisedRoot(const std::string &rootPath)
{
    if (rootPath.empty())
        return rootPath;
    std::string root = rootPath;
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    if (root.back() != '/')
        root.push_back('/');
    return root;
}
