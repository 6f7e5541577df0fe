#include "app/CLanguageChoice.h"

#include <QRegularExpression>

#include <utility>

const QString CLanguageChoice::kEnglish = QStringLiteral("en");

namespace {
struct Tag {
    QString language;  // lower case
    QString script;    // "Hant", "Latn" ...
    QString region;    // "BR", "419" ...
};

// "pt_PT.UTF-8@euro", "zh-Hans-CN", "de": language, script, region.
Tag parse(QString text)
{
    Tag tag;
    text = text.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[-_]")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return tag;
    tag.language = parts[0].toLower();
    for (int i = 1; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.size() == 4 && tag.script.isEmpty() && tag.region.isEmpty())
            tag.script = part.left(1).toUpper() + part.mid(1).toLower();
        else if ((part.size() == 2 || part.size() == 3) && tag.region.isEmpty())
            tag.region = part.toUpper();
    }
    // Norwegian: Bokmål serves the macrolanguage and Nynorsk readers alike.
    if (tag.language == QLatin1String("no") || tag.language == QLatin1String("nn"))
        tag.language = QStringLiteral("nb");
    return tag;
}

bool isTraditionalChinese(const Tag &tag)
{
    if (tag.script == QLatin1String("Hant"))
        return true;
    return tag.script.isEmpty() &&
           (tag.region == QLatin1String("TW") || tag.region == QLatin1String("HK") || tag.region == QLatin1String("MO"));
}
}  // namespace

CLanguageChoice::CLanguageChoice(QStringList oShipped) : m_oShipped(std::move(oShipped))
{
    if (!m_oShipped.contains(kEnglish))
        m_oShipped.prepend(kEnglish);
}

QString CLanguageChoice::match(const QString &strTag) const
{
    const Tag wish = parse(strTag);
    if (wish.language.isEmpty() || wish.language == QLatin1String("c") || wish.language == QLatin1String("posix"))
        return QString();
    if (wish.language == QLatin1String("zh") && isTraditionalChinese(wish))
        return QString();

    const QString exact = wish.language + QLatin1Char('_') + wish.region;
    QStringList variants;
    for (const QString &code : m_oShipped) {
        if (!wish.region.isEmpty() && code == exact)
            return code;
        if (code == wish.language)
            return code;
        if (code.startsWith(wish.language + QLatin1Char('_')))
            variants << code;
    }
    // The one variant shipped serves every region of its language; with
    // several, the region decides and nothing is guessed.
    return variants.size() == 1 ? variants.first() : QString();
}

QString CLanguageChoice::choose(const QString &strOperator, const QString &strInstaller,
                                const QStringList &oDisplay) const
{
    QStringList wishes{strOperator, strInstaller};
    wishes += oDisplay;
    for (const QString &wish : wishes) {
        const QString code = match(wish);
        if (!code.isEmpty())
            return code;
    }
    return kEnglish;
}

QString CLanguageChoice::tagOfLangId(int iLangId)
{
    // The ids of the installer's languages (NSIS's language files).
    switch (iLangId) {
    case 1033: return QStringLiteral("en");
    case 1031: return QStringLiteral("de");
    case 1036: return QStringLiteral("fr");
    case 1034: return QStringLiteral("es");
    case 1040: return QStringLiteral("it");
    case 1043: return QStringLiteral("nl");
    case 1044: return QStringLiteral("nb");
    case 1053: return QStringLiteral("sv");
    case 1030: return QStringLiteral("da");
    case 1035: return QStringLiteral("fi");
    case 1045: return QStringLiteral("pl");
    case 1046: return QStringLiteral("pt_BR");
    case 2052: return QStringLiteral("zh_CN");
    case 1041: return QStringLiteral("ja");
    default: return QString();
    }
}

QString CLanguageChoice::nativeName(const QString &strCode)
{
    static const QList<QPair<QString, QString>> names = {
        {"en", "English"},
        {"de", "Deutsch"},
        {"fr", "Français"},
        {"es", "Español"},
        {"it", "Italiano"},
        {"nl", "Nederlands"},
        {"nb", "Norsk bokmål"},
        {"sv", "Svenska"},
        {"da", "Dansk"},
        {"fi", "Suomi"},
        {"pl", "Polski"},
        {"pt_BR", "Português (Brasil)"},
        {"zh_CN", "简体中文"},
        {"ja", "日本語"},
        {"en_XA", "[Ƥšéûðö]"},
    };
    for (const auto &name : names) {
        if (name.first == strCode)
            return name.second;
    }
    return strCode;
}
