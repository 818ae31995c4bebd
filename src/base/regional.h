#pragma once

#include <string>

// The regional settings that dates and numbers in text files follow. Formats use the
// classic tokens (d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss, ampm); '/' and ':' inside a
// format stand for the date and time separators.
struct RegionalSettings
{
    std::string shortDateFormat = "dd/mm/yyyy";
    char dateSeparator = '/';
    std::string longTimeFormat = "hh:nn:ss";
    char timeSeparator = ':';
    char decimalSeparator = ',';
    char thousandSeparator = '.';

    // The conventions used where the system gives none (the C locale).
    static RegionalSettings italian() { return {}; }
};
