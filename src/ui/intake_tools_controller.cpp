#include "intake_tools_controller.h"

#include "qt_text.h"
#include "session/error_report.h"
#include "file_questions.h"
#include "intake_controller.h"
#include "intake_tab.h"

#include "archive/archive_file.h"
#include "session/program.h"
#include "base/cp1252.h"
#include "browser/image_names.h"
#include "intake/title_list.h"
#include "intake/title_rename.h"
#include "platform/dialogs.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

const char* const kImportWarning = "Attenzione! Importando una lista vengono cancellati\n"
                                   "eventuali dati non ancora aggiunti al DataBase principale.\n"
                                   "Aggiungere quindi eventuali titoli pendenti con il comando apposito\n"
                                   "Continuare ?";


} // namespace

IntakeToolsController::IntakeToolsController(Program& program, Dialogs& dialogs, IntakeTab& tab,
                                             IntakeController& intake, QObject* parent)
    : QObject(parent), m_program(program), m_dialogs(dialogs), m_tab(tab), m_intake(intake)
{
    connect(m_tab.Rinomina, &QToolButton::clicked, this, &IntakeToolsController::RinominaClick);
    connect(m_tab.NameCopy, &QToolButton::clicked, this, &IntakeToolsController::NameCopyClick);
    connect(m_tab.HalfCopyName, &QToolButton::clicked, this, &IntakeToolsController::HalfCopyNameClick);
    connect(m_tab.SpeedButton3, &QPushButton::clicked, this, &IntakeToolsController::ExportClick);
    connect(m_tab.Import, &QPushButton::clicked, this, &IntakeToolsController::ImportClick);
}

int IntakeToolsController::selectedLineOrBeep()
{
    const int line = m_tab.CheckListBox1->currentRow();
    if (line < 0 || !m_tab.CheckListBox1->item(line)->isSelected()) {
        m_dialogs.beep();
        return -1;
    }
    return line;
}

void IntakeToolsController::RinominaClick()
{
    const int line = selectedLineOrBeep();
    if (line < 0)
        return;
    QListWidgetItem* item = m_tab.CheckListBox1->item(line);
    const std::string oldText = t(item->text());
    const auto answer = m_dialogs.inputBox("Rinomina Film", "Nuovo Titolo", oldText);
    if (!answer)
        return;
    const std::string newName = renamedTitle(*answer);
    const int slot = line < m_program.intake.model().IntakeCount ? line + 1 : 0;
    if (!RenameMediaFile(m_program.intake.model(), m_program.settings.MediaFolder, slot, oldText, newName)) {
        m_dialogs.message(Dialogs::Kind::Error, "Rinomina fallita !");
        return;
    }
    item->setText(cp1252::toQString(newName));
}

void IntakeToolsController::NameCopyClick()
{
    const int line = selectedLineOrBeep();
    if (line >= 0)
        m_dialogs.setClipboardText(images::nameWithoutExtension(t(m_tab.CheckListBox1->item(line)->text())));
}

void IntakeToolsController::HalfCopyNameClick()
{
    const int line = selectedLineOrBeep();
    if (line >= 0)
        m_dialogs.setClipboardText(halfName(t(m_tab.CheckListBox1->item(line)->text())));
}

void IntakeToolsController::ExportClick()
{
    const Settings& s = m_program.settings;
    const auto path =
        askTextFileToWrite(m_dialogs, "Esporta titoli su lista ASCII", s.MediaFolder, s.ProgramFolder, "lista.txt");
    if (!path)
        return;
    if (reportErrors(m_dialogs,
                     [&] { ExportTitleList(m_program.intake.model(), *path, m_program.regional, ownFiles(m_program.settings)); }))
        m_dialogs.message(Dialogs::Kind::Information, "Lista esportata");
}

void IntakeToolsController::ImportClick()
{
    if (!m_dialogs.confirm(Dialogs::Kind::Warning, kImportWarning))
        return;
    const auto path = askTextFile(m_dialogs);
    if (!path)
        return;
    // A list that stops on a bad line leaves the intake, its ticks and its pending data alone.
    if (!reportErrors(m_dialogs, [&] { ImportTitleList(m_program.intake.model(), *path, m_program.regional); }))
        return;
    m_program.archive.setPendingData(false);
    m_intake.FillIntakeList();
    // Imported titles name no file of the media folder.
    m_tab.Rinomina->setEnabled(false);
    m_dialogs.message(Dialogs::Kind::Information, importReport(m_program.intake.model().IntakeCount));
}
