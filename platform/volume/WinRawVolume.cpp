#include "platform/volume/RawVolume.h"

#include <windows.h>
#include <winioctl.h>

#include <string>

namespace {
HANDLE toHandle(intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}
}  // namespace

RawVolume::~RawVolume()
{
    close();
}

bool RawVolume::open(const std::string &path)
{
    close();
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_ulLastError = GetLastError();
        return false;
    }
    m_iHandle = reinterpret_cast<intptr_t>(handle);
    return true;
}

bool RawVolume::lastErrorIsAccessDenied() const
{
    return m_ulLastError == ERROR_ACCESS_DENIED || m_ulLastError == ERROR_WRITE_PROTECT;
}

std::string RawVolume::lastErrorText() const
{
    char *text = nullptr;
    const DWORD size = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                          | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, static_cast<DWORD>(m_ulLastError), 0,
                                      reinterpret_cast<char *>(&text), 0, nullptr);
    std::string result(text != nullptr ? text : "", size);
    LocalFree(text);
    // The system's texts end in a line break.
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(m_ulLastError) : result;
}

void RawVolume::lockAndDismount()
{
    DWORD bytes = 0;
    DeviceIoControl(toHandle(m_iHandle), FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &bytes, nullptr);
    DeviceIoControl(toHandle(m_iHandle), FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &bytes, nullptr);
}

bool RawVolume::seek(uint64_t offset)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(toHandle(m_iHandle), position, nullptr, FILE_BEGIN)) {
        m_ulLastError = GetLastError();
        return false;
    }
    return true;
}

bool RawVolume::read(void *buffer, uint32_t size, uint32_t &done)
{
    DWORD n = 0;
    const BOOL ok = ReadFile(toHandle(m_iHandle), buffer, size, &n, nullptr);
    done = n;
    if (!ok)
        m_ulLastError = GetLastError();
    return ok != FALSE;
}

bool RawVolume::write(const void *buffer, uint32_t size, uint32_t &done)
{
    DWORD n = 0;
    const BOOL ok = WriteFile(toHandle(m_iHandle), buffer, size, &n, nullptr);
    done = n;
    if (!ok)
        m_ulLastError = GetLastError();
    return ok != FALSE;
}

void RawVolume::close()
{
    if (!isOpen())
        return;
    // Sector writes may still sit in the volume's cache; the operator is
    // about to unplug the device, and closing releases the lock either way.
    if (!FlushFileBuffers(toHandle(m_iHandle)))
        m_ulLastError = GetLastError();
    CloseHandle(toHandle(m_iHandle));
    m_iHandle = kInvalid;
}
