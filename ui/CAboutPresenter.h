#pragma once

#include <QString>

// The About box's notices, looked up by key through the installed translator.
class CAboutPresenter {
public:
    // Translates the three keys; a key without translation stays as it is.
    void load();

    const QString &baseNotice() const { return m_strBase; }
    const QString &makerNotice() const { return m_strMaker; }
    const QString &qtNotice() const { return m_strQt; }

private:
    QString m_strBase;
    QString m_strMaker;
    QString m_strQt;
};
