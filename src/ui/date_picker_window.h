#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;
class QPushButton;

// The date picker of the arrival-date filter.
class DatePickerWindow : public QDialog
{
    Q_OBJECT
public:
    explicit DatePickerWindow(QWidget* parent = nullptr);

    QCalendarWidget* MonthCalendar1;
    QPushButton* OKCalendar;
    QPushButton* ANNCalendar;

    // Opens at today's date; the picked day, or nothing when cancelled.
    std::optional<QDate> pick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
