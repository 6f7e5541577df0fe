#include "ui/CAboutPresenter.h"

#include <QCoreApplication>

namespace {
// The notices are looked up by key in the notice translation (CopyRight_<code>.ts),
// not in the program's texts: named through variables, lupdate leaves them out
// of AisFirmwareUpgrade_<code>.ts, whose translator is asked first.
const char *const kNoticeContext = "QObject";
const char *const kBaseKey = "CopyrightBase";
const char *const kMakerKey = "CopyrightTORV";
const char *const kQtKey = "CopyrightQt";
}  // namespace

void CAboutPresenter::load()
{
    m_strBase = QCoreApplication::translate(kNoticeContext, kBaseKey);
    m_strMaker = QCoreApplication::translate(kNoticeContext, kMakerKey);
    m_strQt = QCoreApplication::translate(kNoticeContext, kQtKey);
}
