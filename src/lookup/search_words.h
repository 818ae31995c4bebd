#pragma once

#include <string>
#include <string_view>

// The search text of the JSON sources: its year taken out, its words sent as UTF-8.
namespace lookup {

struct SearchWords
{
    std::string words;
    int year = 0; // 0: none
};

// A four-digit year from 1880 to nextYear, in brackets anywhere or last in the text, is taken
// out; "." and "_" between words become blanks (as the FilmUP search reads them); the rest is
// trimmed. A text that would be left without words keeps its number as a word.
SearchWords SplitSearchText(std::string_view text, int nextYear);

// The year after this one, by the system clock.
int NextYear();

// Every byte but the unreserved ones (letters, digits, "-._~") as %XX.
std::string PercentEncode(std::string_view bytes);
// Windows-1252 text as UTF-8, every byte but the unreserved ones (letters, digits, "-._~") as %XX.
std::string PercentEncodeUtf8(std::string_view text);

// "Title (1997)", or the title alone without a year.
std::string ChooserLine(const std::string& title, int year);

} // namespace lookup
