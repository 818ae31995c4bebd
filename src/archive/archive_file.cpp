#include "archive_file.h"

#include "archive_line.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/dates.h"
#include "base/lines.h"
#include "base/parallel.h"
#include "platform/dialogs.h"
#include "platform/files.h"

const char* const kProtectedArchiveNotice =
    "Il file archivio non \xE8 stato letto per intero.\n"
    "Il programma parte in sola lettura: films.txt non verr\xE0 modificato.\n"
    "Correggere il file e riavviare il programma.";

const char* const kLockedArchiveNotice =
    "Un'altra copia di Pellicorio sta usando questa cartella dati.\n"
    "Questa copia parte in sola lettura: films.txt non verr\xE0 modificato.\n"
    "Chiudere l'altra copia e riavviare il programma per modificare l'archivio.";

const char* const kLockFileName = "pellicorio.lock";

std::vector<std::string> ownFiles(const Settings& s)
{
    return {s.ArchivePath, files::toText(files::backupPath(files::fromText(s.ArchivePath))), s.ConfigPath,
            s.ProgramFolder + kLockFileName};
}

ArchiveLineError::ArchiveLineError(const std::string& conversionText, const std::string& fileName, int line)
    : ConversionError(conversionText + "\n(" + fileName + ", riga " + std::to_string(line) + ")"), m_line(line)
{
}

namespace {

// Large archives are parsed and formatted in two halves on the two cores.
constexpr std::size_t kParallelBytes = 8u << 20;
constexpr int kParallelRows = 50000;

void formatRows(const RecordTable& table, int first, int last, const RegionalSettings& rs, std::string& out)
{
    for (int i = first; i <= last; ++i) {
        archiveline::format(table.row(i), rs, out);
        out += "\r\n";
    }
}

std::size_t countLines(std::string_view data)
{
    std::size_t n = 0;
    for (const char* p = data.data(); const void* lf = std::memchr(p, '\n', data.size() - (p - data.data()));) {
        ++n;
        p = static_cast<const char*>(lf) + 1;
    }
    return n + 1;
}

// Parses the lines of a chunk into out; returns the 1-based number of the line that failed
// (0 when none) with its text.
int parseChunk(std::string_view chunk, const RegionalSettings& rs, std::vector<RecordTable::Row>& out,
               std::string& error)
{
    out.reserve(out.size() + countLines(chunk));
    LineReader reader(chunk);
    std::string_view line;
    int number = 0;
    while (reader.next(line)) {
        ++number;
        auto record = std::make_shared<dfilm>();
        try {
            archiveline::parse(line, rs, *record);
        } catch (const ConversionError& e) {
            error = e.what();
            return number;
        }
        out.push_back(std::move(record));
    }
    return 0;
}

} // namespace

void writeArchive(const RecordTable& table, int count, const RegionalSettings& rs,
                  const std::function<void(std::string_view)>& sink)
{
    // Lines go out in blocks through two reused buffers: one is formatted while the other is
    // written, so a large archive never sits in memory a second time.
    constexpr int kBlockRows = 4096;
    std::string ready, next;
    int first = 1;
    const auto formatBlock = [&](std::string& out, int from) {
        out.clear();
        formatRows(table, from, std::min(count, from + kBlockRows - 1), rs, out);
    };
    if (count < 1)
        return;
    formatBlock(ready, first);
    while (first + kBlockRows <= count) {
        const int following = first + kBlockRows;
        if (count < kParallelRows) {
            sink(ready);
            formatBlock(next, following);
        } else
            runBoth([&] { sink(ready); }, [&] { formatBlock(next, following); });
        std::swap(ready, next);
        first = following;
    }
    sink(ready);
}

std::string formatArchive(const RecordTable& table, int count, const RegionalSettings& rs)
{
    std::string out;
    writeArchive(table, count, rs, [&](std::string_view bytes) { out += bytes; });
    return out;
}

void SaveArchive(const ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs)
{
    if (model.protectedReason)
        throw UserError("Archivio in sola lettura: films.txt non viene modificato.\n" + *model.protectedReason);
    files::AtomicWriter writer(files::fromText(archivePath), files::AtomicWriter::Backup::Keep);
    writeArchive(model.ArchiveTable, model.ArchiveCount, rs, [&](std::string_view bytes) { writer.write(bytes); });
    writer.commit();
}

void readArchiveRecords(const std::string& path, const RegionalSettings& rs, std::vector<RecordTable::Row>& out)
{
    const files::fs::path native = files::fromText(path);
    const files::FileBytes bytes(native);
    const std::string_view all = bytes.view();
    std::string error;
    int failed = 0;
    if (all.size() < kParallelBytes) {
        failed = parseChunk(all, rs, out, error);
    } else {
        // Split right after a line feed: a line always starts there.
        const std::size_t split = all.find('\n', all.size() / 2) + 1;
        std::vector<RecordTable::Row> secondRecords;
        std::string secondError;
        int secondFailed = 0;
        runBoth([&] { failed = parseChunk(all.substr(0, split), rs, out, error); },
                [&] { secondFailed = parseChunk(all.substr(split), rs, secondRecords, secondError); });
        if (!failed) {
            const int firstLines = static_cast<int>(out.size());
            out.insert(out.end(), std::make_move_iterator(secondRecords.begin()),
                       std::make_move_iterator(secondRecords.end()));
            if (secondFailed) {
                failed = firstLines + secondFailed;
                error = secondError;
            }
        }
    }
    if (failed)
        throw ArchiveLineError(error, files::toText(native.filename()), failed);
}

int ReadArchiveFile(const std::string& path, RecordTable& table, int r, const RegionalSettings& rs)
{
    std::vector<RecordTable::Row> records;
    readArchiveRecords(path, rs, records);
    const int n = static_cast<int>(records.size());
    table.reserveRows(r + n - 1);
    for (int i = 0; i < n; ++i)
        table.put(r + i, std::move(records[static_cast<std::size_t>(i)]));
    return n;
}

std::string dateToTheMinute(double dateTime, const RegionalSettings& rs)
{
    const std::string text = dates::formatDateTime(dateTime, rs);
    const std::size_t date = dates::formatShortDate(dateTime, rs).size();
    const std::size_t hours = text.find(rs.timeSeparator, date);
    const std::size_t minutes = hours == std::string::npos ? hours : text.find(rs.timeSeparator, hours + 1);
    return minutes == std::string::npos ? text : text.substr(0, minutes);
}

LoadResult LoadArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                       Dialogs& dialogs, const ArchiveReader& read)
{
    model.ArchiveCount = 0;
    const files::fs::path native = files::fromText(archivePath);
    LoadResult result{LoadResult::Outcome::Loaded, {}, {}};
    const auto damaged = [&](const std::string& why) {
        result.outcome = LoadResult::Outcome::Damaged;
        result.error = why;
        model.protectedReason = why;
    };
    const files::Presence presence = files::probe(native);
    if (presence.kind == files::Presence::Kind::Missing) {
        dialogs.message(Dialogs::Kind::Warning, "File archivio non trovato.\n Lo creo vuoto.");
        model.ArchiveCount = 0;
        model.ViewCount = 0;
        files::writeAtomically(native, std::string());
        result.outcome = LoadResult::Outcome::MissingFile;
        return result;
    }
    std::vector<RecordTable::Row> records;
    if (presence.kind == files::Presence::Kind::Unreachable) {
        // An archive on a disk that is not mounted, or behind a folder we may not enter, is not
        // a first start: creating an empty one would hide the real one.
        damaged(presence.reason);
    } else {
        if (const auto mtime = files::modificationTime(native))
            result.dateLabel = "Data Archivio films: " + dateToTheMinute(*mtime, rs);
        try {
            read(archivePath, rs, records);
        } catch (const std::bad_alloc&) {
            damaged("Out of memory\n" + archivePath);
        } catch (const UserError& e) {
            damaged(e.what()); // names the file already
        } catch (const std::exception& e) {
            damaged(std::string(e.what()) + "\n" + archivePath);
        } catch (...) {
            damaged("Errore imprevisto nella lettura dell'archivio\n" + archivePath);
        }
    }
    const int n = static_cast<int>(records.size());
    model.ArchiveTable.adopt(std::move(records));
    model.ArchiveCount = n;
    model.copyArchiveToView();
    if (result.outcome != LoadResult::Outcome::Damaged && n == 0)
        result.outcome = LoadResult::Outcome::EmptyFile;
    return result;
}
