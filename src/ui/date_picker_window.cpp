#include "date_picker_window.h"

#include "widget_names.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <optional>

DatePickerWindow::DatePickerWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("TForm3");
    setWindowTitle("Zenfo - Data iniziale");
    setStyleSheet("QDialog#TForm3 { background: white; }");
    MonthCalendar1 = named<QCalendarWidget>("MonthCalendar1");
    MonthCalendar1->setGridVisible(false);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    OKCalendar = named<QPushButton>("OKCalendar", "OK");
    ANNCalendar = named<QPushButton>("ANNCalendar", "Annulla");
    connect(OKCalendar, &QPushButton::clicked, this, &QDialog::accept);
    connect(ANNCalendar, &QPushButton::clicked, this, &QDialog::reject);
    // Enter (which the calendar keeps for itself) or a double click on a day picks it.
    connect(MonthCalendar1, &QCalendarWidget::activated, this, &QDialog::accept);
    OKCalendar->setDefault(true);
    if (auto* yearEdit = MonthCalendar1->findChild<QSpinBox*>("qt_calendar_yearedit"))
        yearEdit->installEventFilter(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKCalendar);
    buttons->addWidget(ANNCalendar);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(MonthCalendar1);
    layout->addLayout(buttons);
    // The design's 190 x 185 is too small for a readable calendar in this toolkit.
    setFixedSize(sizeHint().expandedTo(QSize(190, 185)));
}

// Enter after a typed year shows that year's month; it does not pick a day yet.
bool DatePickerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Leaving the year's box is what makes the calendar take the year.
            if (auto* days = MonthCalendar1->findChild<QWidget*>("qt_calendar_calendarview"))
                days->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QDate> DatePickerWindow::pick()
{
    MonthCalendar1->setSelectedDate(QDate::currentDate());
    // Each opening starts on the days, whatever had the focus when the window last closed.
    MonthCalendar1->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return MonthCalendar1->selectedDate();
}
