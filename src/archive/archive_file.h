#pragma once

#include "archive_model.h"
#include "settings.h"

#include "base/errors.h"
#include "base/regional.h"
#include "platform/files.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Dialogs;

// A line of an archive file (or of a title list) that does not convert; the text names the line.
class ArchiveLineError : public ConversionError
{
public:
    ArchiveLineError(const std::string& conversionText, const std::string& fileName, int line);
    int line() const { return m_line; }

private:
    int m_line;
};

// Rewrites the archive file from rows 1..ArchiveCount, keeping the file it replaces as
// "films.txt.bak". Refused while the archive is protected.
void SaveArchive(const ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs);
// The bytes SaveArchive writes, handed to sink in blocks; and all of them at once.
void writeArchive(const RecordTable& table, int count, const RegionalSettings& rs,
                  const std::function<void(std::string_view)>& sink);
std::string formatArchive(const RecordTable& table, int count, const RegionalSettings& rs);

// Stores a whole file's records at rows r.. and returns their number; on any failure it throws
// and the table is untouched. The caller sets the count.
int ReadArchiveFile(const std::string& path, RecordTable& table, int r, const RegionalSettings& rs,
                    const files::Reader& reader = files::disk());

// What the user is told when films.txt could not be read whole.
extern const char* const kProtectedArchiveNotice;
// What a second copy of the program on the same data folder is told.
extern const char* const kLockedArchiveNotice;
// The lock file in the data folder that one running copy holds.
extern const char* const kLockFileName;

// The files the program keeps for itself, which no export or picture may replace: the archive,
// its backup, the configuration and the lock file.
std::vector<std::string> ownFiles(const Settings& settings);

struct LoadResult
{
    enum class Outcome { Loaded, EmptyFile, MissingFile, Damaged } outcome;
    // Text for the archive date label; empty when it keeps its design text.
    std::string dateLabel;
    // Why the archive is protected (Damaged only).
    std::string error;
};

// A date and time as the system writes them, cut after the minutes (a midnight shows the date only):
// what the archive date label shows of the file's time.
std::string dateToTheMinute(double dateTime, const RegionalSettings& rs);

// Sees each record of a loading archive as it is checked, on the thread that reads its part of
// the file: part 0 holds the first rows, part 1 (large files only) the rest, each in row order.
// A load that fails part way leaves it with rows that are not in the archive.
class LoadWatcher
{
public:
    virtual ~LoadWatcher() = default;
    // The eight texts from titolo to datau, and dataa.
    virtual void record(int part, const std::string_view (&texts)[8], double dataa) = 0;
};

// Start-up load: sets the counts and the view. Only a file that is not there is reported and
// created empty. A file that cannot be read whole, whatever the reason, leaves the records
// before the fault in the archive and protects films.txt from being overwritten. The records
// stay lines of the file's bytes, kept in one block.
LoadResult LoadArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                       Dialogs& dialogs, LoadWatcher* watcher = nullptr, const files::Reader& reader = files::disk());

// The same reading for a program that only looks: it creates nothing and asks nothing. A missing,
// unreachable or damaged file throws, with the text the user sees.
void ReadArchiveReadOnly(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                         const files::Reader& reader = files::disk());
