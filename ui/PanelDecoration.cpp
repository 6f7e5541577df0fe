#include "ui/PanelDecoration.h"

#include <QBitmap>
#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

PanelDecoration::PanelDecoration(QWidget *poPanel) : m_poPanel(poPanel) {}

void PanelDecoration::setup(bool bWithGrid)
{
    if (bWithGrid && !m_poGrid)
        m_poGrid = new QGridLayout(m_poPanel);
    m_poPanel->hide();
    m_oColor = QColor(Qt::gray);
    m_iRadius = 0;
    m_iSpare = 0;
}

void PanelDecoration::setColor(const QColor &oColor)
{
    m_oColor = oColor;
    QPalette palette = m_poPanel->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(oColor));
    m_poPanel->setPalette(palette);
    m_poPanel->setAutoFillBackground(true);
}

void PanelDecoration::paintRounded()
{
    if (m_iRadius <= 0)
        return;
    const QRect rect = m_poPanel->rect();
    if (rect.isEmpty())
        return;

    // Everything outside the rounded shape is cut away by the mask.
    QBitmap mask(rect.size());
    mask.fill(Qt::color0);
    {
        QPainter maskPainter(&mask);
        QPainterPath shape;
        shape.addRoundedRect(rect.adjusted(1, 1, 0, 0), m_iRadius, m_iRadius);
        maskPainter.setClipRegion(QRegion(shape.toFillPolygon().toPolygon()));
        maskPainter.fillRect(rect, Qt::color1);
    }
    m_poPanel->setMask(mask);

    QPainter painter(m_poPanel);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(m_oColor);
    painter.setPen(QPen(m_oColor, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRoundedRect(rect, m_iRadius, m_iRadius);
}
