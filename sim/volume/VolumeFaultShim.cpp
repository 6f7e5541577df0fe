// Preloaded first into fault-injection test processes. Plays the faults of a
// USB mass-storage volume on the files below one path: a volume that fills
// up in the middle of a write, a write-protected one, one pulled out while a
// file is written, a file its owner may not read (also when the process
// runs as root, which permission bits do not stop), and a slow or stuck one
// whose writes hang until the test lets them go on. Unarmed it only forwards.
// Controlled through the extern "C" functions at the end (see VolumeFault.h).
//
// No sanitizer instrumentation and no locks: it sits below the sanitizers'
// own interceptors, and the state it keeps is atomics only.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

namespace {
enum Mode : int { Off = 0, Full = 1, ReadOnly = 2, Vanish = 3, Unreadable = 4, Stall = 5 };

constexpr int kFdMax = 65536;
constexpr size_t kPathMax = 4096;

std::atomic<int> g_mode{Off};
char g_prefix[kPathMax];
std::atomic<size_t> g_prefixLen{0};
std::atomic<long long> g_budget{0};
std::atomic<long long> g_written{0};
std::atomic<bool> g_fired{false};
std::atomic<bool> g_gone{false};
std::atomic<bool> g_stalled{false};  // a write hangs now
std::atomic<int> g_resume{0};        // 0 hang, 1 go on, 2 go on failing (EIO)
std::atomic<void (*)(void *)> g_hook{nullptr};
std::atomic<void *> g_hookContext{nullptr};
std::atomic<unsigned char> g_tracked[kFdMax];

template <typename Fn>
Fn next(const char *name)
{
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

#define AIS_NEXT(type, name)                                                                                          \
    static const auto real = next<type>(name);                                                                         \
    if (!real) {                                                                                                       \
        errno = ENOSYS;                                                                                                \
        return -1;                                                                                                     \
    }

int mode()
{
    return g_mode.load(std::memory_order_acquire);
}

bool under(const char *path)
{
    if (mode() == Off || path == nullptr || path[0] != '/')
        return false;
    const size_t n = g_prefixLen.load(std::memory_order_acquire);
    if (n == 0)
        return false;
    if (std::strncmp(path, g_prefix, n) == 0)
        return true;
    // The folder itself, named without its slash (an O_TMPFILE open names it so).
    return g_prefix[n - 1] == '/' && std::strlen(path) == n - 1 && std::strncmp(path, g_prefix, n - 1) == 0;
}

bool tracked(int fd)
{
    return fd >= 0 && fd < kFdMax && g_tracked[fd].load(std::memory_order_relaxed) != 0;
}

void track(int fd, bool on)
{
    if (fd >= 0 && fd < kFdMax)
        g_tracked[fd].store(on ? 1 : 0, std::memory_order_relaxed);
}

bool writes(int flags)
{
    return (flags & O_ACCMODE) != O_RDONLY || (flags & (O_CREAT | O_TRUNC | O_APPEND)) != 0;
}

// The errno an open of `path` fails with under the armed fault, 0 to let it through.
int openFault(const char *path, int flags)
{
    if (!under(path))
        return 0;
    switch (mode()) {
    case ReadOnly:
        return writes(flags) ? EROFS : 0;
    case Vanish:
        return g_gone.load() ? ENOENT : 0;
    case Unreadable:
        return EACCES;
    default:
        return 0;
    }
}

// Path changes below the prefix (rename, link, unlink, mkdir ...).
int pathFault(const char *path)
{
    if (!under(path))
        return 0;
    if (mode() == ReadOnly)
        return EROFS;
    if (mode() == Vanish && g_gone.load())
        return ENOENT;
    return 0;
}

void vanishNow()
{
    if (g_gone.exchange(true))
        return;
    g_fired.store(true);
    if (void (*hook)(void *) = g_hook.load())
        hook(g_hookContext.load());
}

// A stalled volume: the write waits, polling, until the test resumes it or
// disarms the fault; then it goes on, or fails as a volume that gave up.
bool waitStall()
{
    g_stalled.store(true);
    const timespec pause{0, 2 * 1000 * 1000};
    while (mode() == Stall && g_resume.load() == 0)
        ::nanosleep(&pause, nullptr);
    g_stalled.store(false);
    return mode() != Stall || g_resume.load() == 1;
}

// How many of `want` bytes a write to `fd` may move; -1 with errno set when none.
long long admit(int fd, size_t want)
{
    if (!tracked(fd))
        return static_cast<long long>(want);
    const int m = mode();
    if (m == Stall) {
        const long long room = g_budget.load() - g_written.load();
        if (room > 0 || g_resume.load() == 1)
            return room > 0 && static_cast<long long>(want) > room ? room : static_cast<long long>(want);
        if (waitStall())
            return static_cast<long long>(want);
        errno = EIO;
        return -1;
    }
    if (m == Vanish && g_gone.load()) {
        errno = EIO;
        return -1;
    }
    if (m != Full && m != Vanish)
        return static_cast<long long>(want);
    const long long room = g_budget.load() - g_written.load();
    if (room <= 0) {
        if (m == Full) {
            g_fired.store(true);
            errno = ENOSPC;
        } else {
            vanishNow();
            errno = EIO;
        }
        return -1;
    }
    return static_cast<long long>(want) < room ? static_cast<long long>(want) : room;
}

// After a write moved `done` bytes: a volume due to vanish goes now, with the
// data cut off in the middle.
template <typename T>
T account(int fd, T done)
{
    if (done > 0 && tracked(fd)) {
        const long long total = g_written.fetch_add(static_cast<long long>(done)) + static_cast<long long>(done);
        if (mode() == Vanish && total >= g_budget.load())
            vanishNow();
    }
    return done;
}

bool goneFd(int fd)
{
    return tracked(fd) && mode() == Vanish && g_gone.load();
}

int finishOpen(int fd, const char *path)
{
    if (fd >= 0)
        track(fd, under(path));
    return fd;
}

mode_t modeArg(int flags, va_list args)
{
    return ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

// What every open of the family does once its real entry point is known:
// refuse without one, play an armed fault, else open and track the result.
template <typename Call>
int openChecked(bool bHasReal, const char *path, int flags, Call call)
{
    if (!bHasReal) {
        errno = ENOSYS;
        return -1;
    }
    if (const int error = openFault(path, flags)) {
        errno = error;
        return -1;
    }
    return finishOpen(call(), path);
}
}  // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t m = modeArg(flags, args);
    va_end(args);
    using Fn = int (*)(const char *, int, ...);
    static const Fn real = next<Fn>("open");
    return openChecked(real != nullptr, path, flags, [&] { return real(path, flags, m); });
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t m = modeArg(flags, args);
    va_end(args);
    using Fn = int (*)(const char *, int, ...);
    static const Fn real = next<Fn>("open64");
    return openChecked(real != nullptr, path, flags, [&] { return real(path, flags, m); });
}

int openat(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t m = modeArg(flags, args);
    va_end(args);
    using Fn = int (*)(int, const char *, int, ...);
    static const Fn real = next<Fn>("openat");
    return openChecked(real != nullptr, path, flags, [&] { return real(dirfd, path, flags, m); });
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t m = modeArg(flags, args);
    va_end(args);
    using Fn = int (*)(int, const char *, int, ...);
    static const Fn real = next<Fn>("openat64");
    return openChecked(real != nullptr, path, flags, [&] { return real(dirfd, path, flags, m); });
}

int creat(const char *path, mode_t m)
{
    return open(path, O_CREAT | O_WRONLY | O_TRUNC, m);
}

int creat64(const char *path, mode_t m)
{
    return open64(path, O_CREAT | O_WRONLY | O_TRUNC, m);
}

static FILE *fopenWith(const char *symbol, const char *path, const char *how)
{
    using Fn = FILE *(*)(const char *, const char *);
    const Fn real = next<Fn>(symbol);
    if (!real) {
        errno = ENOSYS;
        return nullptr;
    }
    const bool writing = how != nullptr && std::strpbrk(how, "wa+") != nullptr;
    if (const int error = openFault(path, writing ? O_RDWR | O_CREAT : O_RDONLY)) {
        errno = error;
        return nullptr;
    }
    return real(path, how);
}

FILE *fopen(const char *path, const char *how)
{
    return fopenWith("fopen", path, how);
}

FILE *fopen64(const char *path, const char *how)
{
    return fopenWith("fopen64", path, how);
}

int close(int fd)
{
    AIS_NEXT(int (*)(int), "close");
    track(fd, false);
    return real(fd);
}

ssize_t write(int fd, const void *buf, size_t count)
{
    AIS_NEXT(ssize_t (*)(int, const void *, size_t), "write");
    const long long n = admit(fd, count);
    if (n < 0)
        return -1;
    return account(fd, real(fd, buf, static_cast<size_t>(n)));
}

ssize_t pwrite(int fd, const void *buf, size_t count, off_t offset)
{
    AIS_NEXT(ssize_t (*)(int, const void *, size_t, off_t), "pwrite");
    const long long n = admit(fd, count);
    if (n < 0)
        return -1;
    return account(fd, real(fd, buf, static_cast<size_t>(n), offset));
}

ssize_t pwrite64(int fd, const void *buf, size_t count, off64_t offset)
{
    AIS_NEXT(ssize_t (*)(int, const void *, size_t, off64_t), "pwrite64");
    const long long n = admit(fd, count);
    if (n < 0)
        return -1;
    return account(fd, real(fd, buf, static_cast<size_t>(n), offset));
}

ssize_t writev(int fd, const struct iovec *iov, int iovcnt)
{
    AIS_NEXT(ssize_t (*)(int, const struct iovec *, int), "writev");
    size_t total = 0;
    for (int i = 0; i < iovcnt; ++i)
        total += iov[i].iov_len;
    const long long n = admit(fd, total);
    if (n < 0)
        return -1;
    if (static_cast<size_t>(n) < total) {
        // Only whole vectors here: the volume is out of room for this one.
        errno = mode() == Full ? ENOSPC : EIO;
        if (mode() == Vanish)
            vanishNow();
        return -1;
    }
    return account(fd, real(fd, iov, iovcnt));
}

ssize_t sendfile(int out, int in, off_t *offset, size_t count)
{
    AIS_NEXT(ssize_t (*)(int, int, off_t *, size_t), "sendfile");
    if (goneFd(in)) {
        errno = EIO;
        return -1;
    }
    const long long n = admit(out, count);
    if (n < 0)
        return -1;
    return account(out, real(out, in, offset, static_cast<size_t>(n)));
}

ssize_t sendfile64(int out, int in, off64_t *offset, size_t count)
{
    AIS_NEXT(ssize_t (*)(int, int, off64_t *, size_t), "sendfile64");
    if (goneFd(in)) {
        errno = EIO;
        return -1;
    }
    const long long n = admit(out, count);
    if (n < 0)
        return -1;
    return account(out, real(out, in, offset, static_cast<size_t>(n)));
}

ssize_t copy_file_range(int in, off64_t *inOffset, int out, off64_t *outOffset, size_t len, unsigned int flags)
{
    AIS_NEXT(ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned int), "copy_file_range");
    if (goneFd(in)) {
        errno = EIO;
        return -1;
    }
    const long long n = admit(out, len);
    if (n < 0)
        return -1;
    return account(out, real(in, inOffset, out, outOffset, static_cast<size_t>(n), flags));
}

ssize_t read(int fd, void *buf, size_t count)
{
    AIS_NEXT(ssize_t (*)(int, void *, size_t), "read");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, buf, count);
}

ssize_t pread(int fd, void *buf, size_t count, off_t offset)
{
    AIS_NEXT(ssize_t (*)(int, void *, size_t, off_t), "pread");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, buf, count, offset);
}

ssize_t pread64(int fd, void *buf, size_t count, off64_t offset)
{
    AIS_NEXT(ssize_t (*)(int, void *, size_t, off64_t), "pread64");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, buf, count, offset);
}

int fsync(int fd)
{
    AIS_NEXT(int (*)(int), "fsync");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int fdatasync(int fd)
{
    AIS_NEXT(int (*)(int), "fdatasync");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int ftruncate(int fd, off_t length)
{
    AIS_NEXT(int (*)(int, off_t), "ftruncate");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    AIS_NEXT(int (*)(int, off64_t), "ftruncate64");
    if (goneFd(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, length);
}

int ioctl(int fd, unsigned long request, ...)
{
    va_list args;
    va_start(args, request);
    void *arg = va_arg(args, void *);
    va_end(args);
    AIS_NEXT(int (*)(int, unsigned long, ...), "ioctl");
    if (tracked(fd) && (goneFd(fd) || request == FICLONE || request == FICLONERANGE)) {
        // A FAT volume has no shared extents: the data must really be written.
        errno = goneFd(fd) ? EIO : EOPNOTSUPP;
        return -1;
    }
    return real(fd, request, arg);
}

#define AIS_PATH_GUARD(path)                                                                                          \
    if (const int error = pathFault(path)) {                                                                           \
        errno = error;                                                                                                 \
        return -1;                                                                                                     \
    }

int rename(const char *from, const char *to)
{
    AIS_NEXT(int (*)(const char *, const char *), "rename");
    AIS_PATH_GUARD(from);
    AIS_PATH_GUARD(to);
    return real(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    AIS_NEXT(int (*)(int, const char *, int, const char *), "renameat");
    AIS_PATH_GUARD(from);
    AIS_PATH_GUARD(to);
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    AIS_NEXT(int (*)(int, const char *, int, const char *, unsigned int), "renameat2");
    AIS_PATH_GUARD(from);
    AIS_PATH_GUARD(to);
    return real(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to)
{
    AIS_NEXT(int (*)(const char *, const char *), "link");
    AIS_PATH_GUARD(to);
    return real(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    AIS_NEXT(int (*)(int, const char *, int, const char *, int), "linkat");
    AIS_PATH_GUARD(to);
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char *path)
{
    AIS_NEXT(int (*)(const char *), "unlink");
    AIS_PATH_GUARD(path);
    return real(path);
}

int unlinkat(int dir, const char *path, int flags)
{
    AIS_NEXT(int (*)(int, const char *, int), "unlinkat");
    AIS_PATH_GUARD(path);
    return real(dir, path, flags);
}

int mkdir(const char *path, mode_t m)
{
    AIS_NEXT(int (*)(const char *, mode_t), "mkdir");
    AIS_PATH_GUARD(path);
    return real(path, m);
}

int rmdir(const char *path)
{
    AIS_NEXT(int (*)(const char *), "rmdir");
    AIS_PATH_GUARD(path);
    return real(path);
}

int truncate(const char *path, off_t length)
{
    AIS_NEXT(int (*)(const char *, off_t), "truncate");
    AIS_PATH_GUARD(path);
    return real(path, length);
}

// Control, found by the test with dlsym. `path` is a folder ending in "/"
// or one file; `budget` is what a full volume still takes, or what is
// written before the volume vanishes.
__attribute__((visibility("default"))) int ais_volume_fault_arm(int kind, const char *path, long long budget)
{
    if (path == nullptr || std::strlen(path) >= kPathMax || kind < Off || kind > Stall)
        return 0;
    g_mode.store(Off, std::memory_order_release);
    for (auto &fd : g_tracked)
        fd.store(0, std::memory_order_relaxed);
    std::strcpy(g_prefix, path);
    g_prefixLen.store(std::strlen(path), std::memory_order_release);
    g_budget.store(budget);
    g_written.store(0);
    g_fired.store(false);
    g_gone.store(false);
    g_resume.store(0);
    g_mode.store(kind, std::memory_order_release);
    return 1;
}

// A stalled volume: 1 while a write hangs. resume(0) lets writes go on,
// resume(1) makes the hanging write and later ones fail.
__attribute__((visibility("default"))) int ais_volume_fault_stalled()
{
    return g_stalled.load() ? 1 : 0;
}

__attribute__((visibility("default"))) void ais_volume_fault_resume(int fail)
{
    g_resume.store(fail != 0 ? 2 : 1);
}

__attribute__((visibility("default"))) void ais_volume_fault_set_hook(void (*hook)(void *), void *context)
{
    g_hookContext.store(context);
    g_hook.store(hook);
}

__attribute__((visibility("default"))) int ais_volume_fault_fired()
{
    return g_fired.load() ? 1 : 0;
}

__attribute__((visibility("default"))) long long ais_volume_fault_written()
{
    return g_written.load();
}

}  // extern "C"
