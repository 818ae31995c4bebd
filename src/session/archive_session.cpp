#include "archive_session.h"

#include "archive/archive_file.h"
#include "base/errors.h"
#include "platform/files.h"

ArchiveSession::ArchiveSession(QObject* parent) : QObject(parent) {}

void ArchiveSession::protect(const std::string& reason) { m_model.protectedReason = reason; }

void ArchiveSession::changeAndSave(const std::function<void()>& change)
{
    // Copying the tables copies shared row pointers, not records.
    ArchiveModel before = m_model;
    try {
        change();
        SaveArchive(m_model, m_archivePath, m_regional);
    } catch (...) {
        m_model = std::move(before);
        throw;
    }
}

void ArchiveSession::refreshGenres()
{
    if (m_model.ArchiveCount > 0) {
        m_genres = RefreshGenresWithStatistics(m_model);
        return;
    }
    // The last record deleted: nothing left to count.
    m_genres = GenreView{};
    m_genres.choice = {" Tutti"};
}

void ArchiveSession::announce(const ArchiveChange& change)
{
    try {
        m_keeper.rebuild(m_model);
    } catch (const std::exception&) {
        // The change is saved: without a new index the filters read the records.
    }
    // An update may change a genre and a deletion a count: every change recounts.
    refreshGenres();
    emit changed(change);
}

std::string ArchiveSession::dateLabel() const
{
    const auto mtime = files::modificationTime(files::fromText(m_archivePath));
    return mtime ? "Data Archivio films: " + dateToTheMinute(*mtime, m_regional) : std::string();
}

namespace {
const char* const kNotFound = "Record non trovato in archivio: nessuna modifica.";
}

void ArchiveSession::update(int viewRow, const RecordEdits& edits)
{
    int archiveRow = 0;
    changeAndSave([&] {
        archiveRow = UpdateRecord(m_model, viewRow, edits);
        if (archiveRow == 0)
            throw UserError(kNotFound);
    });
    announce({ArchiveChange::Kind::Updated, viewRow, archiveRow});
}

void ArchiveSession::remove(int viewRow)
{
    int archiveRow = 0;
    changeAndSave([&] {
        archiveRow = DeleteRecord(m_model, viewRow);
        if (archiveRow == 0)
            throw UserError(kNotFound);
    });
    announce({ArchiveChange::Kind::Removed, viewRow, archiveRow});
}

AdditionCounts ArchiveSession::add(const IntakeModel& intake, const std::vector<int>& entries, DuplicateOptions options)
{
    AdditionCounts counts;
    changeAndSave([&] { counts = AddToArchive(m_model, intake, entries, options); });
    m_model.copyArchiveToView();
    setPendingData(false);
    announce({ArchiveChange::Kind::Added});
    return counts;
}

MergeCounts ArchiveSession::merge(const std::string& path, DuplicateOptions options)
{
    MergeCounts counts;
    changeAndSave([&] { counts = MergeArchiveFile(m_model, path, m_regional, options); });
    m_model.copyArchiveToView();
    setPendingData(false);
    announce({ArchiveChange::Kind::Merged});
    return counts;
}
