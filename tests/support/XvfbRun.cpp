// ais_xvfb_run <dpi> <program> [arguments...]: runs a test program on an X
// server of its own at that resolution (XvfbDisplay), with Qt on it instead
// of the offscreen platform the tests otherwise use; exits as the program did.
#include "tests/support/XvfbDisplay.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

int main(int argc, char **argv)
{
    const int dpi = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (dpi <= 0) {
        std::fprintf(stderr, "usage: ais_xvfb_run <dpi> <program> [arguments...]\n");
        return 2;
    }
    const XvfbDisplay display(dpi);
    if (!display.isReady()) {
        std::fprintf(stderr, "ais_xvfb_run: %s\n", qPrintable(display.errorText()));
        return 1;
    }
    setenv("DISPLAY", qPrintable(display.name()), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ);
    if (spawned != 0) {
        std::fprintf(stderr, "ais_xvfb_run: cannot start %s (error %d)\n", argv[2], spawned);
        return 1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
