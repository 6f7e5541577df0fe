// Start-up of the real program against a bare Qt Widgets window of the same
// size (the floor), both under QT_QPA_PLATFORM=offscreen: process start to
// the main window shown (the program's first log line after show, the bare
// window's own line), and the idle CPU use and resident memory of the
// waiting wizard over 10 s.
#include "bench/BenchSupport.h"

#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {
struct Program {
    std::string path;
    std::string shownMarker;
};

Program realProgram()
{
    // The program sits beside the bench folder in the same build tree; on
    // Linux its start-up check changes nothing, and it logs this right after
    // the window was shown.
    return {BenchSupport::binaryDir() + "/../app/AisFirmwareUpgrade", "Record modified services and registry status"};
}

Program bareWindow()
{
    return {BenchSupport::binaryDir() + "/bench_barewindow", "bench_barewindow shown"};
}

// One started program whose standard error is read for the marker.
class Child {
public:
    Child(const Program &program, const std::string &workDir) : m_oProgram(program)
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> env;
        for (char **e = environ; *e != nullptr; ++e)
            if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
                env.emplace_back(*e);
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
        std::vector<char *> envp;
        for (std::string &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string path = program.path;
        char *argv[] = {path.data(), nullptr};
        // The logger writes into the working directory: a scratch one.
        posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
        m_iStartNs = BenchSupport::nowNs();
        if (posix_spawn(&m_iPid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            m_iPid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_iFd = fds[0];
    }

    ~Child()
    {
        if (m_iPid > 0) {
            ::kill(m_iPid, SIGTERM);
            int status = 0;
            waitpid(m_iPid, &status, 0);
        }
        if (m_iFd >= 0)
            ::close(m_iFd);
    }

    // Nanoseconds from the spawn to the marker line, or -1.
    int64_t waitShown(int timeoutMs = 30000)
    {
        if (m_iPid <= 0)
            return -1;
        std::string buffer;
        const int64_t deadline = BenchSupport::nowNs() + int64_t(timeoutMs) * 1000000;
        while (BenchSupport::nowNs() < deadline) {
            pollfd p{m_iFd, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0)
                continue;
            char chunk[4096];
            const ssize_t n = ::read(m_iFd, chunk, sizeof chunk);
            if (n <= 0)
                return -1;
            const int64_t at = BenchSupport::nowNs();
            buffer.append(chunk, static_cast<size_t>(n));
            if (buffer.find(m_oProgram.shownMarker) != std::string::npos)
                return at - m_iStartNs;
        }
        return -1;
    }

    // Keeps reading (and dropping) standard error, as a terminal would.
    void drainFor(int ms)
    {
        const int64_t deadline = BenchSupport::nowNs() + int64_t(ms) * 1000000;
        for (int64_t now = BenchSupport::nowNs(); now < deadline; now = BenchSupport::nowNs()) {
            pollfd p{m_iFd, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>((deadline - now) / 1000000) + 1) > 0) {
                char chunk[4096];
                if (::read(m_iFd, chunk, sizeof chunk) <= 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }

    // User plus system CPU time in clock ticks.
    long cpuTicks() const
    {
        std::ifstream stat("/proc/" + std::to_string(m_iPid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t close = text.rfind(')');
        if (close == std::string::npos)
            return -1;
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        long utime = 0, stime = 0;
        // Fields after the name start at field 3 (state); utime is 14, stime 15.
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14)
                utime = std::stol(field);
            if (i == 15)
                stime = std::stol(field);
        }
        return utime + stime;
    }

    long rssKiB() const
    {
        std::ifstream status("/proc/" + std::to_string(m_iPid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmRSS:", 0) == 0)
                return std::stol(line.substr(6));
        return -1;
    }

private:
    Program m_oProgram;
    pid_t m_iPid = -1;
    int m_iFd = -1;
    int64_t m_iStartNs = 0;
};

void BM_Startup(benchmark::State &state, Program (*program)())
{
    const Program p = program();
    if (!QFileInfo::exists(QString::fromStdString(p.path))) {
        state.SkipWithError(("missing " + p.path).c_str());
        return;
    }
    const std::string dir = BenchSupport::scratchDir("startup");
    for (auto _ : state) {
        Child child(p, dir);
        const int64_t ns = child.waitShown();
        if (ns < 0) {
            state.SkipWithError("window not shown");
            return;
        }
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
}

void BM_Idle(benchmark::State &state, Program (*program)())
{
    const Program p = program();
    const std::string dir = BenchSupport::scratchDir("idle");
    constexpr int kSettleMs = 2000;
    constexpr int kIdleMs = 10000;
    double cpuPercent = 0;
    long rss = 0;
    for (auto _ : state) {
        Child child(p, dir);
        if (child.waitShown() < 0) {
            state.SkipWithError("window not shown");
            return;
        }
        child.drainFor(kSettleMs);
        const long before = child.cpuTicks();
        const int64_t t0 = BenchSupport::nowNs();
        child.drainFor(kIdleMs);
        const long after = child.cpuTicks();
        const double seconds = static_cast<double>(BenchSupport::nowNs() - t0) / 1e9;
        cpuPercent = 100.0 * static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
        rss = child.rssKiB();
        state.SetIterationTime(seconds);
    }
    state.counters["cpu_percent"] = cpuPercent;
    state.counters["rss_kib"] = static_cast<double>(rss);
}
}  // namespace

BENCHMARK_CAPTURE(BM_Startup, Program, realProgram)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_Startup, BareWindow, bareWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_Idle, Program, realProgram)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Idle, BareWindow, bareWindow)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchSupport::runBenchmarks(argc, argv, false);
}
