#pragma once

#include <QObject>

class Dialogs;
class IntakeController;
class IntakeTab;
struct Program;

// The buttons under the intake list: rename of the selected file, the two title copies to the
// clipboard, and the export and import of title lists.
class IntakeToolsController : public QObject
{
    Q_OBJECT
public:
    IntakeToolsController(Program& program, Dialogs& dialogs, IntakeTab& tab, IntakeController& intake,
                          QObject* parent = nullptr);

    void RinominaClick();
    void NameCopyClick();
    void HalfCopyNameClick();
    void ExportClick();
    void ImportClick();

private:
    // The selected line, or -1 after a beep when none is.
    int selectedLineOrBeep();

    Program& m_program;
    Dialogs& m_dialogs;
    IntakeTab& m_tab;
    IntakeController& m_intake;
};
