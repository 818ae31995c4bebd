#include "banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

QPixmap lookupBanner(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(20, 30, 70));
    sky.setColorAt(1, QColor(90, 20, 40));
    p.fillRect(pixmap.rect(), sky);

    // A strip of film along the top and the bottom.
    const int hole = std::max(3, size.height() / 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 15, 15));
    p.drawRect(0, 0, size.width(), hole * 2);
    p.drawRect(0, size.height() - hole * 2, size.width(), hole * 2);
    p.setBrush(QColor(230, 220, 190));
    for (int x = hole / 2; x < size.width(); x += hole * 2) {
        p.drawRoundedRect(x, hole / 2, hole, hole, 1, 1);
        p.drawRoundedRect(x, size.height() - hole * 3 / 2, hole, hole, 1, 1);
    }

    QFont title("DejaVu Sans", 1, QFont::Bold);
    title.setPixelSize(size.height() * 2 / 7);
    p.setFont(title);
    p.setPen(QColor(250, 200, 60));
    const QRect middle(0, hole * 2, size.width(), size.height() - hole * 4);
    p.drawText(middle.adjusted(0, 0, 0, -middle.height() / 3), Qt::AlignCenter, "FilmUP");
    QFont caption("DejaVu Sans");
    caption.setPixelSize(std::max(8, size.height() / 7));
    p.setFont(caption);
    p.setPen(QColor(230, 230, 240));
    p.drawText(middle.adjusted(0, middle.height() / 2, 0, 0), Qt::AlignCenter, "ricerca schede film");
    return pixmap;
}
