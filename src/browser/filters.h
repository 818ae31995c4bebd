#pragma once

#include "archive/archive_model.h"
#include "search_index.h"

#include "base/regional.h"

#include <optional>
#include <string>

// The texts of the filter fields, as the user left them.
struct FilterTexts
{
    std::string title, genre, actors, director, arrival, position;
    // The day the date picker wrote as arrival; it holds whatever order the regional date
    // format reads, so the picked day is the criterion.
    std::optional<double> pickedArrival;
};

// The active criteria of one filter pass.
class FilterCriteria
{
public:
    // Throws ConversionError when the arrival text is not a date.
    static FilterCriteria read(const FilterTexts& texts, const RegionalSettings& rs);

    bool matches(const dfilm& record) const;
    // The same test on row k of a table, reading only the fields it needs.
    bool matches(const RecordTable& table, int k) const;
    // The same test on row k of an index that is up to date.
    bool matches(const SearchIndex& index, int k) const;
    bool any() const { return m_title || m_genre || m_actors || m_director || m_arrival || m_position; }

private:
    // Texts folded for searching (case and accents), searched in the folded record fields.
    std::optional<std::string> m_title, m_actors, m_director, m_position;
    // Compared exactly.
    std::optional<std::string> m_genre;
    std::optional<double> m_arrival;
    mutable std::string m_joined; // reused for the joined actors

    template <typename Text, typename Arrival>
    bool test(const Text& text, const Arrival& arrival) const;
};

class IndexKeeper;

// Rebuilds ViewTable with the archive records that meet every active criterion, in archive order.
// With an index (kept by the caller between passes, brought up to date here) large archives
// filter much faster.
void ApplyFilters(ArchiveModel& model, const FilterCriteria& criteria, SearchIndex* index = nullptr);
// The same with the keeper's index when it is ready, else on the records themselves.
void ApplyFilters(ArchiveModel& model, const FilterCriteria& criteria, IndexKeeper& keeper);

// Byte-wise substring test with the haystack folded for searching; the needle is folded already.
bool containsFolded(std::string_view haystack, std::string_view foldedNeedle);
