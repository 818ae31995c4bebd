#include "genres.h"

#include "base/middle_pivot_sort.h"
#include "base/parallel.h"
#include "base/text.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace {

unsigned char upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Compares the upper-cased texts byte by byte as unsigned values.
int compareKeys(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = upper(static_cast<unsigned char>(a[i]));
        const unsigned char y = upper(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

namespace {

// The quicksort's result, reached on numbers instead of texts: each distinct genre text gets a
// number, and the sort compares the ranks of their keys, so it makes the same comparisons and
// the same swaps as on the texts themselves.
struct SortedGenres
{
    std::vector<std::string> list;
    std::vector<int> counts; // the statistics: records on the first entry of their text
};

// The distinct genre texts of some rows, numbered in the order they come, with their records.
struct Numbered
{
    std::unordered_map<std::string_view, std::uint32_t> idOf;
    std::vector<std::string_view> texts;
    std::vector<int> records;

    std::uint32_t number(std::string_view text, int count)
    {
        const auto [it, fresh] = idOf.try_emplace(text, static_cast<std::uint32_t>(texts.size()));
        if (fresh) {
            texts.push_back(text);
            records.push_back(0);
        }
        records[it->second] += count;
        return it->second;
    }
};

void numberRows(const RecordTable& table, int first, int last, Numbered& out, std::uint32_t* rowIds)
{
    for (int k = first; k <= last; ++k) {
        table.prefetch(k + 8);
        rowIds[k - first] = out.number(table.text(k, RecordTable::Field::genere), 1);
    }
}

// Below this many records one core numbers them all.
constexpr int kParallelRows = 200000;

SortedGenres sortGenres(const ArchiveModel& model)
{
    const int n = model.ArchiveCount;
    const RecordTable& table = model.ArchiveTable;
    std::vector<std::uint32_t> rowIds(static_cast<std::size_t>(n));
    Numbered all;
    if (n < kParallelRows) {
        numberRows(table, 1, n, all, rowIds.data());
    } else {
        // Each half numbers its own texts; the second half's numbers then follow the first's.
        const int half = n / 2;
        Numbered second;
        runBoth([&] { numberRows(table, 1, half, all, rowIds.data()); },
                [&] { numberRows(table, half + 1, n, second, rowIds.data() + half); });
        std::vector<std::uint32_t> renumber(second.texts.size());
        for (std::size_t id = 0; id < second.texts.size(); ++id)
            renumber[id] = all.number(second.texts[id], second.records[id]);
        for (std::size_t i = static_cast<std::size_t>(half); i < rowIds.size(); ++i)
            rowIds[i] = renumber[rowIds[i]];
    }
    const std::vector<std::string_view>& texts = all.texts;
    const std::vector<int>& records = all.records;
    std::vector<std::uint32_t> byKey(texts.size());
    for (std::uint32_t id = 0; id < byKey.size(); ++id)
        byKey[id] = id;
    std::sort(byKey.begin(), byKey.end(),
              [&](std::uint32_t a, std::uint32_t b) { return compareKeys(texts[a], texts[b]) < 0; });
    std::vector<std::uint32_t> rank(texts.size());
    bool ties = false;
    for (std::size_t i = 0, r = 0; i < byKey.size(); ++i) {
        if (i > 0) {
            if (compareKeys(texts[byKey[i - 1]], texts[byKey[i]]) != 0)
                ++r;
            else
                ties = true;
        }
        rank[byKey[i]] = static_cast<std::uint32_t>(r);
    }
    std::vector<std::uint32_t> sequence;
    if (!ties) {
        // Every key belongs to one text: sorted and without repeats, that is the texts in key order.
        sequence = std::move(byKey);
    } else {
        // Texts that differ only in case may be split apart: the whole sort decides where.
        std::vector<std::uint64_t> keyed(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < keyed.size(); ++i)
            keyed[i] = (static_cast<std::uint64_t>(rank[rowIds[i]]) << 32) | rowIds[i];
        middlePivotSort(keyed, 0, static_cast<long>(keyed.size()) - 1,
                        [](std::uint64_t a, std::uint64_t b) { return (a >> 32) < (b >> 32); });
        for (std::uint64_t e : keyed) {
            const auto id = static_cast<std::uint32_t>(e);
            if (sequence.empty() || sequence.back() != id)
                sequence.push_back(id);
        }
    }
    SortedGenres out;
    out.list.reserve(sequence.size());
    out.counts.reserve(sequence.size());
    std::vector<char> counted(texts.size(), 0);
    for (std::uint32_t id : sequence) {
        out.list.emplace_back(texts[id]);
        out.counts.push_back(counted[id] ? 0 : records[id]);
        counted[id] = 1;
    }
    return out;
}

} // namespace

void RefreshGenres(ArchiveModel& model)
{
    if (model.ArchiveCount <= 0)
        return;
    SortedGenres sorted = sortGenres(model);
    model.GenreCount = static_cast<int>(sorted.list.size());
    model.GenreList = std::move(sorted.list);
}

GenreView RefreshGenresWithStatistics(ArchiveModel& model)
{
    GenreView view;
    if (model.ArchiveCount <= 0)
        return view;
    SortedGenres sorted = sortGenres(model);
    model.GenreCount = static_cast<int>(sorted.list.size());
    model.GenreList = sorted.list;
    view.statistics.total = model.ArchiveCount;
    view.statistics.genres = std::move(sorted.list);
    view.statistics.counts = std::move(sorted.counts);
    view.choice = genreChoiceItems(model);
    return view;
}

Statistics RefreshStatistics(const ArchiveModel& model)
{
    Statistics s;
    if (model.ArchiveCount <= 0)
        return s;
    const auto genres = static_cast<std::size_t>(model.GenreCount);
    s.genres.assign(model.GenreList.begin(), model.GenreList.begin() + static_cast<std::ptrdiff_t>(genres));
    s.counts.assign(genres, 0);
    std::unordered_map<std::string_view, std::size_t> first;
    for (std::size_t g = 0; g < genres; ++g)
        first.emplace(s.genres[g], g); // keeps the first of repeated texts
    for (int i = 1; i <= model.ArchiveCount; ++i)
        if (const auto it = first.find(model.ArchiveTable.text(i, RecordTable::Field::genere)); it != first.end())
            ++s.counts[it->second];
    s.total = model.ArchiveCount;
    return s;
}

std::vector<std::string> genreChoiceItems(const ArchiveModel& model)
{
    std::vector<std::string> items(model.GenreList.begin(),
                                   model.GenreList.begin() + std::min<std::ptrdiff_t>(model.GenreCount,
                                                                                      static_cast<std::ptrdiff_t>(model.GenreList.size())));
    items.push_back(" Tutti");
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        return text::lowerAscii(a) < text::lowerAscii(b);
    });
    return items;
}
