// Win32 only, no Qt.
#include "platform/file/PlainFile.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>

namespace PlainFile {

namespace {
std::wstring widen(const std::string &text)
{
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), -1, nullptr, 0);
    if (size <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}
}  // namespace

FILE *open(const std::string &path, Mode eMode, std::string &refusal)
{
    const bool append = eMode == Mode::Append;
    refusal.clear();
    const std::wstring wide = widen(path);
    if (wide.empty()) {
        errno = EINVAL;
        return nullptr;
    }
    // The link itself is opened, not what it points at; a folder opens too,
    // so that it is refused with a reason rather than a bare failure.
    const DWORD access = append ? FILE_APPEND_DATA | FILE_READ_ATTRIBUTES : GENERIC_READ;
    HANDLE handle = CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                append ? OPEN_ALWAYS : OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ENOENT : EACCES;
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info))
        refusal = "not a regular file";
    else if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        refusal = "a link (reparse point)";
    else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        refusal = "not a regular file";
    else if (info.nNumberOfLinks != 1)
        refusal = "a file with more than one name (a hard link)";
    if (!refusal.empty()) {
        CloseHandle(handle);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), append ? _O_APPEND : _O_RDONLY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE *file = _fdopen(fd, append ? "ab" : "rb");
    if (file == nullptr)
        _close(fd);
    return file;
}

}  // namespace PlainFile
