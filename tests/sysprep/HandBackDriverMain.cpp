// sysprep_handback_driver <host folder> <record folder> wait|close
// The program's start on the simulated Windows host, in a process of its own
// so a test can kill it: builds the main window, runs the start-up check,
// prints "ready" with the recorded "before" values, then either waits to be
// killed (wait) or closes the window normally and prints "closed" (close).
// The host's state and command log in <host folder> carry over between runs.
#include "app/MainWindow.h"
#include "platform/host/IWinHost.h"
#include "sim/host/SimHostState.h"
#include "sim/host/SimWinHost.h"
#include "sysprep/SysSnapshotFile.h"
#include "tests/support/MessageBoxAnswerer.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}
}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[3] != "wait" && args[3] != "close")) {
        std::printf("usage: sysprep_handback_driver <host folder> <record folder> wait|close\n");
        return 64;
    }
    const QString hostDir = args[1];

    // Setting the host up afresh would forget what the earlier run changed:
    // keep its state and command log across.
    const QString statePath = hostDir + "/" + SimHostState::kFileName;
    const QString logPath = hostDir + "/" + SimHostState::kCommandLogName;
    const QByteArray state = readAll(statePath);
    const QByteArray commands = readAll(logPath);
    SimWinHost host(hostDir);
    writeAll(statePath, state);
    writeAll(logPath, commands);
    if (!host.isReady()) {
        std::printf("host not ready\n");
        return 2;
    }
    IWinHost::setCurrent(&host);
    SysSnapshotFile::setDefaultDir(args[2]);

    MessageBoxAnswerer answerer(QMessageBox::Ok);
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (!window->sysInit()) {
        std::printf("sysInit failed\n");
        std::fflush(stdout);
        window.reset();
        IWinHost::setCurrent(nullptr);
        return 3;
    }
    const SysSvcInfo &b = window->sysStatusBefore();
    std::printf("ready before=%d,%d,%d,%d,%d,%d\n", b.storageReg, b.wsearchReg, b.storageService,
                b.wsearchService, b.shellHWDetectionService, b.bitLockerService);
    std::fflush(stdout);

    if (args[3] == "wait")
        return app.exec();  // until killed

    window.reset();
    IWinHost::setCurrent(nullptr);
    std::printf("closed\n");
    std::fflush(stdout);
    return 0;
}
