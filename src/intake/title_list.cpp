#include "title_list.h"

#include "archive/archive_file.h"
#include "archive/archive_line.h"
#include "base/dates.h"
#include "base/errors.h"
#include "base/lines.h"
#include "base/numbers.h"
#include "platform/files.h"

#include <memory>
#include <vector>

namespace {

// The text before the first tab; the rest becomes what follows it, cut as the archive reader
// cuts. Without a tab the field is empty and the rest stays.
std::string_view takeField(std::string_view& rest)
{
    const std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos)
        return {};
    const std::string_view field = rest.substr(0, tab);
    rest = rest.substr(tab + 1, archiveline::kFieldWindow);
    return field;
}

RecordTable::Row parseLine(std::string_view line, const RegionalSettings& rs)
{
    auto d = std::make_shared<dfilm>();
    std::string_view rest = line;
    d->titolo = takeField(rest);
    d->posizione = takeField(rest);
    d->dataa = dates::parseShortDate(takeField(rest), rs);
    d->dimmb = numbers::parseFloat(rest, rs);
    return d;
}

} // namespace

std::string formatTitleList(const IntakeModel& intake, const RegionalSettings& rs)
{
    std::string out;
    for (int k = 1; k <= intake.IntakeCount; ++k) {
        const dfilm& d = intake.IntakeTable.row(k);
        out += d.titolo + '\t' + d.posizione + '\t' + dates::formatShortDate(dates::clampToRange(d.dataa), rs) + '\t' +
               numbers::formatGeneral(d.dimmb, rs) + "\r\n";
    }
    return out;
}

void ExportTitleList(const IntakeModel& intake, const std::string& path, const RegionalSettings& rs,
                     const std::vector<std::string>& keepOff)
{
    for (const std::string& own : keepOff)
        if (files::namesSameFile(files::fromText(path), files::fromText(own)))
            throw UserError("La lista non pu\xF2 sostituire un file del programma:\n" + path);
    files::writeAtomically(files::fromText(path), formatTitleList(intake, rs));
}

void ImportTitleList(IntakeModel& intake, const std::string& path, const RegionalSettings& rs)
{
    const files::fs::path native = files::fromText(path);
    const files::FileBytes bytes(native);
    LineReader lines(bytes.view());
    std::vector<RecordTable::Row> rows;
    std::string_view line;
    while (lines.next(line)) {
        try {
            rows.push_back(parseLine(line, rs));
        } catch (const ConversionError& e) {
            throw ArchiveLineError(e.what(), files::toText(native.filename()), static_cast<int>(rows.size()) + 1);
        }
    }
    const int count = static_cast<int>(rows.size());
    for (int k = 1; k <= count; ++k)
        intake.IntakeTable.put(k, std::move(rows[static_cast<std::size_t>(k - 1)]));
    intake.IntakeCount = count;
    intake.FileNames.assign(static_cast<std::size_t>(count), std::string());
    intake.Associated.assign(static_cast<std::size_t>(count), false);
}

std::string importReport(int titles)
{
    return "Lista importata: " + std::to_string(titles) + (titles == 1 ? " titolo" : " titoli");
}
