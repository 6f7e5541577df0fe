// The wizard as the program starts it, with a simulated AIS-B-470 (older
// firmware) on a fake USB serial port, its bootloader volume and a newer
// firmware package: press Start and Next and watch a whole upgrade without
// hardware. Run it through run-AisUpgradeDemo.sh in its build folder, which
// loads the fake USB ports.
//   --scripted      it drives itself (scripts/run-demo.sh without a display)
//   --windows       a simulated Windows 10 host: the start-up check stops its
//                   services first, with its notice and its waiting page
//   --shots DIR     with --scripted: saves the pictures itself into DIR
//                   (scripts/manual-screenshots.sh)
//   --language CODE speaks a shipped language ("de", "ja", the pseudo-language
//                   "en_XA") whatever the stored choice and the display
//                   language; a test tool's option, which the program has not
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "sim/demo/DemoScript.h"
#include "sim/demo/DemoWorld.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    ProgramStart::beforeApplication();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool scripted = args.contains(QStringLiteral("--scripted"));
    const bool windowsHost = args.contains(QStringLiteral("--windows"));
    const int shotsAt = args.indexOf(QStringLiteral("--shots"));
    const QString shotDir = shotsAt > 0 && shotsAt + 1 < args.size() ? args.at(shotsAt + 1) : QString();
    const int languageAt = args.indexOf(QStringLiteral("--language"));
    const QString language = languageAt > 0 && languageAt + 1 < args.size() ? args.at(languageAt + 1) : QString();

    // First: the fake USB bus must exist before any other thread starts.
    DemoWorld world(windowsHost);
    if (!world.isReady()) {
        std::fprintf(stderr, "AisUpgradeDemo: %s\n", qPrintable(world.errorText()));
        return 1;
    }

    // Before the program's start: its start-up check may open a box first.
    std::unique_ptr<DemoScript> script;
    if (scripted) {
        script = std::make_unique<DemoScript>(world, windowsHost, shotDir);
        QObject::connect(script.get(), &DemoScript::finished, &app, [](int code) { QCoreApplication::exit(code); });
        script->start();
    }

    // From here on exactly the program's own start, in the language asked for.
    auto window = ProgramStart::run(language);
    if (!window)
        return scripted ? 1 : 0;
    world.watch(*window);

    const int code = app.exec();
    script.reset();
    window.reset();
    return code;
}
