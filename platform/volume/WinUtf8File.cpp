#include "platform/volume/Utf8File.h"

#include <windows.h>

#include <cerrno>

namespace Utf8File {

namespace {
// Empty for an empty or malformed text.
std::wstring widen(const char *text)
{
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (size <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}
}  // namespace

Handle open(const std::string &path, const char *mode)
{
    const std::wstring widePath = widen(path.c_str());
    const std::wstring wideMode = widen(mode);
    if (widePath.empty() || wideMode.empty()) {
        errno = EINVAL;
        return Handle();
    }
    return Handle(_wfopen(widePath.c_str(), wideMode.c_str()));
}

}  // namespace Utf8File
