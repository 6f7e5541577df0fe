#include "platform/volume/RawVolume.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
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

bool RawVolume::read(void *buffer, uint32_t size, uint32_t &done)
{
    done = 0;
    auto *out = static_cast<char *>(buffer);
    while (done < size) {
        const ssize_t n = ::pread(static_cast<int>(m_iHandle), out + done, size - done,
                                  static_cast<off_t>(m_uOffset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_ulLastError = static_cast<unsigned long>(errno);
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    m_uOffset += done;
    return true;
}

bool RawVolume::write(const void *buffer, uint32_t size, uint32_t &done)
{
    done = 0;
    const auto *in = static_cast<const char *>(buffer);
    while (done < size) {
        const ssize_t n = ::pwrite(static_cast<int>(m_iHandle), in + done, size - done,
                                   static_cast<off_t>(m_uOffset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_ulLastError = static_cast<unsigned long>(errno);
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    m_uOffset += done;
    return true;
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
