#include "archive_tab.h"

#include "jpeg_view.h"
#include "title_list_model.h"
#include "widget_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* field(QGridLayout* grid, const char* name, const QString& caption, int row, int col, int span = 1,
                 bool readOnly = false, QLabel** label = nullptr)
{
    auto* edit = named<QLineEdit>(name);
    edit->setReadOnly(readOnly);
    auto* l = new QLabel(caption);
    if (label)
        *label = l;
    grid->addWidget(l, row, col);
    grid->addWidget(edit, row, col + 1, 1, span);
    return edit;
}

QFrame* panel(const char* name)
{
    auto* f = named<QFrame>(name);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

// A picture filling its tab, with its button in the corner.
void pictureTab(QWidget* tab, JpegView* view, QPushButton* button)
{
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(view, 0, 0);
    layout->addWidget(button, 0, 0, Qt::AlignRight | Qt::AlignBottom);
}

} // namespace

ArchiveTab::ArchiveTab(QWidget* parent) : QWidget(parent)
{
    DBLBresult = named<QListView>("DBLBresult");
    titles = new TitleListModel(this);
    DBLBresult->setModel(titles);
    DBLBresult->setUniformItemSizes(true);
    DBLBresult->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBLBresult->setMinimumWidth(210);
    DBLBresult->setMaximumWidth(260);

    DATIDB = panel("DATIDB");
    auto* grid = new QGridLayout(DATIDB);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    DBEDtitolo = field(grid, "DBEDtitolo", "Titolo", 0, 0, 3, true);
    DBEDgenere = field(grid, "DBEDgenere", "Genere", 1, 0);
    DBEDdurata = field(grid, "DBEDdurata", "Durata", 1, 2);
    DBEDdatau = field(grid, "DBEDdatau", "Anno", 2, 0);
    DBEDdataa = field(grid, "DBEDdataa", "Data Arrivo", 2, 2, 1, true);
    DBEDattore1 = field(grid, "DBEDattore1", "Attori A", 3, 0, 3, false, &Label22);
    DBEDattore2 = field(grid, "DBEDattore2", "Attori B", 4, 0, 3, false, &Label26);
    Label22->setObjectName("Label22");
    Label26->setObjectName("Label26");
    DBEDregia = field(grid, "DBEDregia", "Regia", 5, 0, 3);
    DBEDposizione = field(grid, "DBEDposizione", "Posizione", 6, 0);
    DBEDdimmb = field(grid, "DBEDdimmb", "Dim MB", 6, 2, 1, true);

    PageControl3 = named<QTabWidget>("PageControl3");
    DBMtrama = named<QPlainTextEdit>("DBMtrama");
    DBMtrama->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TSLocandina = named<QWidget>("TabSheet9");
    TSCopertina = named<QWidget>("TabSheet6");
    DBLOCANDINA = named<JpegView>("DBLOCANDINA");
    DBJPGcover = named<JpegView>("DBJPGcover");
    LCZOOM = named<QPushButton>("LCZOOM", "ZOOM");
    CoverZoom = named<QPushButton>("CoverZoom", "ZOOM");
    pictureTab(TSLocandina, DBLOCANDINA, LCZOOM);
    pictureTab(TSCopertina, DBJPGcover, CoverZoom);
    PageControl3->addTab(DBMtrama, "Trama");
    PageControl3->addTab(TSLocandina, "Locandina");
    PageControl3->addTab(TSCopertina, "Copertina");

    FILTRI = panel("FILTRI");
    auto* fg = new QGridLayout(FILTRI);
    fg->setContentsMargins(6, 4, 6, 4);
    fg->setVerticalSpacing(3);
    auto* title = named<QLabel>("Label30", "FILTRI");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    FLTRT = named<QCheckBox>("FLTRT", "Real Time");
    FLTRT->setChecked(true);
    fg->addWidget(title, 0, 0);
    fg->addWidget(FLTRT, 0, 1);
    FLTEDtitolo = field(fg, "FLTEDtitolo", "Titolo", 1, 0);
    FLTCBgenere = named<QComboBox>("FLTCBgenere");
    FLTCBgenere->setEditable(true);
    fg->addWidget(new QLabel("Genere"), 1, 2);
    fg->addWidget(FLTCBgenere, 1, 3);
    FLTEDattore = field(fg, "FLTEDattore", "Attori", 2, 0);
    FLTEDregia = field(fg, "FLTEDregia", "Regia", 2, 2);
    FLTEDposizione = field(fg, "FLTEDposizione", "Posizione", 3, 0);
    FLTEDdataa = named<QLineEdit>("FLTEDdataa");
    FLTEDdataa->setReadOnly(true);
    SCalendar = named<QToolButton>("SCalendar");
    SCalendar->setText("...");
    SCalendar->setToolTip("Data iniziale");
    FLTDataClear = named<QToolButton>("FLTDataClear");
    FLTDataClear->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(FLTEDdataa);
    dateRow->addWidget(SCalendar);
    dateRow->addWidget(FLTDataClear);
    fg->addWidget(new QLabel("Data Arrivo"), 3, 2);
    fg->addLayout(dateRow, 3, 3);
    FLTAPP = named<QPushButton>("FLTAPP", "Applica");
    FLTAPP->setToolTip("Applica Filtri");
    FLTAPP->setEnabled(false);
    FLTCLEAR = named<QPushButton>("FLTCLEAR", " Togli    ");
    FLTCLEAR->setToolTip("Cancella Filtri");
    FLTCLEAR->setEnabled(false);
    Label36 = named<QLabel>("Label36", "Titoli Totali:");
    Label37 = named<QLabel>("Label37", "Titoli Filtrati");
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(FLTAPP);
    countRow->addWidget(FLTCLEAR);
    countRow->addSpacing(12);
    countRow->addWidget(Label36);
    countRow->addSpacing(12);
    countRow->addWidget(Label37);
    countRow->addStretch();
    fg->addLayout(countRow, 4, 0, 1, 4);

    Panel7 = panel("Panel7");
    auto* bl = new QVBoxLayout(Panel7);
    bl->setContentsMargins(6, 4, 6, 4);
    DBAggRec = named<QPushButton>("DBAggRec", "Aggiorna record");
    DBAggRec->setToolTip("Aggiorna titolo selezionato");
    DBCancRec = named<QPushButton>("DBCancRec", "Cancella record");
    DBCancRec->setToolTip("Cancella titolo selezionato");
    MergeDB = named<QPushButton>("MergeDB", "MERGE");
    MergeDB->setToolTip("Merge un altro DataBase");
    QUIT = named<QPushButton>("QUIT", "USCITA");
    DBAggRec->setEnabled(false);
    DBCancRec->setEnabled(false);
    Label32 = named<QLabel>("Label32", "Data archivio Films :");
    Label32->setWordWrap(true);
    for (QWidget* w : {static_cast<QWidget*>(DBAggRec), static_cast<QWidget*>(DBCancRec),
                       static_cast<QWidget*>(MergeDB), static_cast<QWidget*>(QUIT), static_cast<QWidget*>(Label32)})
        bl->addWidget(w);

    auto* right = new QVBoxLayout;
    right->addWidget(DATIDB);
    right->addWidget(PageControl3, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(DBLBresult);
    top->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(FILTRI, 1);
    bottom->addWidget(Panel7);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
}
