#pragma once

#include "source.h"

#include "base/regional.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The answers of Wikidata's and Wikipedia's action APIs: pure functions from the bytes to the
// lookup's data.
namespace lookup::wikidata {

// Items that count as films: instance of (P31) one of these.
extern const std::vector<std::string> kFilmKinds;

// wbsearchentities: the item ids of search[], in order ("Q" and digits only).
std::vector<std::string> ReadSearchIds(std::string_view bytes);

// wbgetentities of the search's items: the films among them, in the order of ids, each as
// "Italian label (year)".
std::vector<Result> ReadCandidates(std::string_view bytes, const std::vector<std::string>& ids);

// One film item as wbgetentities gives it.
struct Item
{
    bool found = false;
    std::string label, originalTitle;
    // The release date: the one published in Italy first; precision 11 is a day.
    int year = 0, month = 0, day = 0, precision = 0;
    long long minutes = 0;
    std::string posterFile;
    std::string article; // the Italian Wikipedia article's title, UTF-8 as given
    std::vector<std::string> directors, cast, genres, countries; // item ids, in order
};
Item ReadItem(std::string_view bytes, const std::string& id);

// The ids whose labels the film needs, at most limit of them (the cast is cut first).
std::vector<std::string> LabelIds(const Item& item, std::size_t limit);

// wbgetentities with labels only: id to Italian label (English when there is none).
std::map<std::string, std::string> ReadLabels(std::string_view bytes);

// A query of extracts: the "Trama" section as one paragraph of plain text, else the introduction;
// "" without an article.
std::string ReadPlot(std::string_view bytes);

// The film from its item, the labels of the items it names and its plot; poster and cover from
// Commons' Special:FilePath at widths 185 and 500.
Film MakeFilm(const Item& item, const std::map<std::string, std::string>& labels, const std::string& plot,
              const RegionalSettings& rs, const std::string& commonsBase);

} // namespace lookup::wikidata
