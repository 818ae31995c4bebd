#pragma once

#include <QDialog>

// The date picker of the arrival-date filter.
class DatePickerWindow : public QDialog
{
    Q_OBJECT
public:
    explicit DatePickerWindow(QWidget* parent = nullptr);
};
