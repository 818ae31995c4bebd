#pragma once

#include "archive/archive_model.h"

#include <string>
#include <vector>

// GenreList from the archive: sorted by the upper-cased genre (an unstable quicksort, so texts
// that differ only in case may end up apart), then repeated neighbours removed.
// Does nothing on an empty archive.
void RefreshGenres(ArchiveModel& model);

struct Statistics
{
    int total = 0;
    std::vector<std::string> genres; // GenreList order
    std::vector<int> counts;
};

// Each record counts on the first GenreList entry equal to its genre; a counter for every genre.
Statistics RefreshStatistics(const ArchiveModel& model);

// The genre choice's items: " Tutti" first, then the genres sorted ignoring case.
std::vector<std::string> genreChoiceItems(const ArchiveModel& model);

struct GenreView
{
    Statistics statistics;
    std::vector<std::string> choice;
};

// RefreshGenres, then the statistics and the genre choice's items, from one pass over the
// archive. Does nothing on an empty archive.
GenreView RefreshGenresWithStatistics(ArchiveModel& model);
