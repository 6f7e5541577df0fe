#include "app/ReportText.h"

QString ReportText::withCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    QChar previous;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') && previous != QLatin1Char('\r'))
            out += QLatin1Char('\r');
        out += c;
        previous = c;
    }
    return out;
}
