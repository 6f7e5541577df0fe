#pragma once

#include "ui/PanelDecoration.h"

#include <QColor>
#include <QDialog>

class QGridLayout;

// A dialog with a coloured background, optional rounded corners and
// notifications for release, focus and close.
class WgPanel : public QDialog {
    Q_OBJECT
public:
    WgPanel(QWidget *poParent, Qt::WindowFlags eFlags, double dOpacity, bool bWithGrid);

    void setPanelColor(const QColor &oColor) { m_oDecoration.setColor(oColor); }
    QColor panelColor() const { return m_oDecoration.color(); }
    void setRadius(int iRadius);
    int radius() const { return m_oDecoration.radius(); }
    QGridLayout *gridLayout() const { return m_oDecoration.grid(); }

signals:
    void signalMouseRelease();
    void signalFocusIn();
    void signalFocusOut();
    void signalClosed();

protected:
    void mouseReleaseEvent(QMouseEvent *poEvent) override;
    void focusInEvent(QFocusEvent *poEvent) override;
    void focusOutEvent(QFocusEvent *poEvent) override;
    void closeEvent(QCloseEvent *poEvent) override;
    void paintEvent(QPaintEvent *poEvent) override;

private:
    PanelDecoration m_oDecoration;
};
