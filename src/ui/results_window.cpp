#include "results_window.h"

#include "widget_names.h"

#include "base/cp1252.h"
#include "lookup/filmup_site.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ResultsWindow::ResultsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm5");
    setWindowTitle("Zenfo - Risultati ricerca titoli a " + cp1252::toQString(filmup::hostName()));
    setSizeGripEnabled(true);
    resize(460, 340);

    SQLSCELTA = named<QLineEdit>("SQLSCELTA");
    SQLSCELTA->setReadOnly(true);
    Label1 = named<QLabel>("Label1", "Con il titolo fornito la ricerca ha trovato :");
    Label3 = named<QLabel>("Label3", "x risultati");
    Label2 = named<QLabel>("Label2", "Seleziona quello desiderato..");
    SQLRESU = named<QListWidget>("SQLRESU");
    SQLRESU->setUniformItemSizes(true);
    SQLABO = named<QPushButton>("SQLABO", "ANNULLA");
    SQLOK = named<QPushButton>("SQLOK", "CONFERMA SELEZIONE");
    for (QPushButton* b : {SQLABO, SQLOK})
        b->setAutoDefault(false);
    // Enter confirms the line chosen; Escape is the close box.
    SQLOK->setDefault(true);

    auto* found = new QHBoxLayout;
    found->addWidget(Label1);
    found->addWidget(Label3);
    found->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SQLABO);
    buttons->addStretch();
    buttons->addWidget(SQLOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SQLSCELTA);
    layout->addLayout(found);
    layout->addWidget(Label2);
    layout->addWidget(SQLRESU, 1);
    layout->addLayout(buttons);
}

void ResultsWindow::reject()
{
    emit closing();
    QDialog::reject();
}
