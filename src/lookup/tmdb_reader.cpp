#include "tmdb_reader.h"

#include "film_fields.h"
#include "json_reading.h"
#include "search_words.h"

#include "base/text.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <tuple>

namespace lookup::tmdb {

namespace {

using json::Value;

using Ymd = CalendarDay;

Ymd readDate(const std::string& s)
{
    return ReadIsoDate(s);
}

std::string yearText(const Ymd& d)
{
    return d.year > 0 ? std::to_string(d.year) : std::string();
}

// The Italian theatrical release, else the earliest Italian one, else the film's own date.
Ymd releaseDate(const Value& film)
{
    const Value* countries = json::array(json::member(json::member(&film, "release_dates"), "results"));
    if (countries) {
        for (const Value& country : *countries) {
            if (json::text(json::member(&country, "iso_3166_1")) != "IT")
                continue;
            const Value* dates = json::array(json::member(&country, "release_dates"));
            if (!dates)
                continue;
            Ymd theatrical, earliest;
            for (const Value& r : *dates) {
                const Ymd d = readDate(json::text(json::member(&r, "release_date")));
                if (d.year == 0)
                    continue;
                if (json::integer(json::member(&r, "type")) == 3 && theatrical.year == 0)
                    theatrical = d;
                if (earliest.year == 0 ||
                    std::tie(d.year, d.month, d.day) < std::tie(earliest.year, earliest.month, earliest.day))
                    earliest = d;
            }
            if (theatrical.year)
                return theatrical;
            if (earliest.year)
                return earliest;
        }
    }
    return readDate(json::text(json::member(&film, "release_date")));
}

// A poster path goes into an address: only the characters of a plain file path.
bool plainPath(const std::string& p)
{
    if (p.size() < 2 || p[0] != '/' || p.find("..") != std::string::npos)
        return false;
    return std::all_of(p.begin(), p.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
               c == '.' || c == '_' || c == '-';
    });
}

} // namespace

std::vector<Result> ReadResults(std::string_view bytes)
{
    std::vector<Result> out;
    const Value doc = json::parse(bytes);
    const Value* results = json::array(json::member(&doc, "results"));
    if (!results)
        return out;
    for (const Value& r : *results) {
        const auto id = json::integer(json::member(&r, "id"));
        if (!id || *id <= 0)
            continue;
        std::string title = json::text(json::member(&r, "title"));
        if (title.empty())
            title = std::string(kMissingValue);
        const Ymd d = readDate(json::text(json::member(&r, "release_date")));
        out.push_back({ChooserLine(title, d.year), std::to_string(*id)});
    }
    return out;
}

Film ReadFilm(std::string_view bytes, const RegionalSettings& rs, const std::string& pictureBase)
{
    Film film;
    film.bytes = bytes.size();
    const Value doc = json::parse(bytes);
    if (!doc.is_object())
        return film;
    FilmData d;
    d.titolo = json::text(json::member(&doc, "title"));
    d.titoloOriginale = json::text(json::member(&doc, "original_title"));
    if (const Value* genres = json::array(json::member(&doc, "genres")))
        for (const Value& g : *genres)
            if (std::string name = text::upperAscii(json::text(json::member(&g, "name"))); !name.empty())
                d.genres.push_back(std::move(name));
    std::vector<std::string> countries;
    if (const Value* list = json::array(json::member(&doc, "production_countries")))
        for (const Value& c : *list)
            countries.push_back(ItalianCountryName(json::text(json::member(&c, "iso_3166_1"))));
    d.nazione = JoinNames(countries, "/");
    d.anno = yearText(readDate(json::text(json::member(&doc, "release_date"))));
    if (const auto minutes = json::integer(json::member(&doc, "runtime"));
        minutes && *minutes > 0 && *minutes < 100000)
        d.durata = std::to_string(*minutes) + "'";
    const Ymd release = releaseDate(doc);
    d.dataUscita = DateText(release.year, release.month, release.day, rs);

    const Value* credits = json::member(&doc, "credits");
    if (const Value* cast = json::array(json::member(credits, "cast"))) {
        // By billing order; members without one keep their place after the others.
        std::vector<std::pair<long long, std::string>> billed;
        for (const Value& a : *cast) {
            std::string name = json::text(json::member(&a, "name"));
            if (name.empty())
                continue;
            billed.emplace_back(json::integer(json::member(&a, "order")).value_or(LLONG_MAX),
                                std::move(name));
        }
        std::stable_sort(billed.begin(), billed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [order, name] : billed)
            d.actors.push_back(std::move(name));
    }
    std::vector<std::string> directors;
    if (const Value* crew = json::array(json::member(credits, "crew")))
        for (const Value& c : *crew)
            if (json::member(&c, "job") && json::member(&c, "job")->is_string() &&
                json::member(&c, "job")->get_ref<const std::string&>() == "Director")
                directors.push_back(json::text(json::member(&c, "name")));
    d.regia = JoinNames(directors, ", ");
    d.trama = json::text(json::member(&doc, "overview"));
    FinishFilm(d);
    film.data = std::move(d);

    const std::string poster = json::text(json::member(&doc, "poster_path"));
    if (plainPath(poster))
        film.pictures = PictureAddresses{pictureBase + "/w185" + poster, pictureBase + "/w500" + poster};
    return film;
}

} // namespace lookup::tmdb
