#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

// The translations the program speaks in, compiled into its resources: its
// own texts (AisFirmwareUpgrade_<code>.qm), the About box's notices
// (CopyRight_<code>.qm, else the English ones) and Qt's texts for the boxes
// and dialogs Qt draws (qtbase_<code>.qm). One per process, on the GUI
// thread; installing sends every widget a LanguageChange event.
class CLanguageSwitch {
public:
    static CLanguageSwitch &instance();

    // English and every language whose program translation is compiled in.
    static QStringList shipped();

    // Installs the language's translations in place of those installed
    // before; false, changing nothing, for a language not shipped.
    bool apply(const QString &strCode);
    // Installs English unless a language is installed already.
    void ensureApplied();
    // The language installed; empty before the first apply.
    const QString &current() const { return m_strCurrent; }
    // Whether Qt's own texts came with the language (English needs none).
    bool hasQtTexts() const { return !m_oQt.isEmpty(); }

private:
    CLanguageSwitch() = default;
    void removeAll();

    QTranslator m_oQt;
    QTranslator m_oNotices;
    QTranslator m_oProgram;
    QString m_strCurrent;
};
