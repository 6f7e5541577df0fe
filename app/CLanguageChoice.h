#pragma once

#include <QString>
#include <QStringList>

// Which shipped language the program speaks: the operator's own choice in
// the program, else the installer's, else the first of the user's display
// languages that a shipped language serves, else English. Codes are Qt's
// ("de", "pt_BR", "zh_CN"); a wish may be any tag a system gives ("de-CH",
// "pt_PT.UTF-8", "zh-Hans-CN", "nn_NO").
class CLanguageChoice {
public:
    static const QString kEnglish;

    // English is always among the shipped languages, listed or not.
    explicit CLanguageChoice(QStringList oShipped);

    // The shipped language that serves a tag; empty when none does. A region
    // falls back to its language (de_AT to de, pt_PT to pt_BR), never to
    // another one; Chinese in the traditional script is not served by zh_CN.
    QString match(const QString &strTag) const;
    // The first of the wishes, in this order, that a shipped language serves.
    QString choose(const QString &strOperator, const QString &strInstaller, const QStringList &oDisplay) const;

    const QStringList &shipped() const { return m_oShipped; }

    // The language an installer's language id (Windows LANGID, as NSIS stores
    // it) names, as a tag; empty for an id the program does not know.
    static QString tagOfLangId(int iLangId);
    // The language's name in itself, for the language menu.
    static QString nativeName(const QString &strCode);

private:
    QStringList m_oShipped;
};
