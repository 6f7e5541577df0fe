#pragma once

#include <QSettings>

// An INI format for QSettings that keeps every value as the plain text the
// file holds. Qt's own IniFormat decodes values written as "@Variant(...)"
// with QDataStream, and a crafted one makes it allocate without bound; the
// files read with this format only ever hold plain numbers and names.
class CPlainIniFormat {
public:
    // Registered on first use; safe from any thread.
    static QSettings::Format format();

    // "[Group]" lines, "key=value" lines (a value in double quotes loses
    // them), ';' and '#' comment lines; keys are "Group/key".
    static bool read(QIODevice &device, QSettings::SettingsMap &map);
};
