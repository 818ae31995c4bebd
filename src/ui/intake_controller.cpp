#include "intake_controller.h"

#include "qt_text.h"
#include "click_filter.h"
#include "covers_controller.h"
#include "session/error_report.h"
#include "file_questions.h"
#include "intake_list.h"
#include "intake_selection.h"
#include "intake_tab.h"
#include "jpeg_view.h"
#include "plot_key_filter.h"

#include "archive/archive_file.h"
#include "archive/config_file.h"
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
#include "session/program.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace {


// Creates one folder level when missing; a failure shows when the file inside cannot be written.
void createFolder(const std::string& folder)
{
    const files::fs::path path = files::fromText(folder);
    if (!files::isFolder(path))
        files::createFolder(path);
}

} // namespace

IntakeController::IntakeController(Program& program, Dialogs& dialogs, IntakeTab& tab, CoversController& covers,
                                   QObject* parent)
    : QObject(parent), m_program(program), m_dialogs(dialogs), m_tab(tab), m_covers(covers)
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
    // The user ticks a line by hand.
    connect(m_tab.CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int line = m_tab.CheckListBox1->row(item);
        if (line >= 0 && line < m_program.intake.model().IntakeCount)
            m_program.intake.setTicked(line + 1, intakelist::isTicked(*item));
    });
    connect(&m_program.intake, &IntakeSession::draftChanged, this, &IntakeController::drawDraft);
    connect(&m_program.intake, &IntakeSession::ticksChanged, this, &IntakeController::drawTicks);
    reportEdits();
}

namespace {

using Field = IntakeSession::Field;

template <typename Tab>
auto lineFields(Tab& tab)
{
    return std::array<std::pair<QLineEdit*, Field>, 11>{{{tab.EDTitolo, Field::titolo},
                                                          {tab.EDGenere, Field::genere},
                                                          {tab.EDDurata, Field::durata},
                                                          {tab.EDDataU, Field::datau},
                                                          {tab.EDAttore1, Field::attore1},
                                                          {tab.EDAttore2, Field::attore2},
                                                          {tab.EDRegia, Field::regia},
                                                          {tab.EDDataA, Field::dataa},
                                                          {tab.EDPosizione, Field::posizione},
                                                          {tab.DIM, Field::dimmb},
                                                          {tab.EDNFLOC, Field::posterName}}};
}

} // namespace

void IntakeController::reportEdits()
{
    IntakeSession& intake = m_program.intake;
    for (const auto& [edit, field] : lineFields(m_tab))
        connect(edit, &QLineEdit::textChanged, this,
                [&intake, field = field](const QString& text) { intake.edit(field, t(text)); });
    connect(m_tab.MDTrama, &QPlainTextEdit::textChanged, this,
            [this] { m_program.intake.edit(Field::trama, t(m_tab.MDTrama->toPlainText())); });
}

void IntakeController::drawDraft()
{
    const IntakeDraft& d = m_program.intake.draft();
    const std::string* texts[] = {&d.titolo, &d.genere,    &d.durata, &d.datau, &d.attore1,   &d.attore2,
                                  &d.regia,  &d.dataa,     &d.posizione, &d.dimmb, &d.posterName};
    std::size_t i = 0;
    // A field is written only where its text would store otherwise: what the user sees of a
    // character Windows-1252 lacks stays on screen until it is really replaced.
    for (const auto& [edit, field] : lineFields(m_tab)) {
        const std::string& text = *texts[i++];
        if (t(edit->text()) != text)
            edit->setText(q(text));
    }
    if (t(m_tab.MDTrama->toPlainText()) != d.trama)
        m_tab.MDTrama->setPlainText(q(d.trama));
}

void IntakeController::drawTicks()
{
    QListWidget& list = *m_tab.CheckListBox1;
    const std::vector<bool>& ticked = m_program.intake.draft().ticked;
    const int n = std::min({list.count(), m_program.intake.model().IntakeCount, static_cast<int>(ticked.size())});
    for (int i = 0; i < n; ++i)
        intakelist::setTicked(*list.item(i), ticked[static_cast<std::size_t>(i)]);
}

void IntakeController::ReadVolumeLabel()
{
    ::ReadVolumeLabel(m_program.intake.model(), m_program.settings, m_program.volumes);
    showVolumeLabel();
}

void IntakeController::showVolumeLabel() { m_tab.EDVOL->setText(q(m_program.intake.model().VolumeLabel)); }

void IntakeController::ScanMediaFolder()
{
    ::ScanMediaFolder(m_program.intake.model(), m_program.settings);
    // The entries name files of the media folder again.
    m_tab.Rinomina->setEnabled(true);
}

void IntakeController::FillIntakeList()
{
    QListWidget& list = *m_tab.CheckListBox1;
    list.clear();
    IntakeModel& intake = m_program.intake.model();
    if (intake.IntakeCount <= 0) {
        intakelist::addPlaceholder(list);
        list.setCurrentRow(-1);
        m_program.intake.resetTicks();
        return;
    }
    SortIntakeTable(intake);
    m_covers.RefreshCoversList();
    const Settings& s = m_program.settings;
    std::vector<bool> archived;
    if (!s.CkBRimappa)
        archived = archivedMarks(m_program.archive.model(), intake, s.CBIPMARCA);
    for (int k = 1; k <= intake.IntakeCount; ++k)
        intakelist::addEntry(list, q(intake.IntakeTable.row(k).titolo),
                             !archived.empty() && archived[static_cast<std::size_t>(k - 1)]);
    list.setCurrentRow(-1);
    m_program.intake.resetTicks();
}

void IntakeController::clearFields() { m_program.intake.clearFields(); }

void IntakeController::Naviga()
{
    Settings& s = m_program.settings;
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
    if (m_program.archive.pendingData())
        return;
    ScanMediaFolder();
    FillIntakeList();
    m_covers.disableButtons();
}

int IntakeController::selectedEntryLine() const
{
    return intakeselection::selectedLine(m_tab, m_program.intake.model());
}

void IntakeController::CheckListBox1Click(int line)
{
    if (line < 0)
        return;
    if (line >= m_program.intake.model().IntakeCount) {
        m_tab.Paste->setEnabled(false);
        return;
    }
    m_tab.Paste->setEnabled(true);
    m_tab.AssociaDati->setEnabled(false);
    m_program.intake.showEntry(line + 1, m_program.regional);
}

void IntakeController::AssociaDatiClick()
{
    const int line = selectedEntryLine();
    if (line < 0)
        return;
    m_program.intake.associate(line + 1);
    // Pending before the pictures: a picture that fails to save must not hide the data from the
    // quit question.
    m_program.archive.setPendingData(true);
    reportErrors(m_dialogs, [&] { savePictures(line); });
}

void IntakeController::savePictures(int line)
{
    const Settings& s = m_program.settings;
    const IntakeDraft& draft = m_program.intake.draft();
    if (m_tab.CBSLLOC->isChecked() && draft.posterReceived) {
        createFolder(s.PosterArchiveFolder);
        const std::string& name = draft.posterName;
        if (!name.empty())
            m_tab.LOC->saveAsJpeg(q(covers::picturePath(s.PosterArchiveFolder, name, ownFiles(s))));
    }
    if (s.CBSCOP && draft.coverReceived) {
        createFolder(s.CoverListFolder);
        const std::string title = t(m_tab.CheckListBox1->item(line)->text());
        m_tab.JPEGImage1->saveAsJpeg(q(covers::picturePath(s.CoverListFolder, images::imageName(title), ownFiles(s))));
    }
}

void IntakeController::ScartaClick()
{
    if (!m_dialogs.confirm(Dialogs::Kind::Warning, "Disassocio tutti i dati associati?"))
        return;
    m_program.archive.setPendingData(false);
    m_program.intake.untickAll();
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
    IntakeSession& intake = m_program.intake;
    const std::vector<int> ticked = intake.tickedSlots();
    // A failed save gives back the archive as it was, and the ticks stay: nothing associated is
    // lost and the addition can be tried again.
    AdditionCounts counts;
    const Settings& s = m_program.settings;
    if (!reportErrors(m_dialogs, [&] { counts = m_program.archive.add(intake.model(), ticked, {s.CBIPRCD, s.CBIDRCD}); }))
        return;
    intake.untickAll();
    m_dialogs.message(Dialogs::Kind::Information, additionReport(m_tab.CheckListBox1->count(), counts));
    ScanMediaFolder();
    FillIntakeList();
}
