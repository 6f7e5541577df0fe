#include "platform/volume/VolumeIdentity.h"

#include <windows.h>

namespace VolumeIdentity {

namespace {
std::string utf8(const wchar_t *text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

bool isDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

void identify(std::vector<VolumeInfo> &volumes)
{
    for (VolumeInfo &volume : volumes) {
        volume.location.clear();
        volume.instance.clear();
        const std::string &root = volume.rootPath;
        if (root.size() < 2 || !isDriveLetter(root[0]) || root[1] != ':')
            continue;
        const wchar_t letter = static_cast<wchar_t>(root[0]);
        const wchar_t mountPoint[] = {letter, L':', L'\\', L'\0'};
        wchar_t guidPath[MAX_PATH] = {};
        if (::GetVolumeNameForVolumeMountPointW(mountPoint, guidPath, MAX_PATH))
            volume.location = utf8(guidPath);
        const wchar_t drive[] = {letter, L':', L'\0'};
        wchar_t target[MAX_PATH] = {};
        // The first of the NUL-separated targets is the current one.
        if (::QueryDosDeviceW(drive, target, MAX_PATH) != 0)
            volume.instance = utf8(target);
    }
}

}  // namespace VolumeIdentity
