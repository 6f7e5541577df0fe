// Build tool: renders the operator manual's Markdown source to its PDF.
// Usage: ais_manual_render <manual.md> <manual.pdf>
// With SOURCE_DATE_EPOCH set (release builds), the PDF's creation date is
// that time, so the same manual gives the same bytes.
#include "packaging/manual/ManualRenderer.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {
// Qt writes the creation date of the moment it renders, in local time:
// "D:YYYYMMDDHHmmSSZ" or "D:YYYYMMDDHHmmSS+HH'mm'". It is replaced in place
// by the given time in UTC, written in the same form so that no byte offset
// of the file (its cross-reference table) moves.
bool stampCreationDate(const QString &strPdfPath, qint64 iEpoch, QString &strError)
{
    QFile pdf(strPdfPath);
    if (!pdf.open(QIODevice::ReadWrite)) {
        strError = QStringLiteral("cannot reopen ") + strPdfPath;
        return false;
    }
    QByteArray bytes = pdf.readAll();
    const QByteArray key("/CreationDate (");
    const int start = bytes.indexOf(key);
    const int end = start < 0 ? -1 : bytes.indexOf(')', start + key.size());
    if (start < 0 || end < 0 || bytes.indexOf(key, end) >= 0) {
        strError = QStringLiteral("no single creation date in ") + strPdfPath;
        return false;
    }
    const int at = start + key.size();
    const QByteArray old = bytes.mid(at, end - at);
    const QByteArray time =
        "D:" + QDateTime::fromSecsSinceEpoch(iEpoch, Qt::UTC).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    QByteArray stamp;
    if (old.size() == time.size() + 1)
        stamp = time + "Z";
    else if (old.size() == time.size() + 7)
        stamp = time + "+00'00'";
    if (stamp.isEmpty() || !old.startsWith("D:")) {
        strError = QStringLiteral("unexpected creation date ") + QString::fromLatin1(old);
        return false;
    }
    bytes.replace(at, old.size(), stamp);
    if (!pdf.seek(0) || pdf.write(bytes) != bytes.size() || !pdf.flush()) {
        strError = QStringLiteral("cannot rewrite ") + strPdfPath;
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char *argv[])
{
    // The fonts are written in the order of a QHash: a fixed seed keeps
    // that order from one run to the next.
    qSetGlobalQHashSeed(0);
    // Qt writes the date in local time; in UTC its form ("Z") does not
    // depend on the build machine's zone.
    if (!qEnvironmentVariableIsEmpty("SOURCE_DATE_EPOCH"))
        qputenv("TZ", "UTC");
    // No display at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ais_manual_render <manual.md> <manual.pdf>\n");
        return 2;
    }
    qint64 epoch = -1;
    if (!qEnvironmentVariableIsEmpty("SOURCE_DATE_EPOCH")) {
        bool ok = false;
        epoch = qgetenv("SOURCE_DATE_EPOCH").toLongLong(&ok);
        if (!ok || epoch < 0) {
            std::fprintf(stderr, "ais_manual_render: SOURCE_DATE_EPOCH is not a time in seconds\n");
            return 2;
        }
    }
    ManualRenderer renderer(args.at(1));
    QString error;
    if (!renderer.render(args.at(2)) || (epoch >= 0 && !stampCreationDate(args.at(2), epoch, error))) {
        if (error.isEmpty())
            error = renderer.errorText();
        std::fprintf(stderr, "ais_manual_render: %s\n", qPrintable(error));
        QFile::remove(args.at(2));
        return 1;
    }
    std::printf("%s: %d pages\n", qPrintable(args.at(2)), renderer.pageCount());
    return 0;
}
