#include "platform/volume/RawVolume.h"

#include <windows.h>
#include <winioctl.h>

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
