#pragma once

#include <QPixmap>
#include <QProgressBar>

// A progress bar whose filled part is a tiled picture instead of the style's plain chunk.
class BitmapBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit BitmapBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_tile;
};
