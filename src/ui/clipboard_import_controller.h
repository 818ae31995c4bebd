#pragma once

#include <QObject>

class Dialogs;
class IntakeTab;
class QClipboard;
struct Program;

// The choice between the two sources of film data on the intake tab, their site links, and the
// source that reads a film page copied from the browser out of the clipboard.
class ClipboardImportController : public QObject
{
    Q_OBJECT
public:
    ClipboardImportController(Program& program, Dialogs& dialogs, IntakeTab& tab, QClipboard& clipboard,
                              QObject* parent = nullptr);

    void LK1CHANGE();
    void LK2CHANGE();
    // Paste in the clipboard role.
    void PasteFromClipboard();

private:
    Program& m_program;
    Dialogs& m_dialogs;
    IntakeTab& m_tab;
    QClipboard& m_clipboard;
};
