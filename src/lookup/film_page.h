#pragma once

#include <string>
#include <string_view>
#include <vector>

// The data of a FilmUP film page: the block after a fixed marker, read line by line, and the
// values that follow its field labels.
namespace lookup {

// The text that opens the data block.
extern const std::string_view kDataBlockMarker;
// What a missing label gives.
inline constexpr std::string_view kMissingValue = "???";

// Slots 1 to 70 (index 0 unused); an extraction fills 1 to 68. ("slots" would clash with Qt's
// keyword in the windows that include this.)
struct PageLineTable
{
    std::vector<std::string> line = std::vector<std::string>(71);
    int count = 0;
};

// Actor or genre names, from index 0; the vector grows past 30 and 5 names.
struct NameTable
{
    std::vector<std::string> names;
    int count = 0;
};

// What the lookup window's fields and lists receive.
struct FilmPageData
{
    std::string titolo, titoloOriginale, genere, nazione, anno, durata, dataUscita;
    std::string attori1, attori2, regia, trama;
    std::vector<std::string> genres;
    std::vector<std::string> actors;
};

std::string LabelValue(const PageLineTable& lines, std::string_view label);
void SplitActors(std::string_view list, NameTable& actors);
void SplitGenres(std::string_view list, NameTable& genres);

// Steps after the picture references: carriage returns out, the block found, the slots filled,
// the values read. False when the page has no data block; the tables are then untouched.
bool ExtractFilmPage(std::string_view page, PageLineTable& lines, NameTable& actors, NameTable& genres,
                     FilmPageData& data);

} // namespace lookup
