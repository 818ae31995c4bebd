#include "filters.h"

#include "index_keeper.h"

#include "base/dates.h"
#include "base/parallel.h"
#include "base/search_fold.h"

#include <algorithm>
#include <vector>

namespace {

std::optional<std::string> folded(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    return text::searchFolded(text);
}

} // namespace

bool containsFolded(std::string_view hay, std::string_view needle)
{
    if (needle.empty())
        return true;
    if (needle.size() > hay.size())
        return false;
    const char first = needle[0];
    const std::size_t last = hay.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (text::searchFold(hay[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < needle.size() && text::searchFold(hay[i + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

FilterCriteria FilterCriteria::read(const FilterTexts& t, const RegionalSettings& rs)
{
    FilterCriteria c;
    c.m_title = folded(t.title);
    if (!t.genre.empty() && t.genre != " Tutti")
        c.m_genre = t.genre;
    c.m_actors = folded(t.actors);
    c.m_director = folded(t.director);
    if (!t.arrival.empty())
        c.m_arrival = t.pickedArrival ? *t.pickedArrival : dates::parseShortDate(t.arrival, rs);
    c.m_position = folded(t.position);
    return c;
}

template <typename Text, typename Arrival>
bool FilterCriteria::test(const Text& text, const Arrival& arrival) const
{
    using F = RecordTable::Field;
    if (m_title && !containsFolded(text(F::titolo), *m_title))
        return false;
    if (m_genre && text(F::genere) != *m_genre)
        return false;
    if (m_actors) {
        m_joined.assign(text(F::attore1));
        m_joined += ' ';
        m_joined += text(F::attore2);
        if (!containsFolded(m_joined, *m_actors))
            return false;
    }
    if (m_director && !containsFolded(text(F::regia), *m_director))
        return false;
    if (m_arrival && !(arrival() >= *m_arrival))
        return false;
    if (m_position && !containsFolded(text(F::posizione), *m_position))
        return false;
    return true;
}

bool FilterCriteria::matches(const dfilm& r) const
{
    return test([&r](RecordTable::Field f) { return RecordTable::textOf(r, f); }, [&r] { return r.dataa; });
}

bool FilterCriteria::matches(const RecordTable& table, int k) const
{
    return test([&](RecordTable::Field f) { return table.text(k, f); }, [&] { return table.dataa(k); });
}

namespace {

// Marks the records of rows first..last that pass. The records lie apart in memory, so each
// is asked for well before it is tested, and its title a little later.
void markMatches(const RecordTable& table, int first, int last, const FilterCriteria& criteria, char* passed)
{
    constexpr int kAhead = 16;
    for (int k = first; k <= last; ++k) {
        table.prefetch(k + kAhead);
        passed[k - first] = criteria.matches(table, k) ? 1 : 0;
    }
}

} // namespace

bool FilterCriteria::matches(const SearchIndex& ix, int k) const
{
    using C = SearchIndex::Column;
    if (m_title && ix.text(C::Title, k).find(*m_title) == std::string_view::npos)
        return false;
    if (m_genre && ix.text(C::Genre, k) != *m_genre)
        return false;
    if (m_actors && ix.text(C::Actors, k).find(*m_actors) == std::string_view::npos)
        return false;
    if (m_director && ix.text(C::Director, k).find(*m_director) == std::string_view::npos)
        return false;
    if (m_arrival && !(ix.arrival(k) >= *m_arrival))
        return false;
    if (m_position && ix.text(C::Position, k).find(*m_position) == std::string_view::npos)
        return false;
    return true;
}

namespace {

void applyWith(ArchiveModel& model, const FilterCriteria& criteria, const SearchIndex* index)
{
    const int n = model.ArchiveCount;
    std::vector<char> passed(static_cast<std::size_t>(std::max(n, 0)));
    const RecordTable& archive = model.ArchiveTable;
    const auto mark = [&](int first, int last, const FilterCriteria& c) {
        if (index) {
            for (int k = first; k <= last; ++k)
                passed[static_cast<std::size_t>(k - 1)] = c.matches(*index, k) ? 1 : 0;
        } else {
            markMatches(archive, first, last, c, passed.data() + (first - 1));
        }
    };
    if (n < 200000) {
        mark(1, n, criteria);
    } else {
        const int mid = n / 2;
        const FilterCriteria second = criteria; // each half has its own scratch text
        runBoth([&] { mark(1, mid, criteria); }, [&] { mark(mid + 1, n, second); });
    }
    std::vector<int> rows;
    for (int k = 1; k <= n; ++k)
        if (passed[static_cast<std::size_t>(k - 1)])
            rows.push_back(k);
    // Copying a row touches the reference counts of the record it gets and of the one it drops.
    const int matches = static_cast<int>(rows.size());
    model.ViewTable.reserveRows(matches);
    for (int w = 1; w <= matches; ++w) {
        if (w + 16 <= matches) {
            model.ViewTable.prefetch(w + 16);
            archive.prefetch(rows[static_cast<std::size_t>(w + 15)]);
        }
        model.ViewTable.copyRow(w, archive, rows[static_cast<std::size_t>(w - 1)]);
    }
    model.ViewCount = matches;
}

} // namespace

void ApplyFilters(ArchiveModel& model, const FilterCriteria& criteria, SearchIndex* index)
{
    if (index)
        index->refresh(model);
    applyWith(model, criteria, index);
}

void ApplyFilters(ArchiveModel& model, const FilterCriteria& criteria, IndexKeeper& keeper)
{
    applyWith(model, criteria, keeper.ready(model));
}
