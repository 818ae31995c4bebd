#include "zoom_window.h"

ZoomWindow::ZoomWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm2");
    setWindowTitle("Zoom");
}
