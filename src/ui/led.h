#pragma once

#include <QWidget>

// A small two-state lamp.
class Led : public QWidget
{
    Q_OBJECT
public:
    explicit Led(QWidget* parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);
    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
};
