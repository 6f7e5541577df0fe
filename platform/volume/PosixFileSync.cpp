#include "platform/volume/FileSync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace FileSync {

namespace {
int syncPath(const std::string &path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    return error;
}
}  // namespace

int flushFileAndDir(const std::string &filePath, const std::string &dirPath)
{
    if (const int error = syncPath(filePath, O_RDONLY))
        return error;
    // The directory entry is what makes the file findable after a power cut.
    const int error = syncPath(dirPath, O_RDONLY | O_DIRECTORY);
    // Some file systems cannot sync a directory on its own; their entries go
    // with the file's metadata.
    return error == EINVAL ? 0 : error;
}

}  // namespace FileSync
