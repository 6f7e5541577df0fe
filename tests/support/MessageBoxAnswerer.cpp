#include "tests/support/MessageBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

namespace {
int kindOf(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information: return 0;
    case QMessageBox::Question: return 1;
    case QMessageBox::Warning: return 2;
    case QMessageBox::Critical: return 3;
    default: return -1;
    }
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton defaultAnswer, QObject *parent)
    : QObject(parent), m_eDefault(defaultAnswer)
{
    connect(&m_oTimer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    m_oTimer.start(5);
}

void MessageBoxAnswerer::poll()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box == nullptr || !box->isVisible() || box->property("aisAnswered").toBool())
            continue;
        Answer answer{m_eDefault, 0};
        if (!m_oQueued.empty()) {
            answer = m_oQueued.front();
            m_oQueued.pop_front();
        }
        box->setProperty("aisAnswered", true);
        if (answer.key != 0) {
            QTest::keyClick(box, static_cast<Qt::Key>(answer.key));
            m_oShown.append({kindOf(box->icon()), box->windowTitle(), box->text(),
                             box->clickedButton() ? box->standardButton(box->clickedButton()) : QMessageBox::NoButton});
            // A key the box ignores must not leave the test waiting on it.
            if (box->isVisible())
                box->reject();
            continue;
        }
        QAbstractButton *button = box->button(answer.button);
        if (button == nullptr)
            button = box->defaultButton();
        if (button == nullptr)
            button = box->escapeButton();
        m_oShown.append({kindOf(box->icon()), box->windowTitle(), box->text(),
                         button ? box->standardButton(button) : QMessageBox::NoButton});
        if (button != nullptr)
            button->click();
        else
            box->reject();
    }
}

bool MessageBoxAnswerer::waitForCount(int n, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (m_oShown.size() < n && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return m_oShown.size() >= n;
}
