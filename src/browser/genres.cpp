#include "genres.h"

#include "base/middle_pivot_sort.h"
#include "base/text.h"

#include <algorithm>
#include <unordered_map>

namespace {

unsigned char upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Compares the upper-cased texts byte by byte as unsigned values.
int compareKeys(const std::string& a, const std::string& b)
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

void RefreshGenres(ArchiveModel& model)
{
    if (model.ArchiveCount <= 0)
        return;
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(model.ArchiveCount));
    for (int i = 1; i <= model.ArchiveCount; ++i)
        entries.push_back(model.ArchiveTable.row(i).genere);
    middlePivotSort(entries, 0, static_cast<long>(entries.size()) - 1,
                    [](const std::string& a, const std::string& b) { return compareKeys(a, b) < 0; });
    std::size_t j = 0;
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i] != entries[j])
            entries[++j] = entries[i];
    entries.resize(j + 1);
    model.GenreCount = static_cast<int>(entries.size());
    model.GenreList = std::move(entries);
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
        if (const auto it = first.find(model.ArchiveTable.row(i).genere); it != first.end())
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
