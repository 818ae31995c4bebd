#pragma once

#include <string>
#include <utility>
#include <vector>

// Pages of the FilmUP site's shape, written for the tests.
namespace filmuppages {

// A results page: each film (slug, title) an anchor to "<base>/sc_<slug>.htm" whose text opens
// with "FilmUP - Scheda:", among links the search must pass over.
std::string resultsPage(const std::string& base, const std::vector<std::pair<std::string, std::string>>& films);

// A film page with every label, its lines ended by lineEnd; with a poster reference
// ("locand/<name>") when one is given.
std::string filmPage(const std::string& title, const std::string& lineEnd = "\n", const std::string& posterRef = "");

} // namespace filmuppages
