#pragma once

#include <QDialog>

// The update check.
class UpdateWindow : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateWindow(QWidget* parent = nullptr);
};
