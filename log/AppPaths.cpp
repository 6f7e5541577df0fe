#include "log/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString AppPaths::s_strAppFolder;
QString AppPaths::s_strDataDir;

void AppPaths::setAppFolder(const QString &name)
{
    s_strAppFolder = name;
    const QString documents = QStandardPaths::locate(QStandardPaths::DocumentsLocation, QString(),
                                                      QStandardPaths::LocateDirectory);
    QString dir = documents + name;
    if (!QDir(dir).exists() && !QDir().mkpath(dir))
        dir = documents;
    s_strDataDir = dir;
}

QString AppPaths::appDir()
{
    return QCoreApplication::applicationDirPath() + "/";
}

QString AppPaths::profilePath()
{
    return appDir() + "profile.ini";
}

QString AppPaths::dataDir()
{
    return s_strDataDir;
}
