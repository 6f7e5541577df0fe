/*
 * Test-only LD_PRELOAD shim that gives pseudo-terminal slaves the modem
 * control lines a real serial port has, so a real QSerialPort opened on a
 * pty gets through setDataTerminalReady/setRequestToSend. Never ships.
 *
 * What it does, for pty slave descriptors only (character devices of the
 * Unix98 pty slave majors 136..143); everything else goes to the next ioctl,
 * read and close in the chain (dlsym(RTLD_NEXT)):
 *   - TIOCMGET/TIOCMSET/TIOCMBIS/TIOCMBIC are answered from a per-descriptor
 *     bit set (DTR, RTS, ...; TIOCMGET also reports CAR, DSR and CTS as a
 *     present peer). The bits are forgotten when the descriptor is closed.
 *   - A read that returns 0 on a hung-up slave (its master was closed, as
 *     when a USB device is pulled) fails with EIO instead, which is what a
 *     vanished serial device reports; QSerialPort turns that into
 *     ResourceError.
 *   - With AIS_PTYSHIM_READ_LOG set to a path, each read of a slave that
 *     returns bytes is recorded in a file of its own, that path followed by
 *     ".1", ".2", ... in the order of the reads: what reached the process
 *     from the line and in how many reads, for a check that cannot see
 *     inside the process (a Windows program under Wine).
 *
 * Use: build the target ais_ptyshim and run the program with
 *   LD_PRELOAD=/path/libais_ptyshim.so
 * (in CMake tests: ENV LD_PRELOAD=$<TARGET_FILE:ais_ptyshim>). Together with
 * umockdev, put the shim first: LD_PRELOAD=libais_ptyshim.so:libumockdev-preload.so.
 * In AddressSanitizer builds also set ASAN_OPTIONS=verify_asan_link_order=0,
 * since the preloaded shim then comes before the sanitizer runtime; the shim
 * itself is built without sanitizer instrumentation.
 * Set AIS_PTYSHIM_OFF=1 to pass everything through unchanged.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <termios.h>
#include <unistd.h>

#define SHIM_MAX_FDS 4096

typedef int (*ioctl_fn)(int, unsigned long, ...);
typedef ssize_t (*read_fn)(int, void *, size_t);
typedef int (*close_fn)(int);

static ioctl_fn real_ioctl;
static read_fn real_read;
static close_fn real_close;
static int shim_off;
static pthread_once_t shim_once = PTHREAD_ONCE_INIT;
static pthread_mutex_t shim_lock = PTHREAD_MUTEX_INITIALIZER;
static int modem_bits[SHIM_MAX_FDS];
static const char *read_log;
static unsigned read_count;

static void shim_init(void)
{
    real_ioctl = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
    real_read = (read_fn)dlsym(RTLD_NEXT, "read");
    real_close = (close_fn)dlsym(RTLD_NEXT, "close");
    const char *off = getenv("AIS_PTYSHIM_OFF");
    shim_off = off != NULL && off[0] == '1';
    read_log = getenv("AIS_PTYSHIM_READ_LOG");
    if (read_log != NULL && read_log[0] == '\0')
        read_log = NULL;
}

static void log_read(const void *buf, ssize_t got)
{
    const int saved = errno;
    char path[4096];
    pthread_mutex_lock(&shim_lock);
    const unsigned n = ++read_count;
    pthread_mutex_unlock(&shim_lock);
    snprintf(path, sizeof path, "%s.%u", read_log, n);
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ssize_t done = 0;
        while (done < got) {
            const ssize_t w = write(fd, (const char *)buf + done, (size_t)(got - done));
            if (w <= 0)
                break;
            done += w;
        }
        real_close(fd);
    }
    errno = saved;
}

static void shim_ready(void)
{
    pthread_once(&shim_once, shim_init);
}

static int is_pty_slave(int fd)
{
    if (shim_off || fd < 0 || fd >= SHIM_MAX_FDS)
        return 0;
    const int saved = errno;
    struct stat st;
    const int slave = fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
                      major(st.st_rdev) <= 143;
    errno = saved;
    return slave;
}

int ioctl(int fd, unsigned long request, ...)
{
    va_list ap;
    va_start(ap, request);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    shim_ready();

    const int modem = request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
    if (!modem || !is_pty_slave(fd))
        return real_ioctl(fd, request, arg);
    int *value = (int *)arg;
    if (value == NULL) {
        errno = EFAULT;
        return -1;
    }
    pthread_mutex_lock(&shim_lock);
    if (request == TIOCMGET)
        *value = modem_bits[fd] | TIOCM_CAR | TIOCM_DSR | TIOCM_CTS;
    else if (request == TIOCMSET)
        modem_bits[fd] = *value;
    else if (request == TIOCMBIS)
        modem_bits[fd] |= *value;
    else
        modem_bits[fd] &= ~*value;
    pthread_mutex_unlock(&shim_lock);
    return 0;
}

ssize_t read(int fd, void *buf, size_t count)
{
    shim_ready();
    const ssize_t got = real_read(fd, buf, count);
    if (got > 0 && read_log != NULL && is_pty_slave(fd))
        log_read(buf, got);
    if (got != 0 || count == 0 || !is_pty_slave(fd))
        return got;
    /* A hung-up tty refuses every ioctl with EIO; an idle one answers. */
    int pending = 0;
    if (real_ioctl(fd, FIONREAD, &pending) == -1 && errno == EIO) {
        errno = EIO;
        return -1;
    }
    return got;
}

int close(int fd)
{
    shim_ready();
    if (fd >= 0 && fd < SHIM_MAX_FDS) {
        pthread_mutex_lock(&shim_lock);
        modem_bits[fd] = 0;
        pthread_mutex_unlock(&shim_lock);
    }
    return real_close(fd);
}
