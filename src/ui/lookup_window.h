#pragma once

#include <QDialog>

class JpegView;
class Led;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The FilmUP lookup window TForm4: a view; LookupController runs its requests.
class LookupWindow : public QDialog
{
    Q_OBJECT
public:
    explicit LookupWindow(QWidget* parent = nullptr);

    QLabel* Image1;
    QLineEdit* WEBSEARCH;
    QPushButton *WEBQUERY, *WEBOK, *WEBNOOK;
    QGroupBox *GroupBox1, *GroupBox2;
    QComboBox *PQWORD, *PQNRPP;
    QPlainTextEdit* LOG;
    QLineEdit *WEBTIT, *WEBTITOR, *WEBGEN, *WEBNAZ, *WEBANNO, *WEBDURATA, *WEBDATAU, *WEBATT1, *WEBATT2, *WEBREGIA;
    QPlainTextEdit* WEBTRAMA;
    QListWidget *CLBATT, *CLBGEN;
    JpegView* WEBLOC;
    Led* LED1;
    QStatusBar* StatusBar1;
    // Panel 1 of the status bar: the transfer status.
    QLabel* StatusPanel1;
    QProgressBar* ProgressBar1;

    // One line at the end of the log.
    void appendLog(const QString& line);

signals:
    // The window is closed or hidden: a request it waits for must end.
    void closing();

protected:
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    void FormCreate();
};
