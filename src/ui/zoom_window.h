#pragma once

#include <QDialog>

// The zoomed poster or cover.
class ZoomWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ZoomWindow(QWidget* parent = nullptr);
};
