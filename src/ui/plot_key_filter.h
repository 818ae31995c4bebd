#pragma once

#include <QObject>

class Dialogs;
class QPlainTextEdit;

// A plot is one line of the archive file: Enter in its memo only beeps.
class PlotKeyFilter : public QObject
{
    Q_OBJECT
public:
    static void install(QPlainTextEdit* memo, Dialogs& dialogs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlotKeyFilter(QPlainTextEdit* memo, Dialogs& dialogs);
    Dialogs& m_dialogs;
};
