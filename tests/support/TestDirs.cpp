#include "tests/support/TestDirs.h"

#include <QDir>

namespace TestDirs {

QString sourceData(const QString &relative)
{
    return QStringLiteral(AIS_SOURCE_DIR "/tests/data/") + relative;
}

QString fresh(const QString &name)
{
    QDir dir(QDir::current().filePath(name));
    dir.removeRecursively();
    QDir().mkpath(dir.path());
    return dir.absolutePath();
}

}  // namespace TestDirs
