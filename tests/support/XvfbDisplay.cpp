#include "tests/support/XvfbDisplay.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {
constexpr int kStartLimitMs = 10000;
}  // namespace

XvfbDisplay::XvfbDisplay(int iDpi)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        m_strError = QStringLiteral("pipe: %1").arg(errno);
        return;
    }
    // Xvfb writes its display number to this descriptor once it listens:
    // no guessing at free numbers, which other tests may be taking too.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args{"Xvfb",     "-displayfd",      "3",    "-screen", "0", "2880x1800x24",
                                  "-dpi",     std::to_string(iDpi), "-nolisten", "tcp", "-noreset"};
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&m_iPid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        m_iPid = -1;
        ::close(fds[0]);
        m_strError = QStringLiteral("Xvfb could not be started (error %1)").arg(spawned);
        return;
    }

    QByteArray number;
    pollfd pfd{fds[0], POLLIN, 0};
    while (!number.endsWith('\n') && ::poll(&pfd, 1, kStartLimitMs) > 0) {
        char buffer[16];
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, static_cast<int>(got));
    }
    ::close(fds[0]);
    if (!number.endsWith('\n')) {
        m_strError = QStringLiteral("Xvfb named no display within %1 ms").arg(kStartLimitMs);
        return;
    }
    m_strName = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

XvfbDisplay::~XvfbDisplay()
{
    if (m_iPid <= 0)
        return;
    ::kill(m_iPid, SIGTERM);
    int status = 0;
    while (::waitpid(m_iPid, &status, 0) < 0 && errno == EINTR) {
    }
}
