#include "tests/support/FileDialogAnswerer.h"

#include <QApplication>
#include <QFileDialog>

FileDialogAnswerer::FileDialogAnswerer(QObject *parent) : QObject(parent)
{
    connect(&m_oTimer, &QTimer::timeout, this, &FileDialogAnswerer::poll);
    m_oTimer.start(5);
    m_oClock.start();
}

void FileDialogAnswerer::poll()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    int open = 0;
    for (QWidget *widget : widgets) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (dialog != nullptr && dialog->isVisible())
            m_iMostOpen = qMax(m_iMostOpen, ++open);
        if (dialog == nullptr || !dialog->isVisible() || dialog->property("aisAnswered").toBool())
            continue;
        if (!dialog->property("aisSeenAtMs").isValid())
            dialog->setProperty("aisSeenAtMs", m_oClock.elapsed());
        if (m_oClock.elapsed() - dialog->property("aisSeenAtMs").toLongLong() < m_iHoldMs)
            continue;
        dialog->setProperty("aisAnswered", true);
        Asked asked{dialog->windowTitle(), dialog->selectedFiles().value(0), dialog->nameFilters(), QString()};
        if (!m_oQueued.empty()) {
            asked.answer = m_oQueued.front();
            m_oQueued.pop_front();
        }
        m_oAsked.append(asked);
        if (asked.answer.isEmpty()) {
            dialog->reject();
        } else {
            // selectFile leaves the name field alone while it has the focus,
            // as it has once the dialog has been open for a while.
            if (QWidget *focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(asked.answer);
            static_cast<QDialog *>(dialog)->accept();  // public there, protected in QFileDialog
        }
    }
}
