#include "intake_controller.h"

#include "archive_browser.h"
#include "archive_commit.h"
#include "click_filter.h"
#include "covers_controller.h"
#include "error_report.h"
#include "file_questions.h"
#include "intake_list.h"
#include "intake_selection.h"
#include "intake_tab.h"
#include "jpeg_view.h"
#include "plot_key_filter.h"

#include "archive/archive_file.h"
#include "archive/config_file.h"
#include "archive/program_state.h"
#include "base/cp1252.h"
#include "base/dates.h"
#include "base/numbers.h"
#include "browser/image_names.h"
#include "intake/add_to_archive.h"
#include "intake/archived_marks.h"
#include "intake/association.h"
#include "intake/covers.h"
#include "intake/media_scan.h"
#include "intake/title_sort.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QString q(const std::string& s) { return cp1252::toQString(s); }
std::string t(const QString& s) { return cp1252::fromQString(s); }

// Creates one folder level when missing; a failure shows when the file inside cannot be written.
void createFolder(const std::string& folder)
{
    const files::fs::path path = files::fromText(folder);
    if (!files::isFolder(path))
        files::createFolder(path);
}

} // namespace

IntakeController::IntakeController(ProgramState& state, Dialogs& dialogs, IntakeTab& tab, ArchiveBrowser& browser,
                                   CoversController& covers, QObject* parent)
    : QObject(parent), m_state(state), m_dialogs(dialogs), m_tab(tab), m_browser(browser), m_covers(covers)
{
    m_tab.CheckListBox1->setItemDelegate(new ArchivedMarkDelegate(m_tab.CheckListBox1));
    // A key press or a click on a line shows its entry; showing it twice does no harm.
    connect(m_tab.CheckListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            CheckListBox1Click(row);
    });
    connect(m_tab.CheckListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { CheckListBox1Click(m_tab.CheckListBox1->row(item)); });
    connect(m_tab.AssociaDati, &QPushButton::clicked, this, &IntakeController::AssociaDatiClick);
    connect(m_tab.Scarta, &QPushButton::clicked, this, &IntakeController::ScartaClick);
    connect(m_tab.AutoMan, &QCheckBox::toggled, this, &IntakeController::AutoManClick);
    connect(m_tab.AddToDB, &QPushButton::clicked, this, &IntakeController::AddToDBClick);
    ClickFilter::install(m_tab.NavFilm, [this] { Naviga(); });
    PlotKeyFilter::install(m_tab.MDTrama, m_dialogs);
    setFieldsEditable(!m_tab.AutoMan->isChecked());
}

void IntakeController::ReadVolumeLabel()
{
    ::ReadVolumeLabel(m_state.intake, m_state.settings, m_state.volumes);
    m_tab.EDVOL->setText(q(m_state.intake.VolumeLabel));
}

void IntakeController::ScanMediaFolder()
{
    ::ScanMediaFolder(m_state.intake, m_state.settings);
    // The entries name files of the media folder again.
    m_tab.Rinomina->setEnabled(true);
}

void IntakeController::FillIntakeList()
{
    QListWidget& list = *m_tab.CheckListBox1;
    list.clear();
    IntakeModel& intake = m_state.intake;
    if (intake.IntakeCount <= 0) {
        intakelist::addPlaceholder(list);
        list.setCurrentRow(-1);
        return;
    }
    SortIntakeTable(intake);
    m_covers.RefreshCoversList();
    const Settings& s = m_state.settings;
    std::vector<bool> archived;
    if (!s.CkBRimappa)
        archived = archivedMarks(m_state.archive, intake, s.CBIPMARCA);
    for (int k = 1; k <= intake.IntakeCount; ++k)
        intakelist::addEntry(list, q(intake.IntakeTable.row(k).titolo),
                             !archived.empty() && archived[static_cast<std::size_t>(k - 1)]);
    list.setCurrentRow(-1);
}

void IntakeController::clearFields()
{
    for (QLineEdit* e : {m_tab.EDTitolo, m_tab.EDDurata, m_tab.EDGenere, m_tab.EDRegia, m_tab.EDDataU, m_tab.EDAttore1,
                         m_tab.EDAttore2, m_tab.EDDataA, m_tab.EDPosizione, m_tab.DIM})
        e->clear();
    m_tab.MDTrama->clear();
}

void IntakeController::Naviga()
{
    Settings& s = m_state.settings;
    const auto chosen = askFolder(m_dialogs, s.MediaFolder, s.ProgramFolder);
    if (!chosen)
        return;
    s.MediaFolder = *chosen;
    m_tab.NavFilm->setText(q(s.MediaFolder));
    reportErrors(m_dialogs, [&] { WriteConfig(s); });
    ReadVolumeLabel();
    ScanMediaFolder();
    FillIntakeList();
    m_covers.RefreshCoversList();
    clearFields();
}

void IntakeController::AssShow()
{
    // A rescan would drop the ticks of the associations not yet added.
    if (m_state.archive.PendingDataFlag)
        return;
    ScanMediaFolder();
    FillIntakeList();
    m_covers.disableButtons();
}

int IntakeController::selectedEntryLine() const
{
    return intakeselection::selectedLine(m_tab, m_state.intake);
}

void IntakeController::CheckListBox1Click(int line)
{
    if (line < 0)
        return;
    if (line >= m_state.intake.IntakeCount) {
        m_tab.Paste->setEnabled(false);
        return;
    }
    m_tab.Paste->setEnabled(true);
    m_tab.AssociaDati->setEnabled(false);
    const dfilm& d = m_state.intake.IntakeTable.row(line + 1);
    m_tab.EDGenere->setText(q(d.genere));
    m_tab.EDDurata->setText(q(d.durata));
    m_tab.EDDataU->setText(q(d.datau));
    m_tab.EDDataA->setText(q(dates::formatDdMmYyyy(d.dataa, m_state.regional)));
    m_tab.EDAttore1->setText(q(d.attore1));
    m_tab.EDAttore2->setText(q(d.attore2));
    m_tab.EDRegia->setText(q(d.regia));
    m_tab.EDPosizione->setText(q(d.posizione));
    m_tab.DIM->setText(q(numbers::formatThousands2(d.dimmb, m_state.regional)));
    m_tab.MDTrama->setPlainText(q(d.trama));
    m_tab.EDTitolo->clear();
}

void IntakeController::AssociaDatiClick()
{
    const int line = selectedEntryLine();
    if (line < 0)
        return;
    const AssociationFields fields{t(m_tab.EDGenere->text()),  t(m_tab.EDDurata->text()), t(m_tab.EDDataU->text()),
                                   t(m_tab.EDAttore1->text()), t(m_tab.EDAttore2->text()), t(m_tab.EDRegia->text()),
                                   t(m_tab.MDTrama->toPlainText())};
    AssociateData(m_state.intake, line + 1, fields);
    intakelist::setTicked(*m_tab.CheckListBox1->item(line), true);
    // Pending before the pictures: a picture that fails to save must not hide the data from the
    // quit question.
    m_state.archive.PendingDataFlag = 1;
    reportErrors(m_dialogs, [&] { savePictures(line); });
}

void IntakeController::savePictures(int line)
{
    const Settings& s = m_state.settings;
    const IntakeModel& intake = m_state.intake;
    if (m_tab.CBSLLOC->isChecked() && intake.PosterReceived) {
        createFolder(s.PosterArchiveFolder);
        const std::string name = t(m_tab.EDNFLOC->text());
        if (!name.empty())
            m_tab.LOC->saveAsJpeg(q(covers::picturePath(s.PosterArchiveFolder, name, ownFiles(s))));
    }
    if (s.CBSCOP && intake.CoverReceived) {
        createFolder(s.CoverListFolder);
        const std::string title = t(m_tab.CheckListBox1->item(line)->text());
        m_tab.JPEGImage1->saveAsJpeg(q(covers::picturePath(s.CoverListFolder, images::imageName(title), ownFiles(s))));
    }
}

void IntakeController::ScartaClick()
{
    if (!m_dialogs.confirm(Dialogs::Kind::Warning, "Disassocio tutti i dati associati?"))
        return;
    m_state.archive.PendingDataFlag = 0;
    QListWidget& list = *m_tab.CheckListBox1;
    for (int i = 0; i < m_state.intake.IntakeCount && i < list.count(); ++i)
        intakelist::setTicked(*list.item(i), false);
}

void IntakeController::setFieldsEditable(bool editable)
{
    for (QLineEdit* e : {m_tab.EDGenere, m_tab.EDDurata, m_tab.EDDataU, m_tab.EDAttore1, m_tab.EDAttore2, m_tab.EDRegia,
                         m_tab.EDPosizione})
        e->setReadOnly(!editable);
    m_tab.MDTrama->setReadOnly(!editable);
}

void IntakeController::AutoManClick()
{
    const bool automatic = m_tab.AutoMan->isChecked();
    m_tab.AutoMan->setText(automatic ? "Auto" : "Edit");
    setFieldsEditable(!automatic);
    m_tab.AssociaDati->setEnabled(!automatic);
    m_tab.Paste->setEnabled(automatic);
}

void IntakeController::AddToDBClick()
{
    if (!m_dialogs.confirm(Dialogs::Kind::Question, "Aggiungo elementi con spunta a DataBase ?"))
        return;
    QListWidget& list = *m_tab.CheckListBox1;
    std::vector<int> ticked;
    for (int i = 0; i < list.count() && i < m_state.intake.IntakeCount; ++i)
        if (intakelist::isTicked(*list.item(i)))
            ticked.push_back(i + 1);

    // A failed save gives back the archive as it was, and the ticks stay: nothing associated is
    // lost and the addition can be tried again.
    AdditionCounts counts;
    if (!changeAndSaveArchive(m_state, m_dialogs, [&] {
            counts = AddToArchive(m_state.archive, m_state.intake, ticked,
                                  {m_state.settings.CBIPRCD, m_state.settings.CBIDRCD});
        }))
        return;
    for (int slotNumber : ticked)
        intakelist::setTicked(*list.item(slotNumber - 1), false);
    m_browser.archiveChanged();
    m_browser.RefreshGenres();
    m_state.archive.copyArchiveToView();
    m_state.archive.PendingDataFlag = 0;
    m_dialogs.message(Dialogs::Kind::Information, additionReport(list.count(), counts));
    ScanMediaFolder();
    FillIntakeList();
}
