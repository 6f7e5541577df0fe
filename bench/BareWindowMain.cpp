// The start-up floor: a bare Qt Widgets window of the wizard's size, built in
// the same tree and started the same way. Prints one line when it is shown.
#include <QApplication>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(600, 500);
    window.setWindowTitle(QStringLiteral("AIS Firmware Upgrade"));
    window.show();
    std::fprintf(stderr, "bench_barewindow shown\n");
    std::fflush(stderr);
    return app.exec();
}
