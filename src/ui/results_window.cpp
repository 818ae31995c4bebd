#include "results_window.h"

#include "lookup/filmup_site.h"

ResultsWindow::ResultsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm5");
    setWindowTitle(QString::fromStdString("Zenfo - Risultati ricerca titoli a " + filmup::hostName()));
}
