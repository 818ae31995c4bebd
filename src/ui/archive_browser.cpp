#include "archive_browser.h"

#include "qt_text.h"
#include "archive_tab.h"
#include "date_picker_window.h"
#include "session/error_report.h"
#include "file_questions.h"
#include "jpeg_view.h"
#include "line_choice.h"
#include "plot_key_filter.h"
#include "title_list_model.h"

#include "archive/archive_file.h"
#include "base/cp1252.h"
#include "base/dates.h"
#include "base/numbers.h"
#include "browser/filters.h"
#include "browser/genres.h"
#include "browser/image_names.h"
#include "browser/open_archive.h"
#include "browser/record_edit.h"
#include "intake/archive_merge.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "session/program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {


constexpr int kPosterTab = 1;
constexpr int kCoverTab = 2;

// The real file for a path text whose name may differ in case; the text itself when none.
std::optional<std::string> existingFile(const std::string& path)
{
    const files::fs::path native = files::fromText(path);
    if (const auto found = files::findIgnoringCase(native.parent_path(), native.filename().string()))
        return files::toText(*found);
    return std::nullopt;
}

} // namespace

ArchiveBrowser::ArchiveBrowser(Program& program, Dialogs& dialogs, ArchiveTab& tab, QTableWidget& statistics,
                               QObject* parent)
    : QObject(parent), m_program(program), m_dialogs(dialogs), m_tab(tab), m_statistics(statistics)
{
    m_tab.titles->setArchive(&m_program.archive.model());
    connect(&m_program.archive, &ArchiveSession::changed, this, &ArchiveBrowser::archiveChanged);
    m_choice = LineChoice::install(m_tab.DBLBresult);
    connect(m_choice, &LineChoice::chosen, this, &ArchiveBrowser::DBLBresultClick);
    connect(m_tab.PageControl3, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == kCoverTab)
            OnShowCoverTab();
        else if (index == kPosterTab)
            TabSheet9Show();
    });
    PlotKeyFilter::install(m_tab.DBMtrama, m_dialogs);

    for (QLineEdit* e : {m_tab.FLTEDtitolo, m_tab.FLTEDattore, m_tab.FLTEDregia, m_tab.FLTEDdataa, m_tab.FLTEDposizione})
        connect(e, &QLineEdit::textChanged, this, &ArchiveBrowser::FLTChange);
    // The genre choice filters on what the user types or chooses, not on what the program sets.
    connect(m_tab.FLTCBgenere->lineEdit(), &QLineEdit::textEdited, this, &ArchiveBrowser::FLTChange);
    connect(m_tab.FLTCBgenere, &QComboBox::textActivated, this, &ArchiveBrowser::FLTChange);
    connect(m_tab.FLTAPP, &QPushButton::clicked, this, &ArchiveBrowser::OnFLTApp);
    connect(m_tab.FLTCLEAR, &QPushButton::clicked, this, &ArchiveBrowser::FLTCLEARClick);
    connect(m_tab.SCalendar, &QToolButton::clicked, this, &ArchiveBrowser::OnClickCalendar);
    connect(m_tab.FLTDataClear, &QToolButton::clicked, this, &ArchiveBrowser::FLTDataClearClick);
    connect(m_tab.DBAggRec, &QPushButton::clicked, this, &ArchiveBrowser::DBAggRecClick);
    connect(m_tab.DBCancRec, &QPushButton::clicked, this, &ArchiveBrowser::DBCancRecClick);
    connect(m_tab.MergeDB, &QPushButton::clicked, this, &ArchiveBrowser::MergeDBClick);
}

int ArchiveBrowser::selectedLine() const
{
    const QModelIndex current = m_tab.DBLBresult->selectionModel()->currentIndex();
    return current.isValid() && m_tab.DBLBresult->selectionModel()->isSelected(current) ? current.row() : -1;
}

void ArchiveBrowser::selectLine(int line)
{
    const LineChoice::Quiet quiet(m_choice);
    QItemSelectionModel* sel = m_tab.DBLBresult->selectionModel();
    if (line >= 0 && line < m_tab.titles->rowCount())
        sel->setCurrentIndex(m_tab.titles->index(line), QItemSelectionModel::ClearAndSelect);
    else
        sel->clear();
}

void ArchiveBrowser::FillTitleList() { fillTitleList(nullptr); }

void ArchiveBrowser::showOpened(OpenedArchive& opened)
{
    showGenres(opened.genres);
    fillTitleList(&opened.listRows);
}

void ArchiveBrowser::archiveChanged(const ArchiveChange& change)
{
    switch (change.kind) {
    case ArchiveChange::Kind::Updated:
        break;
    case ArchiveChange::Kind::Removed: {
        const int line = change.viewRow - 1;
        {
            // The line that moves up is no choice: the pictures stay those of the deleted title.
            const LineChoice::Quiet quiet(m_choice);
            m_tab.titles->removeLine(line);
        }
        selectLine(line);
        // After the last line the view shows an empty record, not the deleted one's stale copy.
        ShowRecord(change.viewRow <= m_program.archive.model().ViewCount ? change.viewRow : 0);
        break;
    }
    case ArchiveChange::Kind::Added:
        // The intake tab is on show: the title list is filled when its own tab shows again.
        break;
    case ArchiveChange::Kind::Merged:
        FillTitleList();
        break;
    }
    showCounts(change.kind);
}

void ArchiveBrowser::showCounts(ArchiveChange::Kind kind)
{
    const ArchiveSession& archive = m_program.archive;
    const ArchiveModel& m = archive.model();
    // An archive that was empty at start-up opens the record and the filters once it holds films.
    if (m.ArchiveCount > 0) {
        for (QWidget* w : {static_cast<QWidget*>(m_tab.FILTRI), static_cast<QWidget*>(m_tab.FLTCLEAR),
                           static_cast<QWidget*>(m_tab.DATIDB)})
            w->setEnabled(true);
        if (!archive.readOnlyReason())
            for (QWidget* w : {static_cast<QWidget*>(m_tab.DBAggRec), static_cast<QWidget*>(m_tab.DBCancRec)})
                w->setEnabled(true);
    }
    m_tab.Label36->setText(q("Titoli Totali : " + std::to_string(m.ArchiveCount)));
    m_tab.Label37->setText(q("Titoli Filtrati : " + std::to_string(m.ViewCount)));
    // An update or a deletion keeps the filtered view, and so the genre the user filters by; an
    // addition or a merge shows the whole archive again.
    const bool filterStays = kind == ArchiveChange::Kind::Updated || kind == ArchiveChange::Kind::Removed;
    const QString chosen = m_tab.FLTCBgenere->currentText();
    showGenres(archive.genres(), true);
    if (filterStays && !chosen.isEmpty())
        m_tab.FLTCBgenere->setEditText(chosen);
    if (const std::string date = archive.dateLabel(); !date.empty())
        m_tab.Label32->setText(q(date));
}

void ArchiveBrowser::fillTitleList(RecordTable* rows)
{
    {
        const LineChoice::Quiet quiet(m_choice);
        if (rows)
            m_tab.titles->fill(m_program.archive.model().ViewCount, std::move(*rows));
        else
            m_tab.titles->fill(m_program.archive.model().ViewCount);
    }
    m_tab.Label37->setText(q("Titoli Filtrati : " + std::to_string(m_program.archive.model().ViewCount)));
    selectLine(0);
    ShowRecord(1);
}

void ArchiveBrowser::ShowRecord(int r)
{
    const dfilm& d = m_program.archive.model().ViewTable.row(r);
    const RegionalSettings& rs = m_program.regional;
    m_tab.DBEDtitolo->setText(q(d.titolo));
    m_tab.DBEDgenere->setText(q(d.genere));
    m_tab.DBEDdurata->setText(q(d.durata));
    m_tab.DBEDdatau->setText(q(d.datau));
    m_tab.DBEDdataa->setText(q(dates::formatDdMmYyyy(d.dataa, rs)));
    m_tab.DBEDattore1->setText(q(d.attore1));
    m_tab.DBEDattore2->setText(q(d.attore2));
    const bool actors = d.genere != "ANIMAZIONE";
    for (QWidget* w : {static_cast<QWidget*>(m_tab.DBEDattore1), static_cast<QWidget*>(m_tab.DBEDattore2),
                       static_cast<QWidget*>(m_tab.Label22), static_cast<QWidget*>(m_tab.Label26)})
        w->setEnabled(actors);
    m_tab.DBEDregia->setText(q(d.regia));
    m_tab.DBEDposizione->setText(q(d.posizione));
    m_tab.DBEDdimmb->setText(q(numbers::formatThousands2(d.dimmb, rs)));
    m_tab.DBMtrama->setPlainText(q(d.trama));
}

void ArchiveBrowser::DBLBresultClick(int line)
{
    const int r = line + 1;
    ShowRecord(r);
    const std::string& titolo = m_program.archive.model().ViewTable.row(r).titolo;
    const Settings& s = m_program.settings;

    // Both paths before any tab changes: hiding the active tab shows another one, which loads its
    // path at once.
    const std::string coverPath = images::coverImagePath(s.CoverArchiveFolder, titolo);
    const std::string posterPath = images::posterImagePath(s.PosterArchiveFolder, titolo);
    const auto cover = existingFile(coverPath);
    const auto poster = existingFile(posterPath);
    m_coverPath = cover.value_or(coverPath);
    m_posterPath = poster.value_or(posterPath);
    showPictureTabs(cover.has_value(), poster.has_value());
}

void ArchiveBrowser::showPictureTabs(bool coverFound, bool posterFound)
{
    QTabWidget* tabs = m_tab.PageControl3;
    const int shown = tabs->currentIndex();
    const auto found = [&](int tab) { return tab == kCoverTab ? coverFound : posterFound; };
    // Hiding the shown tab makes Qt show a neighbour, which loads its picture at once: by then
    // only tabs with a picture of this title are left to choose from.
    for (int tab : {kCoverTab, kPosterTab})
        if (found(tab))
            tabs->setTabVisible(tab, true);
    for (int tab : {kCoverTab, kPosterTab})
        if (!found(tab) && tab != shown)
            tabs->setTabVisible(tab, false);
    if ((shown == kCoverTab || shown == kPosterTab) && !found(shown))
        tabs->setTabVisible(shown, false);
    else if (shown == kCoverTab)
        OnShowCoverTab();
    else if (shown == kPosterTab)
        TabSheet9Show();
}

void ArchiveBrowser::loadPicture(JpegView* view, const std::string& path)
{
    reportErrors(m_dialogs, [&] { view->setFileName(q(path)); });
}

void ArchiveBrowser::OnShowCoverTab() { loadPicture(m_tab.DBJPGcover, m_coverPath); }

void ArchiveBrowser::TabSheet9Show() { loadPicture(m_tab.DBLOCANDINA, m_posterPath); }

void ArchiveBrowser::ApplyFiltersNow()
{
    FilterTexts texts{t(m_tab.FLTEDtitolo->text()),   t(m_tab.FLTCBgenere->currentText()),
                      t(m_tab.FLTEDattore->text()),   t(m_tab.FLTEDregia->text()),
                      t(m_tab.FLTEDdataa->text()),    t(m_tab.FLTEDposizione->text()),
                      std::nullopt};
    if (m_pickedDay && texts.arrival == m_pickedText)
        texts.pickedArrival = m_pickedDay;
    reportErrors(m_dialogs, [&] {
        ArchiveSession& archive = m_program.archive;
        ApplyFilters(archive.model(), FilterCriteria::read(texts, m_program.regional), archive.indexKeeper());
        FillTitleList();
    });
}

void ArchiveBrowser::FLTChange()
{
    if (m_tab.FLTRT->isChecked())
        ApplyFiltersNow();
    else
        m_tab.FLTAPP->setEnabled(true);
}

void ArchiveBrowser::OnFLTApp()
{
    ApplyFiltersNow();
    m_tab.FLTAPP->setEnabled(false);
}

void ArchiveBrowser::FLTCLEARClick()
{
    m_tab.FLTEDtitolo->clear();
    m_tab.FLTCBgenere->setCurrentIndex(0);
    m_tab.FLTCBgenere->setEditText(" Tutti");
    for (QLineEdit* e : {m_tab.FLTEDattore, m_tab.FLTEDregia, m_tab.FLTEDdataa, m_tab.FLTEDposizione})
        e->clear();
    m_program.archive.model().copyArchiveToView();
    FillTitleList();
}

void ArchiveBrowser::OnClickCalendar()
{
    if (!m_picker)
        return;
    if (const auto day = m_picker->pick()) {
        const double picked = dates::encode({day->year(), day->month(), day->day()});
        m_pickedText = dates::formatDdMmYyyy(picked, m_program.regional);
        m_pickedDay = picked;
        m_tab.FLTEDdataa->setText(q(m_pickedText));
    }
}

void ArchiveBrowser::FLTDataClearClick() { m_tab.FLTEDdataa->clear(); }

void ArchiveBrowser::DBAggRecClick()
{
    const int line = selectedLine();
    if (line < 0) {
        m_dialogs.beep();
        return;
    }
    if (!m_dialogs.confirm(Dialogs::Kind::Question, "Aggiorno dati del record selezionato ?"))
        return;
    const RecordEdits edits{t(m_tab.DBEDgenere->text()), t(m_tab.DBEDdurata->text()),  t(m_tab.DBEDdatau->text()),
                            t(m_tab.DBEDattore1->text()), t(m_tab.DBEDattore2->text()), t(m_tab.DBEDregia->text()),
                            t(m_tab.DBEDposizione->text()), t(m_tab.DBMtrama->toPlainText())};
    reportErrors(m_dialogs, [&] {
        m_program.archive.update(line + 1, edits);
        m_dialogs.message(Dialogs::Kind::Information, "Record aggiornato");
    });
}

void ArchiveBrowser::DBCancRecClick()
{
    const int line = selectedLine();
    if (line < 0)
        return;
    if (!m_dialogs.confirm(Dialogs::Kind::Question, "Cancello record selezionato ?"))
        return;
    reportErrors(m_dialogs, [&] {
        m_program.archive.remove(line + 1);
        m_dialogs.message(Dialogs::Kind::Information, "Record cancellato");
    });
}

void ArchiveBrowser::MergeDBClick()
{
    const auto path = askTextFile(m_dialogs);
    if (!path)
        return;
    // A file that fails to read, or an archive that fails to save, leaves everything as it was.
    MergeCounts counts;
    const Settings& s = m_program.settings;
    if (!reportErrors(m_dialogs, [&] { counts = m_program.archive.merge(*path, {s.CBIPRCD, s.CBIDRCD}); }))
        return;
    m_dialogs.message(Dialogs::Kind::Information, mergeReport(counts));
}

void ArchiveBrowser::RefreshGenres()
{
    m_program.archive.refreshGenres();
    showGenres(m_program.archive.genres());
}

void ArchiveBrowser::showGenres(const GenreView& view, bool evenEmpty)
{
    if (m_program.archive.model().ArchiveCount <= 0 && !evenEmpty)
        return;
    QComboBox* box = m_tab.FLTCBgenere;
    box->clear();
    for (const std::string& item : view.choice)
        box->addItem(q(item));
    box->setCurrentIndex(0);
    box->setEditText(" Tutti");
    const Statistics& s = view.statistics;
    QTableWidget& grid = m_statistics;
    grid.clearContents();
    grid.setRowCount(static_cast<int>(s.genres.size()) + 1);
    // The first row and the first column are the grid's fixed cells: drawn as headers, never selected.
    const auto cell = [&grid](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        if (row == 0 || column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(grid.palette().button());
        }
        grid.setItem(row, column, item);
    };
    const auto put = [&cell](int row, const QString& name, int count) {
        cell(row, 0, name);
        cell(row, 1, QString::number(count));
    };
    put(0, "Totale Titoli", s.total);
    for (std::size_t i = 0; i < s.genres.size(); ++i)
        put(static_cast<int>(i) + 1, q(s.genres[i]), s.counts[i]);
}
