#include "comm/CPlainIniFormat.h"

#include <QIODevice>

QSettings::Format CPlainIniFormat::format()
{
    // Read only: nothing writes these files through QSettings.
    static const QSettings::Format registered = QSettings::registerFormat(
        QStringLiteral("ini"), &CPlainIniFormat::read,
        [](QIODevice &, const QSettings::SettingsMap &) { return false; }, Qt::CaseInsensitive);
    return registered;
}

bool CPlainIniFormat::read(QIODevice &device, QSettings::SettingsMap &map)
{
    QString group;
    const QList<QByteArray> lines = device.readAll().split('\n');
    for (const QByteArray &raw : lines) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        map.insert(group.isEmpty() ? key : group + QLatin1Char('/') + key, value);
    }
    return true;
}
