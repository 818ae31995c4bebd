#include "covers_controller.h"

#include "qt_text.h"
#include "archive_tab.h"
#include "click_filter.h"
#include "session/error_report.h"
#include "file_questions.h"
#include "intake_tab.h"
#include "jpeg_view.h"
#include "line_choice.h"
#include "title_list_model.h"

#include "archive/config_file.h"
#include "session/program.h"
#include "base/cp1252.h"
#include "intake/covers.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kFileNameRole = Qt::UserRole;
constexpr int kArchivePosterTab = 1;


std::string fileNameOf(const QListWidgetItem& item)
{
    return item.data(kFileNameRole).toByteArray().toStdString();
}

} // namespace

CoversController::CoversController(Program& program, Dialogs& dialogs, IntakeTab& tab, ArchiveTab& archiveTab,
                                   QObject* parent)
    : QObject(parent), m_program(program), m_dialogs(dialogs), m_tab(tab), m_archiveTab(archiveTab)
{
    m_choice = LineChoice::install(m_tab.ListBox3);
    connect(m_choice, &LineChoice::chosen, this, &CoversController::ListBox3Click);
    connect(m_tab.SpeedButton1, &QPushButton::clicked, this, &CoversController::SpeedButton1Click);
    connect(m_tab.SpeedButton5, &QPushButton::clicked, this, &CoversController::SpeedButton5Click);
    connect(m_tab.AssCopArch, &QPushButton::clicked, this, &CoversController::AssCopArchClick);
    ClickFilter::install(m_tab.NavCopert, [this] { NavigaCop(); });
}

void CoversController::RefreshCoversList()
{
    QListWidget* list = m_tab.ListBox3;
    const LineChoice::Quiet quiet(m_choice);
    list->clear();
    const auto entries = covers::listCovers(m_program.settings.CoverListFolder);
    if (entries.empty())
        list->addItem("Nessun file JPG");
    for (const covers::CoverEntry& e : entries) {
        auto* item = new QListWidgetItem(q(e.text));
        item->setData(kFileNameRole, QByteArray::fromStdString(e.fileName));
        list->addItem(item);
    }
    list->setCurrentRow(-1);
}

int CoversController::selectedEntry() const
{
    const int row = m_tab.ListBox3->currentRow();
    const QListWidgetItem* item = row >= 0 ? m_tab.ListBox3->item(row) : nullptr;
    return item && item->isSelected() && !fileNameOf(*item).empty() ? row : -1;
}

void CoversController::ListBox3Click(int line)
{
    const QListWidgetItem* item = m_tab.ListBox3->item(line);
    const std::string name = item ? fileNameOf(*item) : std::string();
    const files::fs::path path = files::fromText(m_program.settings.CoverListFolder) / name;
    if (name.empty() || !files::exists(path)) {
        m_tab.JPEGImage1->hide();
        return;
    }
    // A picture that cannot be shown ends the click: the buttons stay as they were.
    if (!reportErrors(m_dialogs, [&] { m_tab.JPEGImage1->setFileName(q(files::toText(path))); }))
        return;
    m_tab.JPEGImage1->show();
    m_tab.SpeedButton5->setEnabled(true);
    m_tab.SpeedButton1->setEnabled(true);
    // Offered only while the archive title last chosen has no poster of its own.
    m_tab.AssCopArch->setEnabled(!m_archiveTab.PageControl3->isTabVisible(kArchivePosterTab));
}

void CoversController::SpeedButton1Click()
{
    const int row = selectedEntry();
    if (row < 0)
        return;
    QListWidgetItem* item = m_tab.ListBox3->item(row);
    if (!m_dialogs.confirm(Dialogs::Kind::Question, "Cancello Copertina " + t(item->text())))
        return;
    try {
        files::remove(files::fromText(m_program.settings.CoverListFolder) / fileNameOf(*item));
    } catch (const std::exception&) {
        m_dialogs.message(Dialogs::Kind::Error, "Cancellazione fallita !");
        return;
    }
    const LineChoice::Quiet quiet(m_choice);
    delete m_tab.ListBox3->takeItem(row);
    m_tab.ListBox3->setCurrentRow(m_tab.ListBox3->count() > 0 ? 0 : -1);
}

void CoversController::SpeedButton5Click()
{
    const int line = m_tab.CheckListBox1->currentRow();
    if (line < 0 || line >= m_program.intake.model().IntakeCount || !m_tab.CheckListBox1->item(line)->isSelected())
        return;
    associate(t(m_tab.CheckListBox1->item(line)->text()));
}

void CoversController::AssCopArchClick()
{
    // The line's own text: an addition or a merge may have re-sorted ViewTable under it since.
    const QModelIndex current = m_archiveTab.DBLBresult->selectionModel()->currentIndex();
    if (!current.isValid() || !m_archiveTab.DBLBresult->selectionModel()->isSelected(current))
        return;
    const std::string title = m_archiveTab.titles->titleAt(current.row());
    if (!title.empty())
        associate(title);
}

void CoversController::associate(const std::string& title)
{
    const int row = selectedEntry();
    if (row < 0)
        return;
    QListWidgetItem* item = m_tab.ListBox3->item(row);
    if (!m_dialogs.confirm(Dialogs::Kind::Question, covers::associationQuestion(title, t(item->text()))))
        return;
    const std::string newName = covers::coverNameFor(title);
    if (!covers::renameCover(m_program.settings.CoverListFolder, {t(item->text()), fileNameOf(*item)}, newName)) {
        m_dialogs.message(Dialogs::Kind::Error, "Rinomina Copertina fallita !");
        return;
    }
    item->setText(q(newName));
    item->setData(kFileNameRole, QByteArray::fromStdString(cp1252::toUtf8(newName)));
}

void CoversController::NavigaCop()
{
    Settings& s = m_program.settings;
    const auto chosen = askFolder(m_dialogs, s.CoverListFolder, s.ProgramFolder);
    if (!chosen)
        return;
    s.CoverListFolder = *chosen;
    m_tab.NavCopert->setText(q(s.CoverListFolder));
    reportErrors(m_dialogs, [&] { WriteConfig(s); });
    RefreshCoversList();
}

void CoversController::disableButtons()
{
    for (QPushButton* b : {m_tab.SpeedButton1, m_tab.SpeedButton5, m_tab.AssCopArch})
        b->setEnabled(false);
}
