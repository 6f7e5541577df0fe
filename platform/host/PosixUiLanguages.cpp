#include "platform/host/UiLanguages.h"

#include <QLocale>
#include <QStringList>

std::vector<std::string> UiLanguages::userPreferred()
{
    std::vector<std::string> languages;
    for (const QString &name : QLocale::system().uiLanguages())
        languages.push_back(name.toStdString());
    return languages;
}
