#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class TitleListModel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class JpegView;

// The controls of the "ARCHIVIO" tab.
class ArchiveTab : public QWidget
{
    Q_OBJECT
public:
    explicit ArchiveTab(QWidget* parent = nullptr);

    QListView* DBLBresult;
    TitleListModel* titles;
    QFrame* DATIDB;
    QLineEdit *DBEDtitolo, *DBEDgenere, *DBEDdurata, *DBEDdatau, *DBEDdataa, *DBEDattore1, *DBEDattore2,
        *DBEDregia, *DBEDposizione, *DBEDdimmb;
    QTabWidget* PageControl3;
    QPlainTextEdit* DBMtrama;
    QWidget *TSLocandina, *TSCopertina;
    JpegView *DBLOCANDINA, *DBJPGcover;
    QPushButton *LCZOOM, *CoverZoom;

    QFrame* FILTRI;
    QCheckBox* FLTRT;
    QLineEdit *FLTEDtitolo, *FLTEDattore, *FLTEDregia, *FLTEDdataa, *FLTEDposizione;
    QComboBox* FLTCBgenere;
    QToolButton *SCalendar, *FLTDataClear;
    QPushButton *FLTAPP, *FLTCLEAR;
    QLabel *Label36, *Label37, *Label22, *Label26;

    QFrame* Panel7;
    QPushButton *DBAggRec, *DBCancRec, *MergeDB, *QUIT;
    QLabel* Label32;
};
