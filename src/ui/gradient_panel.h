#pragma once

#include <QColor>
#include <QWidget>

// A background that runs from one colour at the top to another at the bottom.
class GradientPanel : public QWidget
{
    Q_OBJECT
public:
    GradientPanel(QColor top, QColor bottom, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_top, m_bottom;
};
