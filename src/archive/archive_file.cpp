#include "archive_file.h"

#include "archive_line.h"

#include <algorithm>

#include "base/dates.h"
#include "base/lines.h"
#include "platform/dialogs.h"
#include "platform/files.h"

const char* const kProtectedArchiveNotice =
    "Il file archivio non \xE8 stato letto per intero.\n"
    "Il programma parte in sola lettura: films.txt non verr\xE0 modificato.\n"
    "Correggere il file e riavviare il programma.";

ArchiveLineError::ArchiveLineError(const std::string& conversionText, const std::string& fileName, int line)
    : ConversionError(conversionText + "\n(" + fileName + ", riga " + std::to_string(line) + ")"), m_line(line)
{
}

std::string formatArchive(const RecordTable& table, int count, const RegionalSettings& rs)
{
    std::string out;
    std::size_t estimate = 0;
    for (int i = 1; i <= count && i <= 64; ++i)
        estimate += table.row(i).trama.size() + table.row(i).titolo.size() + 120;
    if (count > 0)
        out.reserve(estimate / static_cast<std::size_t>(std::min(count, 64)) * static_cast<std::size_t>(count) * 11 / 10);
    for (int i = 1; i <= count; ++i) {
        archiveline::format(table.row(i), rs, out);
        out += "\r\n";
    }
    return out;
}

void SaveArchive(const ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs)
{
    if (model.protectedReason)
        throw UserError("Archivio in sola lettura: films.txt non viene modificato.\n" + *model.protectedReason);
    files::writeAtomically(files::fromText(archivePath), formatArchive(model.ArchiveTable, model.ArchiveCount, rs));
}

void readArchiveRecords(const std::string& path, const RegionalSettings& rs, std::vector<dfilm>& out)
{
    const files::fs::path native = files::fromText(path);
    const std::string data = files::readWhole(native);
    LineReader reader(data);
    std::string_view line;
    int number = 0;
    while (reader.next(line)) {
        ++number;
        dfilm record;
        try {
            archiveline::parse(line, rs, record);
        } catch (const ConversionError& e) {
            throw ArchiveLineError(e.what(), files::toText(native.filename()), number);
        }
        out.push_back(std::move(record));
    }
}

int ReadArchiveFile(const std::string& path, RecordTable& table, int r, const RegionalSettings& rs)
{
    std::vector<dfilm> records;
    readArchiveRecords(path, rs, records);
    const int n = static_cast<int>(records.size());
    table.reserveRows(r + n - 1);
    for (int i = 0; i < n; ++i)
        table.row(r + i) = std::move(records[static_cast<std::size_t>(i)]);
    return n;
}

LoadResult LoadArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                       Dialogs& dialogs)
{
    model.ArchiveCount = 0;
    const files::fs::path native = files::fromText(archivePath);
    LoadResult result{LoadResult::Outcome::Loaded, {}, {}};
    if (!files::exists(native)) {
        dialogs.message(Dialogs::Kind::Warning, "File archivio non trovato.\n Lo creo vuoto.");
        model.ArchiveCount = 0;
        model.ViewCount = 0;
        files::writeAtomically(native, std::string());
        result.outcome = LoadResult::Outcome::MissingFile;
        return result;
    }
    if (const auto mtime = files::modificationTime(native))
        result.dateLabel = "Data Archivio films: " + dates::formatDateTime(*mtime, rs).substr(0, 14);

    std::vector<dfilm> records;
    try {
        readArchiveRecords(archivePath, rs, records);
    } catch (const UserError& e) {
        result.outcome = LoadResult::Outcome::Damaged;
        result.error = e.what();
        model.protectedReason = e.what();
    }
    const int n = static_cast<int>(records.size());
    model.ArchiveTable.reserveRows(n);
    for (int i = 0; i < n; ++i)
        model.ArchiveTable.row(i + 1) = std::move(records[static_cast<std::size_t>(i)]);
    model.ArchiveCount = n;
    model.copyArchiveToView();
    if (result.outcome != LoadResult::Outcome::Damaged && n == 0)
        result.outcome = LoadResult::Outcome::EmptyFile;
    return result;
}
