/* Checks the shim's behaviours on a real pty (run with the shim preloaded and
 * AIS_PTYSHIM_READ_LOG set). */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <pty.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

static int failures;
#define CHECK(cond)                                                      \
    do {                                                                 \
        if (!(cond)) {                                                   \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                  \
        }                                                                \
    } while (0)

int main(void)
{
    int master = -1, slave = -1;
    CHECK(openpty(&master, &slave, NULL, NULL, NULL) == 0);
    struct termios raw;
    CHECK(tcgetattr(slave, &raw) == 0);
    cfmakeraw(&raw);
    CHECK(tcsetattr(slave, TCSANOW, &raw) == 0);

    int bits = TIOCM_DTR;
    CHECK(ioctl(slave, TIOCMBIS, &bits) == 0);
    bits = TIOCM_RTS;
    CHECK(ioctl(slave, TIOCMBIS, &bits) == 0);
    int got = 0;
    CHECK(ioctl(slave, TIOCMGET, &got) == 0);
    CHECK((got & (TIOCM_DTR | TIOCM_RTS)) == (TIOCM_DTR | TIOCM_RTS));
    bits = TIOCM_DTR;
    CHECK(ioctl(slave, TIOCMBIC, &bits) == 0);
    CHECK(ioctl(slave, TIOCMGET, &got) == 0);
    CHECK((got & TIOCM_DTR) == 0 && (got & TIOCM_RTS) != 0);

    /* Ordinary ioctls still reach the kernel: a pipe is no terminal. */
    int fds[2];
    CHECK(pipe(fds) == 0);
    CHECK(ioctl(fds[0], TIOCMGET, &got) == -1 && errno == ENOTTY);

    /* An idle non-blocking slave still reads as "no data", not EIO. */
    fcntl(slave, F_SETFL, fcntl(slave, F_GETFL) | O_NONBLOCK);
    char buf[16];
    errno = 0;
    ssize_t n = read(slave, buf, sizeof buf);
    CHECK(n <= 0 && errno != EIO);

    CHECK(write(master, "ab", 2) == 2);
    usleep(50000);
    CHECK(read(slave, buf, sizeof buf) == 2);
    CHECK(write(master, "cde", 3) == 3);
    usleep(50000);
    CHECK(read(slave, buf, sizeof buf) == 3);

    /* Each read that returned bytes is recorded apart, in order: a check
     * counts the reads (a Windows program under Wine reads again only once
     * the last read reached it). */
    const char *log = getenv("AIS_PTYSHIM_READ_LOG");
    CHECK(log != NULL);
    if (log != NULL) {
        const char *want[] = {"ab", "cde", NULL};
        for (int i = 0; i < 3; ++i) {
            char path[512], got[16] = {0};
            snprintf(path, sizeof path, "%s.%d", log, i + 1);
            FILE *f = fopen(path, "rb");
            if (want[i] == NULL) {
                CHECK(f == NULL);
            } else {
                CHECK(f != NULL && fread(got, 1, sizeof got - 1, f) == strlen(want[i]) && strcmp(got, want[i]) == 0);
            }
            if (f != NULL)
                fclose(f);
            remove(path);
        }
    }

    close(master);
    usleep(50000);
    errno = 0;
    n = read(slave, buf, sizeof buf);
    CHECK(n == -1 && errno == EIO);

    close(slave);
    close(fds[0]);
    close(fds[1]);
    if (failures == 0)
        printf("ptyshim: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
