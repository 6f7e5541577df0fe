// Build tool: renders the operator manual's Markdown source to its PDF.
// Usage: ais_manual_render <manual.md> <manual.pdf>
#include "packaging/manual/ManualRenderer.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ais_manual_render <manual.md> <manual.pdf>\n");
        return 2;
    }
    ManualRenderer renderer(args.at(1));
    if (!renderer.render(args.at(2))) {
        std::fprintf(stderr, "ais_manual_render: %s\n", qPrintable(renderer.errorText()));
        return 1;
    }
    std::printf("%s: %d pages\n", qPrintable(args.at(2)), renderer.pageCount());
    return 0;
}
