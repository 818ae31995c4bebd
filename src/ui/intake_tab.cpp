#include "intake_tab.h"

#include "jpeg_view.h"
#include "widget_names.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* field(QGridLayout* grid, const char* label, const char* name, const QString& caption, int row, int col,
                 int span = 1, bool readOnly = false)
{
    auto* edit = named<QLineEdit>(name);
    edit->setReadOnly(readOnly);
    grid->addWidget(named<QLabel>(label, caption), row, col);
    grid->addWidget(edit, row, col + 1, 1, span);
    return edit;
}

QToolButton* tool(const char* name, QStyle::StandardPixmap icon, const QString& hint, QStyle* style)
{
    auto* b = named<QToolButton>(name);
    b->setIcon(style->standardIcon(icon));
    b->setToolTip(hint);
    return b;
}

} // namespace

void IntakeTab::setLink(QLabel* label, const QString& url, const QString& text)
{
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setToolTip(url);
}

IntakeTab::IntakeTab(QWidget* parent) : QWidget(parent)
{
    CheckListBox1 = named<QListWidget>("CheckListBox1");
    CheckListBox1->setUniformItemSizes(true);
    EDVOL = named<QLineEdit>("EDVOL");
    EDVOL->setReadOnly(true);
    EDVOL->setMaximumWidth(90);
    NavFilm = named<QLineEdit>("NavFilm");
    NavFilm->setToolTip("Naviga per Films");
    NavFilm->setReadOnly(true);
    NavFilm->setCursor(Qt::PointingHandCursor);
    Rinomina = tool("Rinomina", QStyle::SP_FileDialogDetailedView, "Rinomina Film", style());
    NameCopy = tool("NameCopy", QStyle::SP_FileIcon, "Copia Titolo in ClipBoard", style());
    HalfCopyName = tool("HalfCopyName", QStyle::SP_FileLinkIcon, "Copia 70% del Titolo in ClipBoard", style());
    AddToDB = named<QPushButton>("AddToDB", "Aggiungi lista a DB");
    AddToDB->setToolTip("Aggiungi tutti i titoli con spunta al database");
    SpeedButton3 = named<QPushButton>("SpeedButton3", "Exp");
    SpeedButton3->setToolTip("Esporta titoli su lista ASCII");
    Import = named<QPushButton>("Import", "Imp");
    Import->setToolTip("Importa titoli da lista ASCII");

    auto* volRow = new QHBoxLayout;
    volRow->addWidget(named<QLabel>("Label2", "TITOLI"));
    volRow->addStretch();
    volRow->addWidget(named<QLabel>("Label16", "Vol."));
    volRow->addWidget(EDVOL);
    auto* toolRow = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Rinomina), static_cast<QWidget*>(NameCopy),
                       static_cast<QWidget*>(HalfCopyName)})
        toolRow->addWidget(w);
    toolRow->addStretch();
    toolRow->addWidget(Import);
    toolRow->addWidget(SpeedButton3);
    auto* panel1 = named<QFrame>("Panel1");
    panel1->setFrameShape(QFrame::StyledPanel);
    auto* left = new QVBoxLayout(panel1);
    left->setContentsMargins(4, 4, 4, 4);
    left->addLayout(volRow);
    left->addWidget(NavFilm);
    left->addWidget(CheckListBox1, 1);
    left->addLayout(toolRow);
    left->addWidget(AddToDB);

    auto* panel3 = named<QFrame>("Panel3");
    panel3->setFrameShape(QFrame::StyledPanel);
    auto* data = new QGridLayout;
    data->setVerticalSpacing(3);
    EDTitolo = field(data, "Label5", "EDTitolo", "Titolo web", 0, 0, 3, true);
    EDGenere = field(data, "Label6", "EDGenere", "Genere", 1, 0);
    EDDurata = field(data, "Label7", "EDDurata", "Durata", 1, 2);
    EDDataU = field(data, "Label8", "EDDataU", "Data Uscita", 2, 0);
    EDDataA = field(data, "Label9", "EDDataA", "Data Arrivo", 2, 2, 1, true);
    EDAttore1 = field(data, "Label10", "EDAttore1", "Attori A", 3, 0, 3);
    EDAttore2 = field(data, "Label14", "EDAttore2", "Attori B", 4, 0, 3);
    EDRegia = field(data, "Label12", "EDRegia", "Regia", 5, 0, 3);
    EDPosizione = field(data, "Label13", "EDPosizione", "Posizione", 6, 0);
    DIM = field(data, "Label15", "DIM", "Dim MB", 6, 2, 1, true);
    MDTrama = named<QPlainTextEdit>("MDTrama");
    MDTrama->setToolTip("Trama");
    MDTrama->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MDTrama->setTabChangesFocus(true);  // a tab would split the plot's archive line
    MDTrama->setMaximumHeight(84);
    data->addWidget(named<QLabel>("Label11", "TRAMA"), 7, 0, Qt::AlignTop);
    data->addWidget(MDTrama, 7, 1, 1, 3);

    RBLK1 = named<QRadioButton>("RBLK1");
    RBLK2 = named<QRadioButton>("RBLK2");
    RBLK2->setChecked(true);
    LINK1 = named<QLabel>("LINK1");
    LINK2 = named<QLabel>("LINK2");
    LINK1->setEnabled(false);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(RBLK1);
    sourceRow->addWidget(LINK1);
    sourceRow->addSpacing(12);
    sourceRow->addWidget(RBLK2);
    sourceRow->addWidget(LINK2);
    sourceRow->addStretch();

    Paste = named<QPushButton>("Paste", "Chiedi Dati a FilmUP");
    Paste->setEnabled(false);
    AssociaDati = named<QPushButton>("AssociaDati", "Associa");
    AssociaDati->setToolTip("Associa Dati a Titolo");
    AssociaDati->setEnabled(false);
    Scarta = named<QPushButton>("Scarta", "Disassocia");
    Scarta->setToolTip("Scarta tutti i dati associati");
    AutoMan = named<QCheckBox>("AutoMan", "Auto");
    AutoMan->setChecked(true);
    auto* actionRow = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Paste), static_cast<QWidget*>(AssociaDati),
                       static_cast<QWidget*>(Scarta), static_cast<QWidget*>(AutoMan)})
        actionRow->addWidget(w);
    actionRow->addStretch();
    auto* right = new QVBoxLayout(panel3);
    right->setContentsMargins(4, 4, 4, 4);
    right->addLayout(data);
    right->addLayout(sourceRow);
    right->addLayout(actionRow);

    PageControl2 = named<QTabWidget>("PageControl2");
    TabSheet4 = named<QWidget>("TabSheet4");
    TabSheet8 = named<QWidget>("TabSheet8");
    PageControl2->addTab(TabSheet4, "Locandine");
    PageControl2->addTab(TabSheet8, "Copertine");

    LOC = named<JpegView>("LOC");
    EDNFLOC = named<QLineEdit>("EDNFLOC");
    EDNFLOC->setReadOnly(true);
    CBSLLOC = named<QCheckBox>("CBSLLOC", "Salva Locandina");
    auto* posters = new QGridLayout(TabSheet4);
    posters->setContentsMargins(2, 2, 2, 2);
    posters->addWidget(LOC, 0, 0, 1, 3);
    posters->setRowStretch(0, 1);
    posters->addWidget(named<QLabel>("Label3", "Nome File Locandina"), 1, 0);
    posters->addWidget(EDNFLOC, 1, 1);
    posters->addWidget(CBSLLOC, 1, 2);

    ListBox3 = named<QListWidget>("ListBox3");
    ListBox3->setMaximumWidth(150);
    NavCopert = named<QLineEdit>("NavCopert");
    NavCopert->setToolTip("Naviga per Copertine");
    NavCopert->setReadOnly(true);
    NavCopert->setCursor(Qt::PointingHandCursor);
    JPEGImage1 = named<JpegView>("JPEGImage1");
    auto* panel4 = named<QGroupBox>("Panel4", "Copertina");
    auto* pictureLayout = new QVBoxLayout(panel4);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    pictureLayout->addWidget(JPEGImage1);
    SpeedButton5 = named<QPushButton>("SpeedButton5", "Associa");
    SpeedButton5->setToolTip("Associa Copertina");
    SpeedButton1 = named<QPushButton>("SpeedButton1", "Elimina");
    SpeedButton1->setToolTip("Cancella Copertina");
    AssCopArch = named<QPushButton>("AssCopArch", "Associa a titolo in archivio");
    AssCopArch->setToolTip("Associa Copertina");
    auto* coverButtons = new QHBoxLayout;
    for (QPushButton* b : {SpeedButton5, SpeedButton1, AssCopArch}) {
        b->setEnabled(false);
        coverButtons->addWidget(b);
    }
    coverButtons->addStretch();
    auto* panel2 = named<QWidget>("Panel2");
    auto* covers = new QGridLayout(panel2);
    covers->setContentsMargins(2, 2, 2, 2);
    covers->addWidget(NavCopert, 0, 0, 1, 2);
    covers->addWidget(ListBox3, 1, 0);
    covers->addWidget(panel4, 1, 1);
    covers->addLayout(coverButtons, 2, 0, 1, 2);
    covers->setRowStretch(1, 1);
    auto* coversPage = new QVBoxLayout(TabSheet8);
    coversPage->setContentsMargins(0, 0, 0, 0);
    coversPage->addWidget(panel2);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(panel1, 1);
    leftColumn->addWidget(panel3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(leftColumn, 3);
    layout->addWidget(PageControl2, 2);
}
