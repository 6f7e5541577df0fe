#include "ui/WgPanel.h"

#include <QCloseEvent>

WgPanel::WgPanel(QWidget *poParent, Qt::WindowFlags eFlags, double dOpacity, bool bWithGrid)
    : QDialog(poParent, eFlags), m_oDecoration(this)
{
    m_oDecoration.setup(bWithGrid);
    setWindowOpacity(dOpacity);
}

void WgPanel::setRadius(int iRadius)
{
    m_oDecoration.setRadius(iRadius);
    if (iRadius <= 0)
        clearMask();
    update();
}

void WgPanel::mouseReleaseEvent(QMouseEvent *poEvent)
{
    emit signalMouseRelease();
    QDialog::mouseReleaseEvent(poEvent);
}

void WgPanel::focusInEvent(QFocusEvent *poEvent)
{
    emit signalFocusIn();
    QDialog::focusInEvent(poEvent);
}

void WgPanel::focusOutEvent(QFocusEvent *poEvent)
{
    emit signalFocusOut();
    QDialog::focusOutEvent(poEvent);
}

void WgPanel::closeEvent(QCloseEvent *poEvent)
{
    QDialog::closeEvent(poEvent);
    emit signalClosed();
}

void WgPanel::paintEvent(QPaintEvent *poEvent)
{
    if (m_oDecoration.radius() > 0)
        m_oDecoration.paintRounded();
    else
        QDialog::paintEvent(poEvent);
}
