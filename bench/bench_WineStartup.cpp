// Start-up of the Windows program under Wine against a bare Qt Widgets window
// of the same size and title built with the same Qt SDK for Windows (the
// floor), both started by wine64 in one warmed-up prefix on one X display:
// process start to the window on screen with its first frame painted.
//
// "Painted" is read from the screen, the same way for both: a mapped
// top-level window titled "AIS Firmware Upgrade" whose middle (the client
// area, below any caption Wine draws) holds a pixel that is not black; a
// window Wine has mapped shows black there until the program has drawn its
// first frame. For the program that frame is the welcome page.
//
// scripts/run-bench.sh wine starts Xvfb, makes the prefix and names the two
// programs: AIS_BENCH_WINE (wine64), AIS_BENCH_WIN_PROGRAM (the program's
// .exe in its deployable folder), AIS_BENCH_WIN_BARE (the bare window's .exe
// beside the same Qt DLLs); WINEPREFIX and DISPLAY come from there too.
#include "bench/BenchSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {
const char kTitle[] = "AIS Firmware Upgrade";
constexpr int kTimeoutMs = 60000;

std::string envOr(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// X errors (a window gone between listing and reading it) are expected here.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

class Screen {
public:
    Screen() : m_poDisplay(XOpenDisplay(nullptr)) { XSetErrorHandler(ignoreXError); }
    ~Screen()
    {
        if (m_poDisplay != nullptr)
            XCloseDisplay(m_poDisplay);
    }
    bool ok() const { return m_poDisplay != nullptr; }

    // Mapped top-level windows with the title, and whether one of them shows
    // its first frame.
    struct Look {
        int windows = 0;
        bool painted = false;
    };

    Look look()
    {
        Look result;
        Window root = DefaultRootWindow(m_poDisplay), parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(m_poDisplay, root, &root, &parent, &children, &count) == 0)
            return result;
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(m_poDisplay, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
                continue;
            char *name = nullptr;
            const bool titled = XFetchName(m_poDisplay, children[i], &name) != 0 && name != nullptr
                                && std::strcmp(name, kTitle) == 0;
            if (name != nullptr)
                XFree(name);
            if (!titled)
                continue;
            ++result.windows;
            result.painted = result.painted || painted(children[i], attributes);
        }
        if (children != nullptr)
            XFree(children);
        return result;
    }

private:
    bool painted(Window window, const XWindowAttributes &attributes)
    {
        const int w = attributes.width / 2, h = attributes.height / 2;
        if (w <= 0 || h <= 0)
            return false;
        XImage *image = XGetImage(m_poDisplay, window, attributes.width / 4, attributes.height / 4, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (image == nullptr)
            return false;
        bool any = false;
        for (int y = 0; y < h && !any; ++y)
            for (int x = 0; x < w && !any; ++x)
                any = (XGetPixel(image, x, y) & 0xffffff) != 0;
        XDestroyImage(image);
        return any;
    }

    Display *m_poDisplay;
};

// One Windows program started by wine64 from its own folder.
class WineChild {
public:
    explicit WineChild(const std::string &exe)
    {
        const std::string wine = envOr("AIS_BENCH_WINE");
        const std::string dir = exe.substr(0, exe.rfind('/'));
        std::vector<std::string> env;
        for (char **e = environ; *e != nullptr; ++e)
            if (std::strncmp(*e, "QT_", 3) != 0)
                env.emplace_back(*e);
        std::vector<char *> envp;
        for (std::string &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string wineArg = wine, exeArg = exe;
        char *argv[] = {wineArg.data(), exeArg.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        m_iStartNs = BenchSupport::nowNs();
        if (posix_spawn(&m_iPid, wine.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            m_iPid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    ~WineChild() { stop(); }

    // Nanoseconds from the spawn to the first painted frame, or -1.
    int64_t waitPainted(Screen &screen)
    {
        if (m_iPid <= 0)
            return -1;
        const int64_t deadline = m_iStartNs + int64_t(kTimeoutMs) * 1000000;
        while (BenchSupport::nowNs() < deadline) {
            if (screen.look().painted)
                return BenchSupport::nowNs() - m_iStartNs;
            int status = 0;
            if (waitpid(m_iPid, &status, WNOHANG) == m_iPid) {
                m_iPid = -1;
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return -1;
    }

    void stop()
    {
        if (m_iPid <= 0)
            return;
        ::kill(m_iPid, SIGKILL);
        int status = 0;
        waitpid(m_iPid, &status, 0);
        m_iPid = -1;
    }

private:
    pid_t m_iPid = -1;
    int64_t m_iStartNs = 0;
};

// Until no window with the title is left (the last run's is gone).
bool waitGone(Screen &screen)
{
    const int64_t deadline = BenchSupport::nowNs() + int64_t(kTimeoutMs) * 1000000;
    while (BenchSupport::nowNs() < deadline) {
        if (screen.look().windows == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void BM_WineStartup(benchmark::State &state, const char *exeVariable)
{
    const std::string exe = envOr(exeVariable);
    if (envOr("AIS_BENCH_WINE").empty() || exe.empty() || access(exe.c_str(), R_OK) != 0) {
        state.SkipWithError("run through scripts/run-bench.sh wine");
        return;
    }
    Screen screen;
    if (!screen.ok()) {
        state.SkipWithError("no X display");
        return;
    }
    // One start first, untimed: the prefix's services and the DLLs come up
    // warm, as on a machine that has run the program before.
    {
        WineChild warmUp(exe);
        if (!waitGone(screen) || warmUp.waitPainted(screen) < 0) {
            state.SkipWithError("window not painted");
            return;
        }
    }
    for (auto _ : state) {
        if (!waitGone(screen)) {
            state.SkipWithError("the last run's window stays");
            return;
        }
        WineChild child(exe);
        const int64_t ns = child.waitPainted(screen);
        if (ns < 0) {
            state.SkipWithError("window not painted");
            return;
        }
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
}
}  // namespace

BENCHMARK_CAPTURE(BM_WineStartup, Program, "AIS_BENCH_WIN_PROGRAM")
    ->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);
BENCHMARK_CAPTURE(BM_WineStartup, BareWindow, "AIS_BENCH_WIN_BARE")
    ->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::withMin);

int main(int argc, char **argv)
{
    return BenchSupport::runBenchmarks(argc, argv, false);
}
