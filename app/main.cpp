#include "app/MainWindow.h"
#include "app/ProgramStart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ProgramStart::beforeApplication();
    QApplication app(argc, argv);
    auto window = ProgramStart::run();
    if (!window)
        return 0;
    const int code = app.exec();
    window.reset();
    return code;
}
