#include "archive_file.h"

#include "archive_line.h"
#include "program_ini.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/dates.h"
#include "base/lines.h"
#include "base/numbers.h"
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
            s.ProgramFolder + kLockFileName, s.ProgramFolder + programini::kFileName};
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
        table.formatLine(i, rs, out);
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

// The lines of a chunk, checked by the parser. A line whose fields are its plain tab-separated
// pieces stays a line of the file; one that the parser reads otherwise (a window cut it, tabs
// are missing) is kept as the record it gave.
struct LineChunk
{
    std::vector<const char*> lines;                             // null where owned has the record
    std::vector<std::pair<std::size_t, RecordTable::Row>> owned; // index into lines, record
    int failed = 0;                                             // 1-based line that did not convert
    std::string error;
};

// The eleven tab-separated pieces and the rest, when the parser's window cuts none of them.
bool plainPieces(std::string_view line, std::string_view (&pieces)[12])
{
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.size() - (tab + 1) > archiveline::kFieldWindow)
        return false;
    pieces[0] = line.substr(0, tab);
    const char* p = line.data() + tab + 1;
    const char* end = line.data() + line.size();
    for (int t = 1; t < 11; ++t) {
        const auto* next = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p)));
        if (!next)
            return false;
        pieces[t] = std::string_view(p, static_cast<std::size_t>(next - p));
        p = next + 1;
    }
    pieces[11] = std::string_view(p, static_cast<std::size_t>(end - p));
    return true;
}

// Whether a date text reads differently in different years (no year, or a two-digit one).
bool readsByTheYear(std::string_view date, const RegionalSettings& rs)
{
    // At a glance: four digits where the short date format puts the year, after or before two
    // separators. Four digits elsewhere ("0012/3") may be a day or a month of a yearless date.
    const std::size_t first = date.find(rs.dateSeparator), last = date.rfind(rs.dateSeparator);
    if (first != last) {
        const std::size_t y = rs.shortDateFormat.find_first_of("dDmMyY");
        const bool yearFirst = y != std::string::npos && (rs.shortDateFormat[y] | 0x20) == 'y';
        std::string_view year = yearFirst ? date.substr(0, first) : date.substr(last + 1);
        while (!year.empty() && year.front() == ' ')
            year.remove_prefix(1);
        while (!year.empty() && year.back() == ' ')
            year.remove_suffix(1);
        if (year.size() == 4 &&
            std::all_of(year.begin(), year.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
    }
    try {
        // Two leap years far apart, so that 29/02 reads in both.
        return dates::parseShortDate(date, rs, 1952) != dates::parseShortDate(date, rs, 2096);
    } catch (const ConversionError&) {
        return true;
    }
}

void checkChunk(std::string_view chunk, const RegionalSettings& rs, LineChunk& out, LoadWatcher* watcher, int part)
{
    out.lines.reserve(out.lines.size() + countLines(chunk));
    LineReader reader(chunk);
    std::string_view line;
    dfilm scratch; // reused: its texts keep their room, so checking a line allocates nothing
    int number = 0;
    while (reader.next(line)) {
        ++number;
        double arrival = 0;
        std::string_view pieces[12];
        bool plain = plainPieces(line, pieces);
        try {
            if (plain) {
                // The parser's fields are these pieces: converting its three numbers, in its
                // order, is all it would check.
                arrival = dates::parseShortDate(pieces[8], rs);
                numbers::parseFloat(pieces[9], rs);
                numbers::parseInt(pieces[10]);
                // A date without its century reads by the year of the reading: such a line is
                // read whole now, so that it keeps the year of the load, as it always did.
                if (readsByTheYear(pieces[8], rs)) {
                    plain = false;
                    archiveline::parse(line, rs, scratch);
                }
            } else {
                archiveline::parse(line, rs, scratch);
            }
        } catch (const ConversionError& e) {
            out.error = e.what();
            out.failed = number;
            return;
        }
        if (plain) {
            out.lines.push_back(line.data());
            if (watcher) {
                std::string_view texts[8];
                std::copy_n(pieces, 8, texts);
                watcher->record(part, texts, arrival);
            }
        } else {
            out.owned.emplace_back(out.lines.size(), std::make_shared<dfilm>(scratch));
            out.lines.push_back(nullptr);
            if (watcher) {
                const dfilm& r = scratch;
                const std::string_view texts[8] = {r.titolo, r.genere, r.attore1, r.attore2,
                                                   r.regia,  r.posizione, r.durata, r.datau};
                watcher->record(part, texts, r.dataa);
            }
        }
    }
}

struct LoadedFile
{
    std::shared_ptr<LoadedLines> block;
    LineChunk rows;
};

// Reads a whole archive file and checks its lines; a line that does not convert ends the rows
// there and is named in rows.failed. I/O failures throw.
LoadedFile loadArchiveLines(const std::string& path, const RegionalSettings& rs, LoadWatcher* watcher,
                             const files::Reader& reader)
{
    LoadedFile f;
    f.block = std::make_shared<LoadedLines>(reader.readAll(files::fromText(path)), rs);
    const std::string_view all = f.block->bytes;
    LineChunk& rows = f.rows;
    if (all.size() < kParallelBytes) {
        checkChunk(all, rs, rows, watcher, 0);
        return f;
    }
    const std::size_t split = all.find('\n', all.size() / 2) + 1;
    LineChunk second;
    runBoth([&] { checkChunk(all.substr(0, split), rs, rows, watcher, 0); },
            [&] { checkChunk(all.substr(split), rs, second, watcher, 1); });
    if (rows.failed)
        return f;
    const std::size_t firstLines = rows.lines.size();
    rows.lines.insert(rows.lines.end(), second.lines.begin(), second.lines.end());
    for (auto& [at, record] : second.owned)
        rows.owned.emplace_back(firstLines + at, std::move(record));
    if (second.failed) {
        rows.failed = static_cast<int>(firstLines) + second.failed;
        rows.error = std::move(second.error);
    }
    return f;
}

// Stores the rows of a loaded file at rows r.. of a table; returns their number.
int storeLines(LoadedFile& f, RecordTable& table, int r)
{
    table.putLines(r, f.block, f.rows.lines);
    for (auto& [at, record] : f.rows.owned)
        table.put(r + static_cast<int>(at), std::move(record));
    return static_cast<int>(f.rows.lines.size());
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

int ReadArchiveFile(const std::string& path, RecordTable& table, int r, const RegionalSettings& rs,
                    const files::Reader& reader)
{
    LoadedFile f = loadArchiveLines(path, rs, nullptr, reader);
    if (f.rows.failed)
        throw ArchiveLineError(f.rows.error, files::toText(files::fromText(path).filename()), f.rows.failed);
    return storeLines(f, table, r);
}

std::string dateToTheMinute(double dateTime, const RegionalSettings& rs)
{
    const std::string text = dates::formatDateTime(dateTime, rs);
    const std::size_t date = dates::formatShortDate(dateTime, rs).size();
    const std::size_t hours = text.find(rs.timeSeparator, date);
    const std::size_t minutes = hours == std::string::npos ? hours : text.find(rs.timeSeparator, hours + 1);
    return minutes == std::string::npos ? text : text.substr(0, minutes);
}

void ReadArchiveReadOnly(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                         const files::Reader& reader)
{
    const files::Presence presence = reader.probe(files::fromText(archivePath));
    if (presence.kind == files::Presence::Kind::Missing)
        throw UserError("File archivio non trovato:\n" + archivePath);
    if (presence.kind == files::Presence::Kind::Unreachable)
        throw UserError(presence.reason);
    RecordTable loaded;
    const int n = ReadArchiveFile(archivePath, loaded, 1, rs, reader);
    model.ArchiveTable = std::move(loaded);
    model.ArchiveCount = n;
    model.copyArchiveToView();
}

LoadResult LoadArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                       Dialogs& dialogs, LoadWatcher* watcher, const files::Reader& reader)
{
    model.ArchiveCount = 0;
    const files::fs::path native = files::fromText(archivePath);
    LoadResult result{LoadResult::Outcome::Loaded, {}, {}};
    const auto damaged = [&](const std::string& why) {
        result.outcome = LoadResult::Outcome::Damaged;
        result.error = why;
        model.protectedReason = why;
    };
    const files::Presence presence = reader.probe(native);
    if (presence.kind == files::Presence::Kind::Missing) {
        dialogs.message(Dialogs::Kind::Warning, "File archivio non trovato.\n Lo creo vuoto.");
        model.ArchiveCount = 0;
        model.ViewCount = 0;
        files::writeAtomically(native, std::string());
        result.outcome = LoadResult::Outcome::MissingFile;
        return result;
    }
    RecordTable loaded;
    int loadedCount = 0;
    if (presence.kind == files::Presence::Kind::Unreachable) {
        // An archive on a disk that is not mounted, or behind a folder we may not enter, is not
        // a first start: creating an empty one would hide the real one.
        damaged(presence.reason);
    } else {
        if (const auto mtime = reader.modificationTime(native))
            result.dateLabel = "Data Archivio films: " + dateToTheMinute(*mtime, rs);
        try {
            LoadedFile f = loadArchiveLines(archivePath, rs, watcher, reader);
            loadedCount = storeLines(f, loaded, 1);
            if (f.rows.failed)
                throw ArchiveLineError(f.rows.error, files::toText(native.filename()), f.rows.failed);
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
    const int n = loadedCount;
    model.ArchiveTable = std::move(loaded);
    model.ArchiveCount = n;
    model.copyArchiveToView();
    if (result.outcome != LoadResult::Outcome::Damaged && n == 0)
        result.outcome = LoadResult::Outcome::EmptyFile;
    return result;
}
