#include "bitmap_bar.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// Slanted blue bands, drawn here so that the program ships no picture file.
QPixmap bandTile(int height)
{
    QPixmap tile(height, height);
    QPainter p(&tile);
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0, QColor(120, 180, 255));
    shade.setColorAt(0.5, QColor(30, 90, 200));
    shade.setColorAt(1, QColor(90, 150, 240));
    p.fillRect(tile.rect(), shade);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 70), height / 4.0));
    p.drawLine(QPointF(-height / 2.0, height), QPointF(height / 2.0, 0));
    p.drawLine(QPointF(height / 2.0, height), QPointF(height * 1.5, 0));
    return tile;
}

} // namespace

BitmapBar::BitmapBar(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
}

void BitmapBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), QColor(245, 245, 245));
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    if (m_tile.height() != inside.height())
        m_tile = bandTile(std::max(1, inside.height()));
    const qint64 span = qint64(maximum()) - minimum();
    if (span > 0 && value() > minimum()) {
        const int filled = static_cast<int>(inside.width() * (qint64(value()) - minimum()) / span);
        p.drawTiledPixmap(QRect(inside.left(), inside.top(), filled, inside.height()), m_tile);
    }
    p.setPen(QColor(120, 120, 120));
    p.drawRect(frame);
}
