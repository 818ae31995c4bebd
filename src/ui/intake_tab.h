#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class JpegView;

// The controls of the "GESTIONE NUOVI FILM" tab.
class IntakeTab : public QWidget
{
    Q_OBJECT
public:
    explicit IntakeTab(QWidget* parent = nullptr);

    QListWidget* CheckListBox1;
    QLineEdit *EDVOL, *NavFilm;
    QToolButton *Rinomina, *NameCopy, *HalfCopyName;
    QPushButton *AddToDB, *Import, *SpeedButton3;
    QLineEdit *EDTitolo, *EDGenere, *EDDurata, *EDDataU, *EDDataA, *EDAttore1, *EDAttore2, *EDRegia,
        *EDPosizione, *DIM;
    QPlainTextEdit* MDTrama;
    QPushButton *Paste, *AssociaDati, *Scarta;
    QCheckBox *AutoMan, *CBSLLOC;
    QRadioButton *RBLK1, *RBLK2;
    QLabel *LINK1, *LINK2;
    QTabWidget* PageControl2;
    QWidget *TabSheet4, *TabSheet8;
    JpegView* LOC;
    QLineEdit* EDNFLOC;
    QListWidget* ListBox3;
    QLineEdit* NavCopert;
    JpegView* JPEGImage1;
    QPushButton *SpeedButton5, *SpeedButton1, *AssCopArch;

    // Points a hyperlink label at an address.
    static void setLink(QLabel* label, const QString& url, const QString& text);
};
