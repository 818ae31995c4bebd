#include "lookup_window.h"

#include "banner.h"
#include "jpeg_view.h"
#include "led.h"
#include "widget_names.h"

#include "base/cp1252.h"
#include "lookup/filmup_site.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

namespace {

const char* const kSameHint = "Aggiungi tutti i titoli con spunta al database";

template <typename W>
W* placed(W* w, QWidget* parent, int x, int y, int width, int height)
{
    w->setParent(parent);
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel* label(const char* name, const QString& caption, QWidget* parent, int x, int y, int width = 90)
{
    return placed(named<QLabel>(name, caption), parent, x, y, width, 16);
}

// A label and its edit on one row of the data frame.
QLineEdit* field(const char* labelName, const QString& caption, const char* name, QWidget* parent, int x, int y,
                 int labelWidth, int width)
{
    label(labelName, caption, parent, x, y + 3, labelWidth);
    return placed(named<QLineEdit>(name), parent, x + labelWidth, y, width, 22);
}

} // namespace

LookupWindow::LookupWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm4");
    const QString host = cp1252::toQString(filmup::hostName());
    setWindowTitle("Zenfo - Interfaccia DataBase di " + host);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(641, 483);

    Image1 = placed(named<QLabel>("Image1"), this, 6, 6, 150, 64);
    Image1->setPixmap(lookupBanner(Image1->size()));

    label("Label1", "Titolo (o parte) da cercare", this, 164, 8, 240);
    WEBSEARCH = placed(named<QLineEdit>("WEBSEARCH"), this, 164, 26, 250, 22);
    WEBQUERY = placed(named<QPushButton>("WEBQUERY", "CHIEDI DATI"), this, 422, 24, 104, 26);
    WEBOK = placed(named<QPushButton>("WEBOK", "Accetta dati"), this, 536, 8, 99, 26);
    WEBNOOK = placed(named<QPushButton>("WEBNOOK", "Annulla dati"), this, 536, 40, 99, 26);
    for (QPushButton* b : {WEBQUERY, WEBOK, WEBNOOK}) {
        b->setToolTip(kSameHint);
        b->setAutoDefault(false);
    }
    WEBOK->setEnabled(false);
    // Enter after the search text asks, as the button does (and not while a request runs).
    connect(WEBSEARCH, &QLineEdit::returnPressed, WEBQUERY, &QPushButton::click);

    GroupBox2 = placed(named<QGroupBox>("GroupBox2", "  Parametri Query SQL  "), this, 6, 74, 418, 64);
    label("Label17", "Parole del titolo", GroupBox2, 10, 18, 160);
    PQWORD = placed(named<QComboBox>("PQWORD"), GroupBox2, 10, 35, 160, 22);
    PQWORD->addItems({"Tutti le parole", "Almeno una parola"});
    label("Label18", "Numero risultati per pagina", GroupBox2, 190, 18, 200);
    PQNRPP = placed(named<QComboBox>("PQNRPP"), GroupBox2, 190, 35, 60, 22);
    PQNRPP->addItems({"10", "20", "50"});
    PQWORD->setCurrentIndex(0);
    PQNRPP->setCurrentIndex(0);

    label("Label4", "Web Log.", this, 430, 76);
    LOG = placed(named<QPlainTextEdit>("LOG"), this, 430, 92, 205, 112);
    LOG->setReadOnly(true);
    LOG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LOG->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    GroupBox1 = placed(named<QGroupBox>("GroupBox1", "  Dati ricavati da " + host + "  "), this, 6, 142, 418, 316);
    const int lw = 72, x0 = 8, fw = 330;
    WEBTIT = field("Label5", "Titolo web", "WEBTIT", GroupBox1, x0, 20, lw, fw);
    WEBTITOR = field("Label9", "Titolo orig.", "WEBTITOR", GroupBox1, x0, 46, lw, fw);
    WEBGEN = field("Label6", "Genere", "WEBGEN", GroupBox1, x0, 72, lw, 130);
    WEBNAZ = field("Label11", "Nazione", "WEBNAZ", GroupBox1, 216, 72, 54, 140);
    WEBANNO = field("Label8", "Anno", "WEBANNO", GroupBox1, x0, 98, lw, 46);
    WEBDURATA = field("Label7", "Durata", "WEBDURATA", GroupBox1, 130, 98, 46, 56);
    WEBDATAU = field("Label13", "Data uscita", "WEBDATAU", GroupBox1, 238, 98, 74, 98);
    WEBATT1 = field("Label10", "Attori A", "WEBATT1", GroupBox1, x0, 124, lw, fw);
    WEBATT2 = field("Label2", "Attori B", "WEBATT2", GroupBox1, x0, 150, lw, fw);
    WEBREGIA = field("Label12", "Regia", "WEBREGIA", GroupBox1, x0, 176, lw, fw);
    label("Label3", "Trama", GroupBox1, x0, 205, lw);
    WEBTRAMA = placed(named<QPlainTextEdit>("WEBTRAMA"), GroupBox1, x0 + lw, 202, fw, 106);
    WEBTRAMA->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    WEBTRAMA->setTabChangesFocus(true);  // Tab goes on to the actors and genres

    label("Label14", "Scegli Attori da esportare", this, 430, 208, 205);
    CLBATT = placed(named<QListWidget>("CLBATT"), this, 430, 224, 205, 104);
    label("Label15", "Scegli Genere da esportare", this, 430, 332, 205);
    CLBGEN = placed(named<QListWidget>("CLBGEN"), this, 430, 348, 100, 110);
    label("Label16", "Locandina", this, 536, 348 - 0, 99);
    auto* posterFrame = placed(new QFrame, this, 536, 364, 99, 74);
    posterFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    WEBLOC = placed(named<JpegView>("WEBLOC"), posterFrame, 2, 2, 95, 70);
    WEBLOC->setCenter(true);
    WEBLOC->setProportional(true);
    // A small poster keeps its size.
    WEBLOC->setStretch(false);
    LED1 = placed(named<Led>("LED1"), this, 536, 442, 14, 14);
    label("Label19", "Copertina", this, 554, 441, 80);

    StatusBar1 = placed(named<QStatusBar>("StatusBar1"), this, 0, 463, 641, 20);
    StatusBar1->setSizeGripEnabled(false);
    auto* panel0 = new QWidget;
    panel0->setFixedWidth(150);
    StatusBar1->addWidget(panel0);
    StatusPanel1 = new QLabel("HTTP Status");
    StatusPanel1->setMinimumWidth(50);
    StatusBar1->addWidget(StatusPanel1, 1);
    ProgressBar1 = named<QProgressBar>("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    FormCreate();
}

// The bar lies over the status bar's first panel, which is left empty for it.
void LookupWindow::FormCreate()
{
    ProgressBar1->setParent(StatusBar1);
    ProgressBar1->setGeometry(1, 2, 148, 16);
}

void LookupWindow::appendLog(const QString& line)
{
    LOG->appendPlainText(line);
    LOG->verticalScrollBar()->setValue(LOG->verticalScrollBar()->maximum());
}

void LookupWindow::hideEvent(QHideEvent* event)
{
    // Minimised is not closed: the request goes on.
    if (!event->spontaneous() && !isMinimized())
        emit closing();
    QDialog::hideEvent(event);
}

void LookupWindow::reject()
{
    hide();
}
