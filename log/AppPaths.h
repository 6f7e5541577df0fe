#pragma once

#include <QString>

// The program's folders: where it is installed and where "profile.ini" lives.
class AppPaths {
public:
    // Stores the sub-folder name and prepares the data folder under Documents.
    static void setAppFolder(const QString &name);
    static QString appDir();        // program folder with a trailing "/"
    static QString profilePath();   // appDir() + "profile.ini"
    static QString dataDir();

private:
    static QString s_strAppFolder;
    static QString s_strDataDir;
};
