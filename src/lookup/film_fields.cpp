#include "film_fields.h"

#include "base/cp1252.h"
#include "base/dates.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cctype>

namespace lookup {

std::string ItalianCountryName(std::string_view code)
{
    if (code.size() != 2 || !std::isalpha(static_cast<unsigned char>(code[0])) ||
        !std::isalpha(static_cast<unsigned char>(code[1])))
        return {};
    std::string upper(code);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Only the codes of countries: ICU has names for regions such as "ZZ" (unknown) too.
    bool known = false;
    for (const char* const* c = icu::Locale::getISOCountries(); *c && !known; ++c)
        known = upper == *c;
    if (!known)
        return {};
    const icu::Locale country("", upper.c_str());
    icu::UnicodeString name;
    country.getDisplayCountry(icu::Locale::getItalian(), name);
    std::string utf8;
    name.toUTF8String(utf8);
    // ICU gives the code back for a country it has no name for.
    if (utf8.empty() || utf8 == upper)
        return {};
    return cp1252::fromUtf8(utf8);
}

CalendarDay ReadIsoDate(std::string_view s)
{
    if (s.size() < 10 || s[4] != '-' || s[7] != '-')
        return {};
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (s[i] < '0' || s[i] > '9')
            return {};
    const auto number = [&](std::size_t from, std::size_t n) {
        int v = 0;
        for (std::size_t i = from; i < from + n; ++i)
            v = v * 10 + (s[i] - '0');
        return v;
    };
    return {number(0, 4), number(5, 2), number(8, 2)};
}

std::string DateText(int year, int month, int day, const RegionalSettings& rs)
{
    if (!dates::isValidDate(year, month, day))
        return {};
    return dates::formatShortDate(dates::encode({year, month, day}), rs);
}

std::string JoinNames(const std::vector<std::string>& names, std::string_view separator)
{
    std::string out;
    for (const std::string& n : names) {
        if (n.empty())
            continue;
        if (!out.empty())
            out += separator;
        out += n;
    }
    return out;
}

void FinishFilm(FilmData& film)
{
    for (std::string* field : {&film.titolo, &film.titoloOriginale, &film.nazione, &film.anno, &film.durata,
                               &film.dataUscita, &film.regia, &film.trama})
        if (field->empty())
            *field = std::string(kMissingValue);
    film.genere = film.genres.empty() ? std::string() : film.genres.front();
    const auto actor = [&](std::size_t i) { return i < film.actors.size() ? film.actors[i] : std::string(); };
    film.attori1 = actor(0) + " - " + actor(1);
    film.attori2 = actor(2) + " - " + actor(3);
}

} // namespace lookup
