#include "platform/volume/RawVolume.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

RawVolume::~RawVolume()
{
    close();
}

bool RawVolume::open(const std::string &path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        m_ulLastError = static_cast<unsigned long>(errno);
        return false;
    }
    m_iHandle = fd;
    m_uOffset = 0;
    return true;
}

bool RawVolume::lastErrorIsAccessDenied() const
{
    // A block device of group "disk" without the user in it, or a
    // write-protected medium.
    return m_ulLastError == EACCES || m_ulLastError == EPERM || m_ulLastError == EROFS;
}

std::string RawVolume::lastErrorText() const
{
    return std::generic_category().message(static_cast<int>(m_ulLastError));
}

void RawVolume::lockAndDismount()
{
    // There is no unprivileged way to lock or dismount a mounted volume here;
    // the kernel shares one block cache between the device and its file
    // system, so the sectors written below are what the file system sees.
}

bool RawVolume::seek(uint64_t offset)
{
    if (!isOpen()) {
        m_ulLastError = EBADF;
        return false;
    }
    if (offset > static_cast<uint64_t>(INT64_MAX)) {
        m_ulLastError = EINVAL;
        return false;
    }
    m_uOffset = offset;
    return true;
}

namespace {
// Repeats a positioned transfer until `size` bytes moved, the end of the
// device (0) or an error; EINTR is retried.
template <typename Transfer>
bool transferAll(Transfer transfer, uint32_t size, uint64_t offset, uint32_t &done, unsigned long &lastError)
{
    done = 0;
    while (done < size) {
        const ssize_t n = transfer(done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            lastError = static_cast<unsigned long>(errno);
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    return true;
}
}  // namespace

bool RawVolume::read(void *buffer, uint32_t size, uint32_t &done)
{
    auto *out = static_cast<char *>(buffer);
    const int fd = static_cast<int>(m_iHandle);
    const bool ok = transferAll([&](uint32_t at, uint32_t n, off_t pos) { return ::pread(fd, out + at, n, pos); },
                                size, m_uOffset, done, m_ulLastError);
    if (ok)
        m_uOffset += done;
    return ok;
}

bool RawVolume::write(const void *buffer, uint32_t size, uint32_t &done)
{
    const auto *in = static_cast<const char *>(buffer);
    const int fd = static_cast<int>(m_iHandle);
    const bool ok = transferAll([&](uint32_t at, uint32_t n, off_t pos) { return ::pwrite(fd, in + at, n, pos); },
                                size, m_uOffset, done, m_ulLastError);
    if (ok)
        m_uOffset += done;
    return ok;
}

void RawVolume::close()
{
    if (!isOpen())
        return;
    // Windows writes a dismounted volume straight through; here the sectors
    // would wait in the page cache, and the operator is about to unplug.
    ::fsync(static_cast<int>(m_iHandle));
    ::close(static_cast<int>(m_iHandle));
    m_iHandle = kInvalid;
}
