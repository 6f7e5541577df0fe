#pragma once

#include <QColor>

class QGridLayout;
class QWidget;

// The look of a panel: its background colour and optional rounded corners.
// Held by value inside the panel it decorates.
class PanelDecoration {
public:
    explicit PanelDecoration(QWidget *poPanel);

    // Installs a grid layout if asked, hides the panel and resets the look.
    void setup(bool bWithGrid);

    QWidget *panel() const { return m_poPanel; }
    QGridLayout *grid() const { return m_poGrid; }
    QColor color() const { return m_oColor; }
    int radius() const { return m_iRadius; }

    // Stores the colour and makes it the panel's window background.
    void setColor(const QColor &oColor);
    void setRadius(int iRadius) { m_iRadius = iRadius; }

    // Cuts the panel to its rounded shape and fills it; only for a radius > 0.
    void paintRounded();

private:
    QWidget *m_poPanel;
    QGridLayout *m_poGrid = nullptr;  // owned by the panel once installed
    QColor m_oColor = QColor(Qt::gray);
    int m_iRadius = 0;
    int m_iSpare = 0;
};
