#include "gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

GradientPanel::GradientPanel(QColor top, QColor bottom, QWidget* parent)
    : QWidget(parent), m_top(top), m_bottom(bottom)
{
}

void GradientPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_top);
    g.setColorAt(1, m_bottom);
    p.fillRect(rect(), g);
}
