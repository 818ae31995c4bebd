#pragma once

#include "archive/archive_model.h"
#include "base/regional.h"
#include "browser/genres.h"
#include "browser/index_keeper.h"
#include "browser/record_edit.h"
#include "intake/add_to_archive.h"
#include "intake/archive_merge.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct IntakeModel;

// What a change did to the archive, for the views to redraw.
struct ArchiveChange
{
    enum class Kind { Updated, Removed, Added, Merged };
    Kind kind;
    // Updated and Removed: the title list's row (from 1) and the archive's row it stood for.
    int viewRow = 0;
    int archiveRow = 0;
};

// The archive of the running program: its tables, their search index, the genres with their
// statistics, whether data are pending and whether films.txt may be written. Every change goes
// through here: it is made, saved, rolled back when the save fails, and announced once.
class ArchiveSession : public QObject
{
    Q_OBJECT
public:
    explicit ArchiveSession(QObject* parent = nullptr);

    const ArchiveModel& model() const { return m_model; }
    // For the start-up load and the filters, which rewrite the view but not the archive.
    ArchiveModel& model() { return m_model; }
    IndexKeeper& indexKeeper() { return m_keeper; }
    const GenreView& genres() const { return m_genres; }

    void setArchivePath(std::string path) { m_archivePath = std::move(path); }
    const std::string& archivePath() const { return m_archivePath; }
    void setRegional(const RegionalSettings& rs) { m_regional = rs; }
    const RegionalSettings& regional() const { return m_regional; }

    // Why films.txt may not be written; nullopt while it may.
    const std::optional<std::string>& readOnlyReason() const { return m_model.protectedReason; }
    void protect(const std::string& reason);

    // Data associated in the intake and not yet added.
    bool pendingData() const { return m_model.PendingDataFlag >= 1; }
    void setPendingData(bool pending) { m_model.PendingDataFlag = pending ? 1 : 0; }

    // Start-up: the genre view that OpenArchive derived.
    void setGenres(GenreView view) { m_genres = std::move(view); }
    // The genre list and the statistics from the archive as it is.
    void refreshGenres();
    // The archive date label's text for films.txt as it is now; empty when it cannot be read.
    std::string dateLabel() const;

    // Each change throws, with the text the user sees, when it cannot be made or saved; the
    // archive, the view and films.txt are then as they were, and nothing is announced.
    void update(int viewRow, const RecordEdits& edits);
    void remove(int viewRow);
    AdditionCounts add(const IntakeModel& intake, const std::vector<int>& entries, DuplicateOptions options);
    MergeCounts merge(const std::string& path, DuplicateOptions options);

signals:
    void changed(const ArchiveChange& change);

private:
    // Makes the change and saves; on any failure the model goes back and the error goes on.
    void changeAndSave(const std::function<void()>& change);
    void announce(const ArchiveChange& change);

    ArchiveModel m_model;
    IndexKeeper m_keeper;
    GenreView m_genres;
    std::string m_archivePath;
    RegionalSettings m_regional = RegionalSettings::italian();
};
