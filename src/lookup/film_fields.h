#pragma once

#include "source.h"

#include "base/regional.h"

#include <string>
#include <string_view>
#include <vector>

// What the JSON sources share when they fill a film's fields.
namespace lookup {

// The Italian name of an ISO 3166-1 alpha-2 country code, from ICU's display names; "" for a
// code ICU does not know.
std::string ItalianCountryName(std::string_view code);

// The date an ISO text opens with ("1997-12-20", a time may follow); all zero when it opens with
// none. Month and day are not checked.
struct CalendarDay
{
    int year = 0, month = 0, day = 0;
};
CalendarDay ReadIsoDate(std::string_view text);

// A calendar date as the archive writes dates (the regional short date); "" when it is no date.
std::string DateText(int year, int month, int day, const RegionalSettings& rs);

// Names joined by a separator, the empty ones left out.
std::string JoinNames(const std::vector<std::string>& names, std::string_view separator);

// The last touch, as a FilmUP page gives it: "???" for every text field left empty (but the
// genre and the actor fields), the genre the first of the genre list, the actor fields the first
// four actors two by two ("A - B", "C - D").
void FinishFilm(FilmData& film);

} // namespace lookup
