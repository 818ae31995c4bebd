#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The chooser of FilmUP search results TForm5: a view; LookupController answers its buttons.
class ResultsWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    QLineEdit* SQLSCELTA;
    QLabel *Label1, *Label2, *Label3;
    QListWidget* SQLRESU;
    QPushButton *SQLABO, *SQLOK;

signals:
    // Closed by its close box or Esc: a page request it waits for must end.
    void closing();

protected:
    void reject() override;
};
