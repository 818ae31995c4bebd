#include "archive_tab.h"

#include "jpeg_view.h"
#include "title_list_model.h"
#include "widget_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// An edit with its label on a grid; label names the label when other code needs to find it.
QLineEdit* field(QGridLayout* grid, const char* label, const char* name, const QString& caption, int row, int col,
                 int span = 1, bool readOnly = false)
{
    auto* edit = named<QLineEdit>(name);
    edit->setReadOnly(readOnly);
    auto* l = label ? named<QLabel>(label, caption) : new QLabel(caption);
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

// A small month sheet: a red band with two rings over a grid of days.
QIcon calendarIcon()
{
    QPixmap sheet(16, 16);
    sheet.fill(Qt::transparent);
    QPainter p(&sheet);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    p.fillRect(4, 1, 1, 3, QColor(60, 60, 60));
    p.fillRect(11, 1, 1, 3, QColor(60, 60, 60));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            p.fillRect(x, y, 2, 1, QColor(60, 60, 60));
    return QIcon(sheet);
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

    DATIDB = panel("DATIDB");
    auto* grid = new QGridLayout(DATIDB);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    DBEDtitolo = field(grid, nullptr, "DBEDtitolo", "Titolo", 0, 0, 3, true);
    DBEDgenere = field(grid, nullptr, "DBEDgenere", "Genere", 1, 0);
    DBEDdurata = field(grid, nullptr, "DBEDdurata", "Durata", 1, 2);
    DBEDdatau = field(grid, nullptr, "DBEDdatau", "Anno", 2, 0);
    DBEDdataa = field(grid, nullptr, "DBEDdataa", "Data Arrivo", 2, 2, 1, true);
    DBEDattore1 = field(grid, "Label22", "DBEDattore1", "Attori A", 3, 0, 3);
    DBEDattore2 = field(grid, "Label26", "DBEDattore2", "Attori B", 4, 0, 3);
    Label22 = DATIDB->findChild<QLabel*>("Label22");
    Label26 = DATIDB->findChild<QLabel*>("Label26");
    DBEDregia = field(grid, nullptr, "DBEDregia", "Regia", 5, 0, 3);
    DBEDposizione = field(grid, nullptr, "DBEDposizione", "Posizione", 6, 0);
    DBEDdimmb = field(grid, nullptr, "DBEDdimmb", "Dim MB", 6, 2, 1, true);

    PageControl3 = named<QTabWidget>("PageControl3");
    DBMtrama = named<QPlainTextEdit>("DBMtrama");
    DBMtrama->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on, as in every field: a tab in a plot would split its archive line.
    DBMtrama->setTabChangesFocus(true);
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
    FLTEDtitolo = field(fg, "Label23", "FLTEDtitolo", "Titolo", 1, 0);
    FLTCBgenere = named<QComboBox>("FLTCBgenere");
    FLTCBgenere->setEditable(true);
    // What the user types is the criterion as typed: no new items, no completion to an item.
    FLTCBgenere->setInsertPolicy(QComboBox::NoInsert);
    FLTCBgenere->setCompleter(nullptr);
    fg->addWidget(named<QLabel>("Label17", "Genere"), 1, 2);
    fg->addWidget(FLTCBgenere, 1, 3);
    FLTEDattore = field(fg, "Label33", "FLTEDattore", "Attori", 2, 0);
    FLTEDregia = field(fg, "Label34", "FLTEDregia", "Regia", 2, 2);
    FLTEDposizione = field(fg, "Label35", "FLTEDposizione", "Posizione", 3, 0);
    FLTEDdataa = named<QLineEdit>("FLTEDdataa");
    FLTEDdataa->setReadOnly(true);
    SCalendar = named<QToolButton>("SCalendar");
    SCalendar->setIcon(calendarIcon());
    SCalendar->setToolTip("Data iniziale");
    FLTDataClear = named<QToolButton>("FLTDataClear");
    FLTDataClear->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(FLTEDdataa);
    dateRow->addWidget(SCalendar);
    dateRow->addWidget(FLTDataClear);
    fg->addWidget(named<QLabel>("Label29", "Data Arrivo"), 3, 2);
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
    auto* bl = new QGridLayout(Panel7);
    bl->setContentsMargins(6, 4, 6, 4);
    bl->setVerticalSpacing(3);
    DBAggRec = named<QPushButton>("DBAggRec", "Aggiorna record");
    DBAggRec->setToolTip("Aggiorna titolo selezionato");
    DBCancRec = named<QPushButton>("DBCancRec", "Cancella record");
    DBCancRec->setToolTip("Cancella titolo selezionato");
    MergeDB = named<QPushButton>("MergeDB", "MERGE");
    MergeDB->setToolTip("Merge un altro DataBase");
    QUIT = named<QPushButton>("QUIT", "USCITA");
    DBAggRec->setEnabled(false);
    DBCancRec->setEnabled(false);
    // One line wide enough for the date with hours and minutes.
    Label32 = named<QLabel>("Label32", "Data archivio Films :");
    Label32->setMinimumWidth(Label32->fontMetrics().horizontalAdvance("Data Archivio films: 00/00/0000 00:00") + 8);
    bl->addWidget(DBAggRec, 0, 0);
    bl->addWidget(DBCancRec, 0, 1);
    bl->addWidget(MergeDB, 1, 0);
    bl->addWidget(QUIT, 1, 1);
    bl->addWidget(Label32, 2, 0, 1, 2);

    // The record, the filters and the buttons on the left; the titles and their pages on the right.
    auto* left = new QVBoxLayout;
    left->addWidget(DATIDB);
    left->addWidget(FILTRI);
    left->addStretch();
    left->addWidget(Panel7);
    auto* right = new QVBoxLayout;
    right->addWidget(DBLBresult, 1);
    right->addWidget(PageControl3, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
}
