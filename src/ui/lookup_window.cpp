#include "lookup_window.h"

#include "lookup/filmup_site.h"

LookupWindow::LookupWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm4");
    setWindowTitle(QString::fromStdString("Zenfo - Interfaccia DataBase di " + filmup::hostName()));
}
