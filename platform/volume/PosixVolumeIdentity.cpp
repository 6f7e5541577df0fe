#include "platform/volume/VolumeIdentity.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace VolumeIdentity {

namespace {
std::string readAll(const std::string &path)
{
    std::ifstream in(path);
    return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : std::string();
}

std::string realPath(const std::string &path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string firstLine(const std::string &text)
{
    return text.substr(0, text.find('\n'));
}

// The disk in sysfs behind a block device such as /dev/sdb1 (its whole
// disk, /sys/devices/.../block/sdb); "" when it is not a block device.
std::string diskOf(const std::string &device)
{
    const std::string node = realPath(device);
    struct stat st {};
    if (node.empty() || ::stat(node.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return {};
    const std::string name = node.substr(node.rfind('/') + 1);
    const std::string entry = realPath("/sys/class/block/" + name);
    if (entry.empty())
        return {};
    struct stat part {};
    const bool partition = ::stat((entry + "/partition").c_str(), &part) == 0;
    return partition ? entry.substr(0, entry.rfind('/')) : entry;
}
}  // namespace

void identify(std::vector<VolumeInfo> &volumes)
{
    const std::map<std::string, std::string> ids = mountIds(readAll("/proc/self/mountinfo"));
    for (VolumeInfo &volume : volumes) {
        std::string point = volume.rootPath;
        while (point.size() > 1 && point.back() == '/')
            point.pop_back();
        const auto id = ids.find(point);
        const std::string mount = id == ids.end() ? std::string() : "mount " + id->second;

        const std::string disk = diskOf(volume.rawDevice);
        const std::string seq = disk.empty() ? std::string() : firstLine(readAll(disk + "/diskseq"));
        volume.location = disk.empty() ? std::string() : attachmentPath(disk);
        if (!seq.empty())
            volume.instance = "diskseq " + seq + (mount.empty() ? std::string() : ", " + mount);
        else
            volume.instance = mount;
    }
}

}  // namespace VolumeIdentity
