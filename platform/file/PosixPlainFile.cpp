#include "platform/file/PlainFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PlainFile {

FILE *open(const std::string &path, Mode eMode, std::string &refusal)
{
    const bool append = eMode == Mode::Append;
    refusal.clear();
    // No blocking open on a FIFO or device put in the file's place.
    const int flags = (append ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY |
                      O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        if (errno == ELOOP)
            refusal = "a symbolic link";
        else if (errno == EISDIR || errno == ENXIO)
            refusal = "not a regular file";
        return nullptr;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        refusal = "not a regular file";
    else if (!S_ISREG(st.st_mode))
        refusal = "not a regular file";
    else if (st.st_nlink != 1)
        refusal = "a file with more than one name (a hard link)";
    const int status = ::fcntl(fd, F_GETFL);
    if (refusal.empty() && (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0))
        refusal = "not a regular file";
    FILE *file = refusal.empty() ? ::fdopen(fd, append ? "ab" : "rb") : nullptr;
    if (file == nullptr)
        ::close(fd);
    return file;
}

}  // namespace PlainFile
