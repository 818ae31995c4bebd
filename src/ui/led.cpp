#include "led.h"

#include <QPainter>
#include <QRadialGradient>

Led::Led(QWidget* parent) : QWidget(parent) {}

void Led::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    update();
}

void Led::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal d = std::min(width(), height()) - 2;
    const QRectF r((width() - d) / 2, (height() - d) / 2, d, d);
    const QColor core = m_on ? QColor(40, 220, 60) : QColor(30, 80, 35);
    QRadialGradient glow(r.center() - QPointF(d / 5, d / 5), d / 1.6);
    glow.setColorAt(0, m_on ? QColor(200, 255, 200) : core.lighter(140));
    glow.setColorAt(1, core);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(glow);
    p.drawEllipse(r);
}
