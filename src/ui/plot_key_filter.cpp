#include "plot_key_filter.h"

#include "platform/dialogs.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

PlotKeyFilter::PlotKeyFilter(QPlainTextEdit* memo, Dialogs& dialogs) : QObject(memo), m_dialogs(dialogs)
{
    memo->installEventFilter(this);
}

void PlotKeyFilter::install(QPlainTextEdit* memo, Dialogs& dialogs) { new PlotKeyFilter(memo, dialogs); }

bool PlotKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_dialogs.beep();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
