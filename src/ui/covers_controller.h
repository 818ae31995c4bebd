#pragma once

#include <QObject>

#include <string>

class ArchiveTab;
class Dialogs;
class IntakeTab;
class LineChoice;
struct Program;

// The "Copertine" tab of the intake: the covers folder's JPEG files, the picture of the one
// clicked, its deletion, and its rename after an intake or an archive title.
class CoversController : public QObject
{
    Q_OBJECT
public:
    CoversController(Program& program, Dialogs& dialogs, IntakeTab& tab, ArchiveTab& archiveTab,
                     QObject* parent = nullptr);

    void RefreshCoversList();
    void ListBox3Click(int line);
    void SpeedButton1Click();
    void SpeedButton5Click();
    void AssCopArchClick();
    void NavigaCop();
    // The three buttons, disabled whenever the intake tab is shown with nothing pending.
    void disableButtons();

private:
    int selectedEntry() const;
    // Renames the selected cover after the title, once the user agrees.
    void associate(const std::string& title);

    Program& m_program;
    Dialogs& m_dialogs;
    IntakeTab& m_tab;
    ArchiveTab& m_archiveTab;
    LineChoice* m_choice;
};
