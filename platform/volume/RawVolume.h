#pragma once

#include <cstdint>
#include <string>

// Sector-level access to a volume: on Windows the volume device "\\.\E:",
// elsewhere the block device behind the mount (or an image file).
// Failures leave the system's error code in lastError().
class RawVolume {
public:
    RawVolume() = default;
    ~RawVolume();
    RawVolume(const RawVolume &) = delete;
    RawVolume &operator=(const RawVolume &) = delete;

    // Opens an existing device for reading and writing, shared with others.
    bool open(const std::string &path);
    bool isOpen() const { return m_iHandle != kInvalid; }

    // Takes the volume away from its file system while we write beneath it;
    // best effort, the results do not matter to the caller.
    void lockAndDismount();

    // Moves to a byte offset from the start of the device.
    bool seek(uint64_t offset);
    // Transfer at the current position; `done` gets the bytes moved, which can
    // be fewer than asked at the end of the device.
    bool read(void *buffer, uint32_t size, uint32_t &done);
    bool write(const void *buffer, uint32_t size, uint32_t &done);

    unsigned long lastError() const { return m_ulLastError; }
    // The last error refused access to the device (no write permission).
    bool lastErrorIsAccessDenied() const;
    // The system's text for the last error.
    std::string lastErrorText() const;

    // Releases the lock; pending writes reach the device first.
    void close();

private:
    static constexpr intptr_t kInvalid = -1;
    intptr_t m_iHandle = kInvalid;
    uint64_t m_uOffset = 0;
    unsigned long m_ulLastError = 0;
};
