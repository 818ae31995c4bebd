#pragma once

#include "source.h"

#include "base/regional.h"

#include <string>
#include <string_view>
#include <vector>

// The answers of TMDb's API (version 3): pure functions from the bytes to the lookup's data.
namespace lookup::tmdb {

// A search answer: results[] with title, release_date and id, in the order given. A result
// without a whole-number id is left out; one without a title shows "???".
std::vector<Result> ReadResults(std::string_view bytes);

// A film answer (with credits and release dates appended). pictureBase is the address the poster
// path is appended to, after the size ("w185", "w500"). An answer that is no JSON object gives
// Film::data nullopt.
Film ReadFilm(std::string_view bytes, const RegionalSettings& rs, const std::string& pictureBase);

} // namespace lookup::tmdb
