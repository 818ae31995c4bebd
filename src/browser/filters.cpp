#include "filters.h"

#include "base/dates.h"
#include "base/text.h"

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::optional<std::string> folded(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    return text::upperAscii(text);
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
        if (upper(hay[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < needle.size() && upper(hay[i + k]) == needle[k])
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
        c.m_arrival = dates::parseShortDate(t.arrival, rs);
    c.m_position = folded(t.position);
    return c;
}

bool FilterCriteria::matches(const dfilm& r) const
{
    if (m_title && !containsFolded(r.titolo, *m_title))
        return false;
    if (m_genre && r.genere != *m_genre)
        return false;
    if (m_actors) {
        m_joined.assign(r.attore1);
        m_joined += ' ';
        m_joined += r.attore2;
        if (!containsFolded(m_joined, *m_actors))
            return false;
    }
    if (m_director && !containsFolded(r.regia, *m_director))
        return false;
    if (m_arrival && !(r.dataa >= *m_arrival))
        return false;
    if (m_position && !containsFolded(r.posizione, *m_position))
        return false;
    return true;
}

void ApplyFilters(ArchiveModel& model, const FilterCriteria& criteria)
{
    int write = 0;
    for (int k = 1; k <= model.ArchiveCount; ++k)
        if (criteria.matches(model.ArchiveTable.row(k)))
            model.ViewTable.copyRow(++write, model.ArchiveTable, k);
    model.ViewCount = write;
}
