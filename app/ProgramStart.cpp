#include "app/ProgramStart.h"

#include "app/AppConstants.h"
#include "app/CLanguageChoice.h"
#include "app/CLanguageSettings.h"
#include "app/CLanguageSwitch.h"
#include "app/MainWindow.h"
#include "log/AppPaths.h"
#include "log/SysDebug.h"
#include "log/SysLog.h"
#include "platform/host/UiLanguages.h"
#include "ui/LibraryFont.h"

#include <QGuiApplication>

void ProgramStart::beforeApplication()
{
    // The 600 x 500 layout is in device-independent pixels and follows the
    // display's scale, like Qt's message boxes do. The scale is taken as the
    // system gives it: rounding would leave the window unscaled at 125 % and
    // a third too large at 150 % (and unlike the boxes at both).
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

void ProgramStart::applyLanguage(const QString &strLanguage)
{
    if (!strLanguage.isEmpty() && CLanguageSwitch::instance().apply(strLanguage)) {
        AIS_LOG(SysLevel::Info, "ProgramStart::applyLanguage", "Language %s (given)", strLanguage.toUtf8().constData());
        return;
    }
    const CLanguageSettings settings;
    const QString chosen = settings.operatorChoice();
    const QString installed = settings.installerChoice();
    QStringList display;
    for (const std::string &name : UiLanguages::userPreferred())
        display << QString::fromStdString(name);
    const QString code = CLanguageChoice(CLanguageSwitch::shipped()).choose(chosen, installed, display);
    CLanguageSwitch::instance().apply(code);
    AIS_LOG(SysLevel::Info, "ProgramStart::applyLanguage", "Language %s (chosen: %s, installer: %s, display: %s)",
            code.toUtf8().constData(), chosen.toUtf8().constData(), installed.toUtf8().constData(),
            display.join(QLatin1Char(' ')).toUtf8().constData());
}

std::unique_ptr<MainWindow> ProgramStart::run(const QString &strLanguage)
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
    applyLanguage(strLanguage);

    auto window = std::make_unique<MainWindow>();
    window->setWindowFlags(Qt::CustomizeWindowHint | Qt::FramelessWindowHint);
    window->setWindowTitle(kAppTitle);
    window->show();

    // A failed start-up still hands the services back as the window goes.
    if (!window->sysInit())
        return nullptr;
    return window;
}
