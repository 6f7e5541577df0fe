// The translation sources' build and test helper (a host tool, never shipped):
//   pseudo IN.ts OUT.ts
//       the pseudo-language: each text of IN (its translation, else its
//       source) about 40 % longer, with accented letters and brackets
//       marking its ends; placeholders, line breaks, markup and entities
//       stay as they are.
//   check TEMPLATE.ts FILE.ts...
//       each FILE against the texts the code holds (TEMPLATE, made by
//       lupdate): every text translated, none unfinished or empty, the same
//       placeholders as the source, and no text the code no longer has.
//       Prints "FILE: problem: text" for each fault; exit status 1 if any.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <QVector>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {
struct Message {
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
    bool hasTranslation = false;
    QString key() const { return context + QChar(1) + source + QChar(1) + comment; }
};

struct TsFile {
    QString language;
    QVector<Message> messages;
};

// Element text with lupdate's <byte value="xd"/> for control characters.
QString readText(QXmlStreamReader &xml)
{
    QString text;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            const QString value = xml.attributes().value(QLatin1String("value")).toString();
            bool ok = false;
            const uint code = value.startsWith('x') ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok, 10);
            if (ok)
                text += QChar(code);
        } else if (xml.isEndElement() && xml.name() == end) {
            break;
        }
    }
    return text;
}

bool readTs(const QString &path, TsFile &ts)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                ts.language = xml.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("name")) {
                context = readText(xml);
            } else if (name == QLatin1String("message")) {
                message = Message();
                message.context = context;
            } else if (name == QLatin1String("source")) {
                message.source = readText(xml);
            } else if (name == QLatin1String("comment")) {
                message.comment = readText(xml);
            } else if (name == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                message.translation = readText(xml);
                message.hasTranslation = true;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ts.messages.append(message);
        }
    }
    return !xml.hasError();
}

void writeText(QXmlStreamWriter &xml, const QString &text)
{
    QString run;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != '\n' && c != '\t') {
            xml.writeCharacters(run);
            run.clear();
            xml.writeEmptyElement(QStringLiteral("byte"));
            xml.writeAttribute(QStringLiteral("value"), QStringLiteral("x%1").arg(c.unicode(), 0, 16));
        } else {
            run += c;
        }
    }
    xml.writeCharacters(run);
}

bool writeTs(const QString &path, const TsFile &ts)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), ts.language);
    QString context;
    bool open = false;
    for (const Message &message : ts.messages) {
        if (!open || message.context != context) {
            if (open)
                xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("context"));
            xml.writeTextElement(QStringLiteral("name"), message.context);
            context = message.context;
            open = true;
        }
        xml.writeStartElement(QStringLiteral("message"));
        xml.writeStartElement(QStringLiteral("source"));
        writeText(xml, message.source);
        xml.writeEndElement();
        if (!message.comment.isEmpty())
            xml.writeTextElement(QStringLiteral("comment"), message.comment);
        xml.writeStartElement(QStringLiteral("translation"));
        writeText(xml, message.translation);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (open)
        xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return true;
}

QChar accented(QChar c)
{
    static const QString plain = QStringLiteral("abcdeghiklnorstuyzABCDEGHIKLNORSTUYZ");
    static const QString marked = QStringLiteral("ȧƀçđéĝĥíķĺñöŕšţüýžÅƁÇĐÉĜĤÎĶĹÑÖŔŠŢÜÝŽ");
    const int at = plain.indexOf(c);
    return at < 0 ? c : marked[at];
}

// Letters accented and each word lengthened by 40 % (its letters doubled in
// turn); %1, %n, %L1, markup and entities untouched; "[" and "]" at the ends.
QString pseudo(const QString &text)
{
    static const QRegularExpression keep(QStringLiteral("%L?\\d+|%n|<[^>]*>|&[#a-zA-Z0-9]+;"));
    QString out = QStringLiteral("[");
    int pos = 0;
    int kept = 0;
    const auto lengthen = [&out](const QString &plain) {
        int i = 0;
        while (i < plain.size()) {
            int end = i;
            while (end < plain.size() && plain[end].isLetter())
                ++end;
            const int length = end - i;
            int added = 0;
            for (int k = 0; k < length; ++k) {
                out += accented(plain[i + k]);
                // Doubled letters spread over the word, 40 % of its length in all.
                if ((k + 1) * 2 / 5 > added) {
                    out += accented(plain[i + k]);
                    ++added;
                }
            }
            if (end == i)
                out += plain[end++];
            i = end;
        }
    };
    for (auto it = keep.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        lengthen(text.mid(pos, match.capturedStart() - pos));
        out += match.captured();
        kept += match.capturedLength();
        pos = match.capturedEnd();
    }
    lengthen(text.mid(pos));
    // Texts of one or two letters gain nothing above: pad them to 40 % too.
    const int wanted = kept + ((text.size() - kept) * 7 + 4) / 5 - 1;
    while (out.size() < wanted)
        out += QChar(0x00B7);
    return out + QStringLiteral("]");
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?(\\d+|n)"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    std::sort(found.begin(), found.end());
    return found;
}

int runPseudo(const QString &in, const QString &out)
{
    TsFile ts;
    if (!readTs(in, ts)) {
        QTextStream(stderr) << "cannot read " << in << "\n";
        return 2;
    }
    ts.language = QStringLiteral("en_XA");
    for (Message &message : ts.messages) {
        const bool translated = message.hasTranslation && message.type.isEmpty() && !message.translation.isEmpty();
        message.translation = pseudo(translated ? message.translation : message.source);
    }
    if (!writeTs(out, ts)) {
        QTextStream(stderr) << "cannot write " << out << "\n";
        return 2;
    }
    return 0;
}

int runCheck(const QString &templatePath, const QStringList &files)
{
    QTextStream err(stdout);
    TsFile code;
    if (!readTs(templatePath, code) || code.messages.isEmpty()) {
        err << "cannot read the texts of the code from " << templatePath << "\n";
        return 2;
    }
    int faults = 0;
    const auto fault = [&](const QString &file, const QString &problem, const QString &text) {
        err << QFileInfo(file).fileName() << ": " << problem << ": \"" << QString(text).replace('\n', "\\n") << "\"\n";
        ++faults;
    };
    for (const QString &path : files) {
        TsFile ts;
        if (!readTs(path, ts)) {
            fault(path, QStringLiteral("not a readable .ts file"), path);
            continue;
        }
        QMap<QString, const Message *> byKey;
        for (const Message &message : ts.messages)
            byKey.insert(message.key(), &message);
        QMap<QString, bool> wanted;
        for (const Message &message : code.messages) {
            wanted.insert(message.key(), true);
            const Message *found = byKey.value(message.key());
            if (!found) {
                fault(path, QStringLiteral("no translation (not in the file; run lupdate)"), message.source);
            } else if (found->type == QLatin1String("unfinished") || !found->hasTranslation) {
                fault(path, QStringLiteral("unfinished"), message.source);
            } else if (found->type == QLatin1String("vanished") || found->type == QLatin1String("obsolete")) {
                fault(path, QStringLiteral("marked ") + found->type, message.source);
            } else if (found->translation.trimmed().isEmpty()) {
                fault(path, QStringLiteral("empty translation"), message.source);
            } else if (placeholders(found->translation) != placeholders(message.source)) {
                fault(path, QStringLiteral("placeholders differ from the source (%1 … %n)"), message.source);
            }
        }
        for (const Message &message : ts.messages) {
            if (!wanted.contains(message.key()))
                fault(path, QStringLiteral("not in the code any more (run lupdate -no-obsolete)"), message.source);
        }
    }
    err << files.size() << " file(s) checked against " << code.messages.size() << " texts, " << faults
        << " fault(s)\n";
    return faults == 0 ? 0 : 1;
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("pseudo"))
        return runPseudo(args[1], args[2]);
    if (args.size() >= 2 && args[0] == QLatin1String("check"))
        return runCheck(args[1], args.mid(2));
    QTextStream(stderr) << "usage: ais_ts_tool pseudo IN.ts OUT.ts | check TEMPLATE.ts FILE.ts...\n";
    return 2;
}
