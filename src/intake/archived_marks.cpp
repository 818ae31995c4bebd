#include "archived_marks.h"

#include <string_view>
#include <unordered_set>

int FindInArchive(const ArchiveModel& model, const std::string& title, const std::string& position, int start,
                  bool ignorePosition)
{
    if (model.ArchiveCount < 1)
        return kArchiveEmpty;
    for (int k = std::max(start, 1); k <= model.ArchiveCount; ++k) {
        const RecordTable& t = model.ArchiveTable;
        if (t.text(k, RecordTable::Field::titolo) == title &&
            (ignorePosition || t.text(k, RecordTable::Field::posizione) == position))
            return k;
    }
    return kNotInArchive;
}

namespace {

std::string key(std::string_view titolo, std::string_view posizione, bool ignorePosition)
{
    // A NUL never occurs in a text of the archive file, so it cannot join two keys into one.
    std::string k(titolo);
    if (!ignorePosition) {
        k += '\0';
        k += posizione;
    }
    return k;
}

std::string key(const dfilm& d, bool ignorePosition) { return key(d.titolo, d.posizione, ignorePosition); }

} // namespace

std::vector<bool> archivedMarks(const ArchiveModel& model, const IntakeModel& intake, bool ignorePosition)
{
    std::vector<bool> marks(static_cast<std::size_t>(std::max(intake.IntakeCount, 0)), false);
    if (model.ArchiveCount < 1 || intake.IntakeCount < 1)
        return marks;
    // A search per entry costs entries x archive; past a few million steps one pass into a set
    // gives the same answers for less.
    const long long steps = static_cast<long long>(intake.IntakeCount) * model.ArchiveCount;
    if (steps <= 4000000) {
        for (int k = 1; k <= intake.IntakeCount; ++k) {
            const dfilm& e = intake.IntakeTable.row(k);
            marks[static_cast<std::size_t>(k - 1)] = FindInArchive(model, e.titolo, e.posizione, 1, ignorePosition) >= 0;
        }
        return marks;
    }
    std::unordered_set<std::string> wanted;
    std::unordered_set<std::string_view> titles;
    for (int k = 1; k <= intake.IntakeCount; ++k) {
        wanted.insert(key(intake.IntakeTable.row(k), ignorePosition));
        titles.insert(intake.IntakeTable.row(k).titolo);
    }
    std::unordered_set<std::string> found;
    for (int k = 1; k <= model.ArchiveCount && found.size() < wanted.size(); ++k) {
        const RecordTable& t = model.ArchiveTable;
        const std::string_view titolo = t.text(k, RecordTable::Field::titolo);
        if (!titles.count(titolo))
            continue;
        std::string candidate = key(titolo, t.text(k, RecordTable::Field::posizione), ignorePosition);
        if (wanted.count(candidate))
            found.insert(std::move(candidate));
    }
    for (int k = 1; k <= intake.IntakeCount; ++k)
        marks[static_cast<std::size_t>(k - 1)] = found.count(key(intake.IntakeTable.row(k), ignorePosition)) > 0;
    return marks;
}
