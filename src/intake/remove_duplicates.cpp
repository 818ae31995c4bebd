#include "remove_duplicates.h"

#include "title_sort.h"

#include "base/text.h"

namespace {

bool missing(std::string_view value)
{
    const std::string t = text::trim(value);
    return t.empty() || t == "???";
}

// The text fields of the film data; titolo and posizione make the duplicate.
struct FilmData
{
    RecordTable::Field field;
    std::string dfilm::*member;
};
using F = RecordTable::Field;
constexpr FilmData kFilmData[] = {{F::genere, &dfilm::genere},   {F::attore1, &dfilm::attore1},
                                  {F::attore2, &dfilm::attore2}, {F::regia, &dfilm::regia},
                                  {F::durata, &dfilm::durata},   {F::datau, &dfilm::datau},
                                  {F::trama, &dfilm::trama}};

// The row kept takes the values it lacks from the record dropped.
void fillFrom(RecordTable& t, int kept, const dfilm& dropped)
{
    bool any = false;
    for (const FilmData& f : kFilmData)
        any = any || (missing(t.text(kept, f.field)) && !missing(dropped.*f.member));
    if (!any)
        return; // a row still shared or loaded stays so
    dfilm& r = t.edit(kept);
    for (const FilmData& f : kFilmData)
        if (missing(r.*f.member) && !missing(dropped.*f.member))
            r.*f.member = dropped.*f.member;
}

} // namespace

int RemoveDuplicates(ArchiveModel& model, DuplicateOptions options, const DuplicateRule& rule)
{
    if (model.ArchiveCount < 2)
        return 0;
    RecordTable& t = model.ArchiveTable;
    const auto rankOf = [&rule](int row) {
        return rule.rank.empty() ? 0 : rule.rank[static_cast<std::size_t>(row - 1)];
    };
    // Compacting in place: the row written (out) never passes the row read (r).
    int out = 1;
    unsigned char outRank = rankOf(1);
    int removed = 0;
    for (int r = 2; r <= model.ArchiveCount; ++r) {
        // After the sort the records lie scattered in memory: ask for them ahead of their turn.
        t.prefetch(r + 8);
        const bool duplicate =
            t.text(r, F::titolo) == t.text(out, F::titolo) &&
            (options.ignorePosition || t.text(r, F::posizione) == t.text(out, F::posizione)) &&
            (options.ignoreSize || t.dimmb(r) == t.dimmb(out));
        const unsigned char rank = rankOf(r);
        if (!duplicate) {
            if (++out != r)
                t.copyRow(out, t, r);
            outRank = rank;
            continue;
        }
        ++removed;
        if (rank > outRank) {
            const dfilm dropped = t.row(out);
            t.copyRow(out, t, r);
            outRank = rank;
            if (rule.fillEmptyFields)
                fillFrom(t, out, dropped);
        } else if (rank < outRank && rule.fillEmptyFields) {
            fillFrom(t, out, t.row(r));
        }
    }
    model.ArchiveCount = out;
    return removed;
}

int SortAndRemoveDuplicates(ArchiveModel& model, DuplicateOptions options, DuplicateRule rule)
{
    const std::vector<int> from = titleSort(model.ArchiveTable, model.ArchiveCount);
    if (!rule.rank.empty()) {
        std::vector<unsigned char> sorted;
        sorted.reserve(from.size());
        for (int row : from)
            sorted.push_back(rule.rank[static_cast<std::size_t>(row - 1)]);
        rule.rank = std::move(sorted);
    }
    return RemoveDuplicates(model, options, rule);
}
