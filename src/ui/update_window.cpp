#include "update_window.h"

#include "bitmap_bar.h"
#include "gradient_panel.h"
#include "widget_names.h"

#include <QFont>
#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

template <typename W> W* placed(W* w, QWidget* parent, int x, int y, int width, int height)
{
    w->setParent(parent);
    w->setGeometry(x, y, width, height);
    return w;
}

} // namespace

UpdateWindow::UpdateWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm6");
    setWindowTitle("Zenfo2 - Controllo aggiornamenti");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(455, 294);

    VrGradient1 = placed(named<GradientPanel>("VrGradient1", QColor(135, 206, 235), QColor(Qt::white)), this,
                         0, 0, 455, 294);
    VrBorder1 = placed(named<QFrame>("VrBorder1"), this, 6, 6, 443, 282);
    VrBorder1->setFrameStyle(QFrame::Box | QFrame::Raised);
    VrBorder1->setLineWidth(1);
    VrBorder1->setMidLineWidth(1);

    Label1 = placed(named<QLabel>("Label1", "Web Update"), this, 16, 12, 300, 34);
    QFont title("DejaVu Sans", 18, QFont::Bold);
    Label1->setFont(title);
    Label1->setStyleSheet("color: #103060;");

    PBAGG = placed(named<BitmapBar>("PBAGG"), this, 16, 52, 423, 18);
    PBAGG->setRange(0, 100);
    PBAGG->setValue(0);

    Label2 = placed(named<QLabel>("Label2", "Stato :"), this, 16, 82, 50, 16);
    Edit1 = placed(named<QLineEdit>("Edit1"), this, 70, 79, 369, 22);
    Edit1->setReadOnly(true);

    Label3 = placed(named<QLabel>("Label3", "Log"), this, 16, 106, 60, 16);
    Memo1 = placed(named<QPlainTextEdit>("Memo1"), this, 16, 123, 423, 121);
    Memo1->setReadOnly(true);

    BBBUPSTART = placed(named<QPushButton>("BBBUPSTART", "Controlla"), this, 147, 252, 161, 28);
    BBBUPSTART->setAutoDefault(false);
    // Enter starts the check (only the check, see the controller); Escape is the close box.
    BBBUPSTART->setDefault(true);
}

void UpdateWindow::appendLog(const QString& line)
{
    Memo1->appendPlainText(line);
}

void UpdateWindow::showCentred()
{
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    exec();
}

void UpdateWindow::hideEvent(QHideEvent* event)
{
    // Minimised is not closed: the request goes on.
    if (!event->spontaneous() && !isMinimized())
        emit closing();
    QDialog::hideEvent(event);
}

void UpdateWindow::reject()
{
    emit closeBoxClicked();
    QDialog::reject();
}
