#include "ui/WgForm.h"

#include <QMouseEvent>

WgForm::WgForm(QWidget *poParent, Qt::WindowFlags eFlags) : WgPanel(poParent, eFlags, 1.0, false) {}

void WgForm::mousePressEvent(QMouseEvent *poEvent)
{
    // The left button alone: a press while another button is held is not a drag.
    if (m_bDragEnable && poEvent->button() == Qt::LeftButton && poEvent->buttons() == Qt::LeftButton) {
        m_bDragging = true;
        const QPoint offset = poEvent->globalPos() - frameGeometry().topLeft();
        m_iOffsetX = offset.x();
        m_iOffsetY = offset.y();
        poEvent->accept();
    }
    WgPanel::mousePressEvent(poEvent);
}

void WgForm::mouseMoveEvent(QMouseEvent *poEvent)
{
    if (m_bDragging && poEvent->buttons() != Qt::NoButton) {
        move(poEvent->globalPos() - QPoint(m_iOffsetX, m_iOffsetY));
        poEvent->accept();
    }
    WgPanel::mouseMoveEvent(poEvent);
}

void WgForm::mouseReleaseEvent(QMouseEvent *poEvent)
{
    m_bDragging = false;
    // Deliberately not WgPanel's handler: a form does not report releases.
    QDialog::mouseReleaseEvent(poEvent);
}
