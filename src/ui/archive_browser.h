#pragma once

#include "browser/genres.h"
#include "session/archive_session.h"

#include <QObject>

#include <optional>
#include <string>

class ArchiveTab;
struct OpenedArchive;
class DatePickerWindow;
class LineChoice;
class Dialogs;
class QTableWidget;
struct Program;
class RecordTable;

// The behaviour of the "ARCHIVIO" tab: title list, record view, pictures, filters, update and
// deletion, and the genre choice with the statistics grid.
class ArchiveBrowser : public QObject
{
    Q_OBJECT
public:
    ArchiveBrowser(Program& program, Dialogs& dialogs, ArchiveTab& tab, QTableWidget& statistics,
                   QObject* parent = nullptr);
    void setDatePicker(DatePickerWindow* picker) { m_picker = picker; }

    void FillTitleList();
    // Start-up: the genre choice, the statistics and the title list from what OpenArchive made.
    void showOpened(OpenedArchive& opened);
    // The poster and cover files of the record last chosen, as the zoom shows them.
    const std::string& posterPath() const { return m_posterPath; }
    const std::string& coverPath() const { return m_coverPath; }
    void ShowRecord(int r);
    void DBLBresultClick(int line);
    void OnShowCoverTab();
    void TabSheet9Show();
    void ApplyFiltersNow();
    void FLTChange();
    void OnFLTApp();
    void FLTCLEARClick();
    void OnClickCalendar();
    void FLTDataClearClick();
    void DBAggRecClick();
    void DBCancRecClick();
    void MergeDBClick();
    // Genre choice and statistics from the archive.
    void RefreshGenres();
    // The rows of the title list when given, else ViewTable as it is now.
    void fillTitleList(RecordTable* rows);
    // An empty archive leaves them as they are, unless a change emptied it.
    void showGenres(const GenreView& view, bool evenEmpty = false);

private:
    int selectedLine() const;
    void selectLine(int line);
    void loadPicture(class JpegView* view, const std::string& path);
    // Shows the picture tabs whose files were found, hides the others, and loads the picture of
    // the tab on show.
    void showPictureTabs(bool coverFound, bool posterFound);
    // Every view of the archive redraws from what a change did.
    void archiveChanged(const ArchiveChange& change);
    // Both counts, the genres with their statistics and the archive's date, as they are now.
    void showCounts(ArchiveChange::Kind kind);

    Program& m_program;
    Dialogs& m_dialogs;
    ArchiveTab& m_tab;
    QTableWidget& m_statistics;
    DatePickerWindow* m_picker = nullptr;
    LineChoice* m_choice;
    std::string m_pickedText;
    std::optional<double> m_pickedDay;
    std::string m_posterPath;
    std::string m_coverPath;
};
