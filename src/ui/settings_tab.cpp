#include "settings_tab.h"

#include "widget_names.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* folderButton(const char* name, QStyle* style)
{
    auto* b = named<QToolButton>(name);
    b->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
    return b;
}

QLineEdit* folderEdit(const char* name)
{
    auto* e = named<QLineEdit>(name);
    // Only the folder chooser changes the setting; typing here does not.
    e->setReadOnly(true);
    return e;
}

} // namespace

SettingsTab::SettingsTab(const QString& host, QWidget* parent) : QWidget(parent)
{
    SGStat = named<QTableWidget>("SGStat", 0, 2);
    SGStat->horizontalHeader()->hide();
    SGStat->verticalHeader()->hide();
    SGStat->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGStat->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the read-only counts for the next control instead of walking their cells.
    SGStat->setTabKeyNavigation(false);
    SGStat->horizontalHeader()->setDefaultSectionSize(80);
    SGStat->verticalHeader()->setMinimumSectionSize(1);
    SGStat->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SGStat->verticalHeader()->setDefaultSectionSize(18);
    SGStat->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SGStat->setMinimumWidth(230);

    auto* archivist = new QGroupBox("  Archivist  ");
    auto* al = new QHBoxLayout(archivist);
    EDNick = named<QLineEdit>("EDNick", "Nick");
    al->addWidget(named<QLabel>("Label28", "Nick Name"));
    al->addWidget(EDNick, 1);

    auto* covers = new QGroupBox("  Copertine  ");
    auto* cl = new QGridLayout(covers);
    EDArchCop = folderEdit("EDArchCop");
    EDArchCop->setText("D:\\FILM\\copertine");
    NAVDIRCOP = folderButton("NAVDIRCOP", style());
    CBSCOP = named<QCheckBox>("CBSCOP", "Richiedi e salva Immagine Copertina a " + host);
    CBSCOP->setChecked(true);
    cl->addWidget(named<QLabel>("Label31", "Dir Archivio Copertine"), 0, 0, 1, 2);
    cl->addWidget(EDArchCop, 1, 0);
    cl->addWidget(NAVDIRCOP, 1, 1);
    cl->addWidget(CBSCOP, 2, 0, 1, 2);

    auto* posters = new QGroupBox("  Locandine  ");
    auto* pl = new QGridLayout(posters);
    EDArchLoc = folderEdit("EDArchLoc");
    EDArchLoc->setText("D:\\FILM\\locandine");
    SpeedButton4 = folderButton("SpeedButton4", style());
    CBSL = named<QCheckBox>("CBSL", "Richiedi Immagine Locandina a " + host);
    CBSL->setChecked(true);
    CBSALVALOC = named<QCheckBox>("CBSALVALOC", "Salva Immagine  Locandina su disco all'associazione dei dati");
    CBSALVALOC->setChecked(true);
    pl->addWidget(named<QLabel>("Label4", "Dir Archivio Locandine"), 0, 0, 1, 2);
    pl->addWidget(EDArchLoc, 1, 0);
    pl->addWidget(SpeedButton4, 1, 1);
    pl->addWidget(CBSL, 2, 0, 1, 2);
    pl->addWidget(CBSALVALOC, 3, 0, 1, 2);

    auto* various = new QGroupBox("  Varie  ");
    auto* vl = new QVBoxLayout(various);
    CkBRimappa = named<QCheckBox>("CkBRimappa", QString::fromUtf8("Disabilita marcatura films già in archivio"));
    vl->addWidget(CkBRimappa);

    auto* temporary = new QGroupBox("   Opzioni temporanee ( non salvate nel Config)  ");
    auto* tl = new QVBoxLayout(temporary);
    CBIPMARCA = named<QCheckBox>("CBIPMARCA", QString::fromUtf8("Ignora POSIZIONE in marcatura films già in archivio"));
    CBIPRCD = named<QCheckBox>("CBIPRCD", "Ignora POSIZIONE in Rimozione Chiavi Doppie");
    CBIDRCD = named<QCheckBox>("CBIDRCD", "Ignora DIMENSIONE in Rimozione Chiavi Doppie");
    for (QCheckBox* c : {CBIPMARCA, CBIPRCD, CBIDRCD})
        tl->addWidget(c);

    SpeedButton2 = named<QPushButton>("SpeedButton2", "SALVA");
    BBAGGIORNA = named<QPushButton>("BBAGGIORNA", "Controlla aggiornamenti");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addStretch();
    buttons->addWidget(BBAGGIORNA);

    auto* right = new QVBoxLayout;
    for (QWidget* g : {static_cast<QWidget*>(archivist), static_cast<QWidget*>(covers),
                       static_cast<QWidget*>(posters), static_cast<QWidget*>(various),
                       static_cast<QWidget*>(temporary)})
        right->addWidget(g);
    right->addStretch();
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(SGStat, 2);
    layout->addLayout(right, 3);
}
