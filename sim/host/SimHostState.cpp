#include "sim/host/SimHostState.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

// Format, one record per line:
//   admin <0|1>
//   service <name> <state> <start> <netHangs> <scHangs> <stopRefusals> [<dependency>,...] [delay=<netDelayMs>]
bool SimHostState::load(const QString &path)
{
    admin = true;
    services.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(' ', Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        if (fields[0] == "admin" && fields.size() == 2) {
            admin = fields[1] == "1";
        } else if (fields[0] == "service" && fields.size() >= 7 && fields.size() <= 9) {
            SimService service;
            service.state = fields[2].toInt();
            service.start = fields[3].toInt();
            service.netHangs = fields[4] == "1";
            service.scHangs = fields[5] == "1";
            service.stopRefusals = fields[6].toInt();
            for (int i = 7; i < fields.size(); ++i) {
                if (fields[i].startsWith("delay=")) {
                    service.netDelayMs = fields[i].mid(6).toInt();
                    continue;
                }
                for (const QString &name : fields[i].split(',', Qt::SkipEmptyParts))
                    service.dependsOn.push_back(name.toStdString());
            }
            services[fields[1].toStdString()] = service;
        } else {
            services.clear();
            return false;
        }
    }
    return true;
}

bool SimHostState::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "admin " << (admin ? 1 : 0) << "\n";
    for (const auto &entry : services) {
        const SimService &s = entry.second;
        out << "service " << QString::fromStdString(entry.first) << ' ' << s.state << ' ' << s.start << ' '
            << int(s.netHangs) << ' ' << int(s.scHangs) << ' ' << s.stopRefusals;
        if (!s.dependsOn.empty()) {
            QStringList names;
            for (const std::string &name : s.dependsOn)
                names << QString::fromStdString(name);
            out << ' ' << names.join(',');
        }
        if (s.netDelayMs > 0)
            out << " delay=" << s.netDelayMs;
        out << "\n";
    }
    out.flush();
    return file.commit();
}
