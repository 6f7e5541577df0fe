// The wizard as the program starts it, with a simulated AIS-B-470 (older
// firmware) on a fake USB serial port, its bootloader volume and a newer
// firmware package: press Start and Next and watch a whole upgrade without
// hardware. Run it through run-AisUpgradeDemo.sh in its build folder, which
// loads the fake USB ports. "--scripted" lets it drive itself (for
// scripts/run-demo.sh without a display).
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "sim/demo/DemoScript.h"
#include "sim/demo/DemoWorld.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool scripted = app.arguments().contains(QStringLiteral("--scripted"));

    // First: the fake USB bus must exist before any other thread starts.
    DemoWorld world;
    if (!world.isReady()) {
        std::fprintf(stderr, "AisUpgradeDemo: %s\n", qPrintable(world.errorText()));
        return 1;
    }

    // From here on exactly the program's own start.
    auto window = ProgramStart::run();
    if (!window)
        return 0;
    world.watch(*window);

    std::unique_ptr<DemoScript> script;
    if (scripted) {
        script = std::make_unique<DemoScript>(*window);
        QObject::connect(script.get(), &DemoScript::finished, &app, [](int code) { QCoreApplication::exit(code); });
        script->start();
    }

    const int code = app.exec();
    script.reset();
    window.reset();
    return code;
}
