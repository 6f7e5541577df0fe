#pragma once

#include "ui/WgPanel.h"

// A panel the user can drag around with the left mouse button.
class WgForm : public WgPanel {
    Q_OBJECT
public:
    WgForm(QWidget *poParent, Qt::WindowFlags eFlags);

    void setDragEnabled(bool bOn) { m_bDragEnable = bOn; }
    bool dragEnabled() const { return m_bDragEnable; }
    bool isDragging() const { return m_bDragging; }

protected:
    void mousePressEvent(QMouseEvent *poEvent) override;
    void mouseMoveEvent(QMouseEvent *poEvent) override;
    void mouseReleaseEvent(QMouseEvent *poEvent) override;

private:
    bool m_bDragEnable = false;
    bool m_bDragging = false;
    int m_iOffsetX = 0;
    int m_iOffsetY = 0;
};
