#pragma once

#include "regional.h"

#include <string>
#include <string_view>

// Date-times are OLE Automation dates: whole days since 30 December 1899, the fraction being
// the time of day.
namespace dates {

struct Civil
{
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, msec = 0;
};

double encode(const Civil& c);
// The dates every reader of the program's files accepts: 1 January 0001 to the last moment of
// 31 December 9999. Anything outside is written as the nearer end.
double firstDate();
double lastDate();
double clampToRange(double dateTime);
Civil decode(double dateTime);
bool isValidDate(int year, int month, int day);

// Formats with the classic tokens; '/' and ':' print the settings' separators.
std::string format(std::string_view pattern, double dateTime, const RegionalSettings& rs);
std::string formatShortDate(double dateTime, const RegionalSettings& rs);
// The short date, then a blank and the long time unless the time is exactly midnight.
std::string formatDateTime(double dateTime, const RegionalSettings& rs);
// "dd/mm/yyyy" with the settings' date separator.
std::string formatDdMmYyyy(double dateTime, const RegionalSettings& rs);

// The clock that gives "this year" to a date read without one: the system's, unless a test moves
// it (nullptr puts the system's back). Seconds since 1970.
using Clock = long long (*)();
void setClock(Clock clock);

// Reads a date in the order of the short date format; the result is at midnight.
// currentYear fills a missing year and anchors two-digit years (0 = this year).
// Throws ConversionError "'%s' is not a valid date".
double parseShortDate(std::string_view text, const RegionalSettings& rs, int currentYear = 0);

} // namespace dates
