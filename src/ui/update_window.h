#pragma once

#include <QDialog>

class BitmapBar;
class GradientPanel;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The update check TForm6: a view; UpdateController runs its one button.
class UpdateWindow : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateWindow(QWidget* parent = nullptr);

    GradientPanel* VrGradient1;
    QFrame* VrBorder1;
    QLabel* Label1;
    BitmapBar* PBAGG;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLabel* Label3;
    QPlainTextEdit* Memo1;
    QPushButton* BBBUPSTART;

    void appendLog(const QString& line);
    // Modal, centred on the screen; returns when the window closes.
    void showCentred();

signals:
    // The close box (or Escape): the user leaves the window.
    void closeBoxClicked();
    // The window is closed (not minimised): a request it waits for must end.
    void closing();

protected:
    void hideEvent(QHideEvent* event) override;
    void reject() override;
};
