#pragma once

#include <QObject>

class CoversController;
class Dialogs;
class IntakeTab;
struct Program;

// The behaviour of the "GESTIONE NUOVI FILM" tab: the media folder and its scan, the check list
// with its archived marks, the data fields and their association, and the addition of the ticked
// entries to the archive.
class IntakeController : public QObject
{
    Q_OBJECT
public:
    IntakeController(Program& program, Dialogs& dialogs, IntakeTab& tab, CoversController& covers,
                     QObject* parent = nullptr);

    void ReadVolumeLabel();
    void showVolumeLabel();
    void ScanMediaFolder();
    void FillIntakeList();
    void Naviga();
    void AssShow();
    void CheckListBox1Click(int line);
    void AssociaDatiClick();
    void ScartaClick();
    void AutoManClick();
    void AddToDBClick();

private:
    // The selected line when it stands for an entry, else -1.
    int selectedEntryLine() const;
    void setFieldsEditable(bool editable);
    void clearFields();
    void savePictures(int line);
    // The draft's fields as the tab shows them, and the ticks of the list.
    void drawDraft();
    void drawTicks();
    void reportEdits();

    Program& m_program;
    Dialogs& m_dialogs;
    IntakeTab& m_tab;
    CoversController& m_covers;
};
