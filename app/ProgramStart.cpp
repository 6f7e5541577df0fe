#include "app/ProgramStart.h"

#include "app/AppConstants.h"
#include "app/MainWindow.h"
#include "log/AppPaths.h"
#include "log/SysDebug.h"
#include "ui/LibraryFont.h"

#include <QCoreApplication>

std::unique_ptr<MainWindow> ProgramStart::run()
{
    AppPaths::setAppFolder(QString());
    const QString appDir = AppPaths::appDir();
    const QString profilePath = AppPaths::profilePath();

    // In its decoding mode the logger only decodes the log: no window.
    if (!SysDebug::instance()->start(appDir, profilePath)) {
        QCoreApplication::exit(0);
        return nullptr;
    }

    LibraryFont::instance().init(profilePath, kFontFamily, 16, 1.0);

    auto window = std::make_unique<MainWindow>();
    window->setWindowFlags(Qt::CustomizeWindowHint | Qt::FramelessWindowHint);
    window->setWindowTitle(kAppTitle);
    window->show();

    // A failed start-up still hands the services back as the window goes.
    if (!window->sysInit())
        return nullptr;
    return window;
}
