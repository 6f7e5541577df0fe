// Preloaded into test processes between the pty shim and umockdev. A hung-up
// pseudo-terminal reads as end of file, and under umockdev the descriptor's
// ioctls are answered by umockdev's emulation, so the line's hang-up cannot
// be read from them. A pulled USB serial device reports an I/O error
// instead; give the hung-up pty slave that same face, telling the hang-up
// from an idle line by poll.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <cerrno>
#include <dlfcn.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
using ReadFn = ssize_t (*)(int, void *, size_t);

ReadFn nextRead()
{
    static const ReadFn fn = reinterpret_cast<ReadFn>(::dlsym(RTLD_NEXT, "read"));
    return fn;
}

// Unix98 pty slaves only; every other descriptor keeps its end of file.
bool isPtySlave(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

bool hungUp(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLHUP) && isPtySlave(fd);
}
}  // namespace

extern "C" ssize_t read(int fd, void *buf, size_t count)
{
    const ReadFn fn = nextRead();
    if (!fn) {
        errno = ENOSYS;
        return -1;
    }
    const ssize_t n = fn(fd, buf, count);
    if (n == 0 && count > 0) {
        const int saved = errno;
        if (hungUp(fd)) {
            errno = EIO;
            return -1;
        }
        errno = saved;
    }
    return n;
}
