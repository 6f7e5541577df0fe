#include "ui/CAboutPresenter.h"

#include <QCoreApplication>

void CAboutPresenter::load()
{
    m_strBase = QCoreApplication::translate("QObject", "CopyrightBase");
    m_strMaker = QCoreApplication::translate("QObject", "CopyrightTORV");
    m_strQt = QCoreApplication::translate("QObject", "CopyrightQt");
}
