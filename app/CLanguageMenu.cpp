#include "app/CLanguageMenu.h"

#include "app/CLanguageChoice.h"
#include "ui/ThemeStyle.h"

#include <QActionGroup>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

namespace {
// "pt_BR" -> "PT", "zh_CN" -> "ZH": short enough for the title bar.
QString shortCode(const QString &strCode)
{
    return strCode.section(QLatin1Char('_'), 0, 0).toUpper();
}
}  // namespace

CLanguageMenu::CLanguageMenu(QWidget *poTitleBar, QWidget *poBefore, const QStringList &oLanguages)
{
    m_poButton = new QToolButton(poTitleBar);
    m_poButton->setObjectName(QStringLiteral("btnThemeFunLanguage"));
    m_poButton->setFocusPolicy(Qt::NoFocus);
    m_poButton->setPopupMode(QToolButton::InstantPopup);
    m_poButton->setMinimumSize(34, 34);
    m_poButton->setMaximumHeight(34);
    ThemeStyle::applyBarTextButtonStyle(m_poButton);

    m_poMenu = new QMenu(m_poButton);
    m_poMenu->setObjectName(QStringLiteral("mnuLanguage"));
    m_poGroup = new QActionGroup(m_poMenu);
    for (const QString &code : oLanguages) {
        QAction *action = m_poMenu->addAction(CLanguageChoice::nativeName(code));
        action->setData(code);
        action->setCheckable(true);
        m_poGroup->addAction(action);
    }
    m_poButton->setMenu(m_poMenu);
    connect(m_poGroup, &QActionGroup::triggered, this,
            [this](QAction *poAction) { emit signalLanguageChosen(poAction->data().toString()); });

    if (auto *bar = qobject_cast<QBoxLayout *>(poTitleBar->layout())) {
        const int at = bar->indexOf(poBefore);
        bar->insertWidget(at < 0 ? bar->count() : at, m_poButton);
    }
}

void CLanguageMenu::setCurrent(const QString &strCode)
{
    m_poButton->setText(shortCode(strCode));
    m_poButton->setToolTip(QCoreApplication::translate("CLanguageMenu", "Language"));
    for (QAction *action : m_poGroup->actions())
        action->setChecked(action->data().toString() == strCode);
}
