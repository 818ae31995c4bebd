#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

// The controls of the "Stat + Conf" tab.
class SettingsTab : public QWidget
{
    Q_OBJECT
public:
    SettingsTab(const QString& filmupHost, QWidget* parent = nullptr);

    QTableWidget* SGStat;
    QLineEdit* EDNick;
    QLineEdit* EDArchCop;
    QToolButton* NAVDIRCOP;
    QCheckBox* CBSCOP;
    QLineEdit* EDArchLoc;
    QToolButton* SpeedButton4;
    QCheckBox *CBSL, *CBSALVALOC;
    QCheckBox* CkBRimappa;
    QCheckBox *CBIPMARCA, *CBIPRCD, *CBIDRCD;
    QPushButton* SpeedButton2;
    QPushButton* BBAGGIORNA;
};
