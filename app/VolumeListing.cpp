#include "app/VolumeListing.h"

#include <QDir>
#include <QFileInfo>

namespace {
void listFolder(const QDir &dir, QString &out)
{
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                          QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries)
        out += QDir::toNativeSeparators(entry.absoluteFilePath()) + "\r\n";
    for (const QFileInfo &entry : entries)
        if (entry.isDir() && !entry.isSymLink())
            listFolder(QDir(entry.absoluteFilePath()), out);
}
}  // namespace

QString VolumeListing::bareRecursive(const QString &rootPath)
{
    QString out;
    const QDir root(rootPath);
    if (rootPath.isEmpty() || !root.exists())
        return out;
    listFolder(root, out);
    return out;
}
