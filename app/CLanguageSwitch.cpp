#include "app/CLanguageSwitch.h"

#include "app/CLanguageChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace {
const QString kLangDir = QStringLiteral(":/Translations/Lang/");
const QString kQtDir = QStringLiteral(":/Translations/Qt/");
}  // namespace

CLanguageSwitch &CLanguageSwitch::instance()
{
    static CLanguageSwitch languages;
    return languages;
}

QStringList CLanguageSwitch::shipped()
{
    QStringList codes{CLanguageChoice::kEnglish};
    static const QRegularExpression program(QStringLiteral("^AisFirmwareUpgrade_(.+)\\.qm$"));
    for (const QString &file : QDir(kLangDir).entryList(QDir::Files, QDir::Name)) {
        const auto found = program.match(file);
        if (found.hasMatch() && found.captured(1) != CLanguageChoice::kEnglish)
            codes << found.captured(1);
    }
    return codes;
}

void CLanguageSwitch::removeAll()
{
    for (QTranslator *translator : {&m_oProgram, &m_oNotices, &m_oQt})
        QCoreApplication::removeTranslator(translator);
}

bool CLanguageSwitch::apply(const QString &strCode)
{
    if (!shipped().contains(strCode))
        return false;
    removeAll();
    // A failed load leaves a translator empty: it then translates nothing.
    m_oQt.load(kQtDir + QStringLiteral("qtbase_") + strCode + QStringLiteral(".qm"));
    if (!m_oNotices.load(kLangDir + QStringLiteral("CopyRight_") + strCode + QStringLiteral(".qm")))
        m_oNotices.load(kLangDir + QStringLiteral("CopyRight_en.qm"));
    m_oProgram.load(kLangDir + QStringLiteral("AisFirmwareUpgrade_") + strCode + QStringLiteral(".qm"));
    // The last installed is asked first: the program's own texts win.
    for (QTranslator *translator : {&m_oQt, &m_oNotices, &m_oProgram}) {
        if (!translator->isEmpty())
            QCoreApplication::installTranslator(translator);
    }
    m_strCurrent = strCode;
    return true;
}

void CLanguageSwitch::ensureApplied()
{
    if (m_strCurrent.isEmpty())
        apply(CLanguageChoice::kEnglish);
}
