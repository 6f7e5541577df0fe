#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QActionGroup;
class QMenu;
class QToolButton;
class QWidget;

// The operator's language control in the title bar: a button with the
// current language's short code that opens the list of the shipped
// languages, each in its own name.
class CLanguageMenu : public QObject {
    Q_OBJECT
public:
    // Placed in the title bar's layout just before `poBefore`.
    CLanguageMenu(QWidget *poTitleBar, QWidget *poBefore, const QStringList &oLanguages);

    // Marks the language in use; its tool tip follows the installed translation.
    void setCurrent(const QString &strCode);
    QToolButton *button() const { return m_poButton; }
    QMenu *menu() const { return m_poMenu; }

signals:
    void signalLanguageChosen(const QString &strCode);

private:
    QToolButton *m_poButton = nullptr;  // child of the title bar
    QMenu *m_poMenu = nullptr;          // child of the button
    QActionGroup *m_poGroup = nullptr;  // child of the menu
};
