#include "app/VolumeListing.h"

#include <QDir>
#include <QFileInfo>

#if defined(Q_OS_WIN)
#include "platform/host/SystemFolder.h"
#include "platform/volume/VolumeCommands.h"

#include <QCoreApplication>
#include <QProcess>
#endif

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

QString VolumeListing::ofVolume(const QString &msdPath)
{
#if defined(Q_OS_WIN)
    const std::string interpreter = SystemFolder::program(VolumeCommands::kInterpreter);
    if (interpreter.empty())
        return QString();  // never by its bare name
    QProcess process;
    process.setProgram(QString::fromStdString(interpreter));
    process.setNativeArguments(QString::fromStdString(VolumeCommands::dirArguments(msdPath.toStdString())));
    process.start(QIODevice::ReadWrite);
    // No upper limit: the window stays responsive while "dir" runs.
    while (!process.waitForFinished(50) && process.state() != QProcess::NotRunning)
        QCoreApplication::processEvents();
    return QString::fromUtf8(process.readAllStandardOutput());
#else
    // No "dir" here: the same bare, recursive, name-ordered listing in-process.
    return bareRecursive(msdPath);
#endif
}
