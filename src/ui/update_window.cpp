#include "update_window.h"

UpdateWindow::UpdateWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm6");
    setWindowTitle("Zenfo2 - Controllo aggiornamenti");
}
