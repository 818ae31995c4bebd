#include "date_picker_window.h"

DatePickerWindow::DatePickerWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm3");
    setWindowTitle("Zenfo - Data iniziale");
}
