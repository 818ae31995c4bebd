#pragma once

#include <string>
#include <string_view>
#include <vector>

// The FilmUP search: from a media file name to the search text, the request URL, and the
// results page read into ResultTable.
namespace lookup {

struct SearchResult
{
    std::string title;
    std::string link;
};

// The results of the last search; rows beyond count are an earlier search's, never read.
struct ResultTable
{
    std::vector<SearchResult> rows;
    int count = 0;
};

// Markup removed: tags (an unclosed "<" drops the rest), the first "&nbsp;" deleted with only
// 1000 characters kept after it, the whole trimmed.
std::string StripTags(std::string_view text);

// The search text of a media file name: extension off, ASCII upper case, cut before "- CD".
std::string SearchTextFromFileName(std::string_view fileName);

// The search request: words from the search text, "&m=any" when anyWord, perPage trimmed.
std::string SearchUrl(std::string_view baseUrl, std::string_view searchText, bool anyWord, std::string_view perPage);

// Fills the table from a results page: the links that begin with baseUrl and "/sc_".
void ParseResultsPage(std::string_view page, std::string_view baseUrl, ResultTable& table);

} // namespace lookup
