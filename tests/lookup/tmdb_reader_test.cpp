// TMDb's answers as the tests write them: a whole film, then the same with one member missing,
// null, of another type or empty.
#include "lookup/tmdb_reader.h"

#include "base/cp1252.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace {

using nlohmann::json;

const std::string kPictures = "https://img.test/t/p";

json wholeFilm()
{
    return {
        {"id", 42},
        {"title", "La vita \u00e8 bella"},
        {"original_title", "La vita \u00e8 bella"},
        {"genres", {{{"id", 35}, {"name", "Commedia"}}, {{"id", 18}, {"name", "Dramma"}}}},
        {"production_countries", {{{"iso_3166_1", "IT"}, {"name", "Italy"}}, {{"iso_3166_1", "US"}}}},
        {"release_date", "1997-12-20"},
        {"runtime", 116},
        {"overview", "Guido arriva ad Arezzo."},
        {"poster_path", "/abc123.jpg"},
        {"credits",
         {{"cast",
           {{{"name", "Nicoletta Braschi"}, {"order", 1}},
            {{"name", "Roberto Benigni"}, {"order", 0}},
            {{"name", "Giorgio Cantarini"}, {"order", 2}},
            {{"name", "Giustino Durano"}, {"order", 3}},
            {{"name", "Sergio Bini Bustric"}, {"order", 4}}}},
          {"crew",
           {{{"name", "Roberto Benigni"}, {"job", "Director"}},
            {{"name", "Vincenzo Cerami"}, {"job", "Screenplay"}}}}}},
        {"release_dates",
         {{"results",
           {{{"iso_3166_1", "US"},
             {"release_dates", {{{"release_date", "1998-10-23T00:00:00.000Z"}, {"type", 3}}}}},
            {{"iso_3166_1", "IT"},
             {"release_dates",
              {{{"release_date", "1997-12-18T00:00:00.000Z"}, {"type", 1}},
               {{"release_date", "1997-12-20T00:00:00.000Z"}, {"type", 3}}}}}}}}},
    };
}

lookup::Film read(const json& j)
{
    return lookup::tmdb::ReadFilm(j.dump(), RegionalSettings::italian(), kPictures);
}

} // namespace

TEST(TmdbReader, WholeFilmFillsEveryField)
{
    const lookup::Film f = read(wholeFilm());
    ASSERT_TRUE(f.data);
    const lookup::FilmData& d = *f.data;
    EXPECT_EQ(d.titolo, "La vita \xE8 bella");
    EXPECT_EQ(d.titoloOriginale, "La vita \xE8 bella");
    EXPECT_EQ(d.genres, (std::vector<std::string>{"COMMEDIA", "DRAMMA"}));
    EXPECT_EQ(d.genere, "COMMEDIA");
    EXPECT_EQ(d.nazione, "Italia/Stati Uniti");
    EXPECT_EQ(d.anno, "1997");
    EXPECT_EQ(d.durata, "116'");
    EXPECT_EQ(d.dataUscita, "20/12/1997");
    EXPECT_EQ(d.actors, (std::vector<std::string>{"Roberto Benigni", "Nicoletta Braschi", "Giorgio Cantarini",
                                                  "Giustino Durano", "Sergio Bini Bustric"}));
    EXPECT_EQ(d.attori1, "Roberto Benigni - Nicoletta Braschi");
    EXPECT_EQ(d.attori2, "Giorgio Cantarini - Giustino Durano");
    EXPECT_EQ(d.regia, "Roberto Benigni");
    EXPECT_EQ(d.trama, "Guido arriva ad Arezzo.");
    ASSERT_TRUE(f.pictures);
    EXPECT_EQ(f.pictures->poster, kPictures + "/w185/abc123.jpg");
    EXPECT_EQ(f.pictures->cover, kPictures + "/w500/abc123.jpg");
    EXPECT_EQ(f.bytes, wholeFilm().dump().size());
}

TEST(TmdbReader, ReleaseDateFollowsTheRegionalSettings)
{
    RegionalSettings us;
    us.shortDateFormat = "mm/dd/yyyy";
    us.dateSeparator = '-';
    const lookup::Film f = lookup::tmdb::ReadFilm(wholeFilm().dump(), us, kPictures);
    ASSERT_TRUE(f.data);
    EXPECT_EQ(f.data->dataUscita, "12-20-1997");
}

TEST(TmdbReader, MissingNullAndMistypedMembersGiveTheMissingValueOrAnEmptyField)
{
    const struct
    {
        const char* name;
        std::function<void(json&)> change;
        std::function<void(const lookup::Film&)> check;
    } cases[] = {
        {"no title", [](json& j) { j.erase("title"); },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "???"); }},
        {"null title", [](json& j) { j["title"] = nullptr; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "???"); }},
        {"numeric title", [](json& j) { j["title"] = 7; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "???"); }},
        {"title of blanks and a tab", [](json& j) { j["title"] = " \t "; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "???"); }},
        {"title with a line feed", [](json& j) { j["title"] = "Uno\nDue"; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "Uno Due"); }},
        {"title beyond Windows-1252", [](json& j) { j["title"] = "\u6ce2\u5c14\u5361 \u20ac \u0152uvre"; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->titolo, "??? \x80 \x8Cuvre"); }},
        {"genres an object", [](json& j) { j["genres"] = json::object(); },
         [](const lookup::Film& f) {
             EXPECT_TRUE(f.data->genres.empty());
             EXPECT_EQ(f.data->genere, "");
         }},
        {"genre names of other types",
         [](json& j) {
             j["genres"] = {{{"name", 3}}, "x", nullptr, {{"name", "Azione"}}};
         },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->genres, std::vector<std::string>{"AZIONE"}); }},
        {"no countries", [](json& j) { j["production_countries"] = json::array(); },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->nazione, "???"); }},
        {"unknown and odd country codes",
         [](json& j) {
             j["production_countries"] = {
                 {{"iso_3166_1", "ZZ"}}, {{"iso_3166_1", "FRA"}}, {{"iso_3166_1", "fr"}}};
         },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->nazione, "Francia"); }},
        {"release date not a date",
         [](json& j) {
             j["release_date"] = "presto";
             j.erase("release_dates");
         },
         [](const lookup::Film& f) {
             EXPECT_EQ(f.data->anno, "???");
             EXPECT_EQ(f.data->dataUscita, "???");
         }},
        {"impossible release date",
         [](json& j) {
             j["release_date"] = "1997-02-30";
             j.erase("release_dates");
         },
         [](const lookup::Film& f) {
             EXPECT_EQ(f.data->anno, "1997");
             EXPECT_EQ(f.data->dataUscita, "???");
         }},
        {"no Italian theatrical release: the earliest Italian one",
         [](json& j) { j["release_dates"]["results"][1]["release_dates"][1]["type"] = 4; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->dataUscita, "18/12/1997"); }},
        {"no Italian release: the film's date", [](json& j) { j["release_dates"]["results"].erase(1); },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->dataUscita, "20/12/1997"); }},
        {"release dates a string", [](json& j) { j["release_dates"] = "x"; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->dataUscita, "20/12/1997"); }},
        {"runtime a string", [](json& j) { j["runtime"] = "116"; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->durata, "???"); }},
        {"runtime zero", [](json& j) { j["runtime"] = 0; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->durata, "???"); }},
        {"runtime a whole float", [](json& j) { j["runtime"] = 116.0; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->durata, "116'"); }},
        {"no credits", [](json& j) { j.erase("credits"); },
         [](const lookup::Film& f) {
             EXPECT_TRUE(f.data->actors.empty());
             EXPECT_EQ(f.data->attori1, " - ");
             EXPECT_EQ(f.data->attori2, " - ");
             EXPECT_EQ(f.data->regia, "???");
         }},
        {"cast without order, one nameless",
         [](json& j) {
             j["credits"]["cast"] = {{{"name", "B"}}, {{"name", nullptr}}, {{"name", "A"}, {"order", 0}}};
         },
         [](const lookup::Film& f) {
             EXPECT_EQ(f.data->actors, (std::vector<std::string>{"A", "B"}));
             EXPECT_EQ(f.data->attori1, "A - B");
             EXPECT_EQ(f.data->attori2, " - ");
         }},
        {"two directors",
         [](json& j) {
             j["credits"]["crew"] = {{{"name", "Uno"}, {"job", "Director"}},
                                     {{"name", "Due"}, {"job", "Director"}},
                                     {{"name", "Tre"}, {"job", 5}}};
         },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->regia, "Uno, Due"); }},
        {"empty overview", [](json& j) { j["overview"] = ""; },
         [](const lookup::Film& f) { EXPECT_EQ(f.data->trama, "???"); }},
        {"no poster", [](json& j) { j["poster_path"] = nullptr; },
         [](const lookup::Film& f) { EXPECT_FALSE(f.pictures); }},
        {"poster path leaving the folder", [](json& j) { j["poster_path"] = "/../x.jpg"; },
         [](const lookup::Film& f) { EXPECT_FALSE(f.pictures); }},
        {"poster path with a query", [](json& j) { j["poster_path"] = "/x.jpg?y=1"; },
         [](const lookup::Film& f) { EXPECT_FALSE(f.pictures); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        json j = wholeFilm();
        c.change(j);
        const lookup::Film f = read(j);
        ASSERT_TRUE(f.data);
        c.check(f);
    }
}

TEST(TmdbReader, TwoHundredActorsAllArriveInOrder)
{
    json j = wholeFilm();
    j["credits"]["cast"] = json::array();
    for (int i = 199; i >= 0; --i)
        j["credits"]["cast"].push_back({{"name", "Attore " + std::to_string(i)}, {"order", i}});
    const lookup::Film f = read(j);
    ASSERT_TRUE(f.data);
    ASSERT_EQ(f.data->actors.size(), 200u);
    EXPECT_EQ(f.data->actors.front(), "Attore 0");
    EXPECT_EQ(f.data->actors.back(), "Attore 199");
    EXPECT_EQ(f.data->attori2, "Attore 2 - Attore 3");
}

TEST(TmdbReader, AnswersThatAreNoFilmGiveNoData)
{
    for (const std::string& bytes :
         std::vector<std::string>{"", "[]", "null", "\"film\"", "{\"title\": \"x\"", "<html>", "{\"a\":1}{",
                                  std::string(5u << 20, ' ') + "{}"}) {
        SCOPED_TRACE(bytes.substr(0, 20));
        const lookup::Film f = lookup::tmdb::ReadFilm(bytes, RegionalSettings::italian(), kPictures);
        EXPECT_FALSE(f.data);
        EXPECT_FALSE(f.pictures);
    }
    // An object without any known member is a film with nothing known.
    const lookup::Film empty = lookup::tmdb::ReadFilm("{}", RegionalSettings::italian(), kPictures);
    ASSERT_TRUE(empty.data);
    EXPECT_EQ(empty.data->titolo, "???");
}

TEST(TmdbReader, NestingFarTooDeepIsRefusedBeforeItIsBuilt)
{
    const std::string deep = "{\"title\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
    EXPECT_FALSE(lookup::tmdb::ReadFilm(deep, RegionalSettings::italian(), kPictures).data);
    // Brackets inside strings are text.
    const std::string text = "{\"title\":\"" + std::string(1000, '[') + "\"}";
    EXPECT_TRUE(lookup::tmdb::ReadFilm(text, RegionalSettings::italian(), kPictures).data);
}

TEST(TmdbReader, ResultsKeepTheirOrderWithTheYearInBrackets)
{
    const json answer = {
        {"page", 1},
        {"results",
         {{{"id", 42}, {"title", "La vita \u00e8 bella"}, {"release_date", "1997-12-20"}},
          {{"id", 7}, {"title", "La vita \u00e8 bella"}, {"release_date", ""}},
          {{"id", "8"}, {"title", "id di testo"}},
          {{"title", "senza id"}},
          {{"id", 9}, {"title", nullptr}, {"release_date", 1943}},
          {{"id", 10.0}, {"title", "\u30e9\u30a4\u30d5"}, {"release_date", "2001-01-01"}}}},
    };
    const auto results = lookup::tmdb::ReadResults(answer.dump());
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[0].title, "La vita \xE8 bella (1997)");
    EXPECT_EQ(results[0].key, "42");
    EXPECT_EQ(results[1].title, "La vita \xE8 bella");
    EXPECT_EQ(results[1].key, "7");
    EXPECT_EQ(results[2].title, "???");
    EXPECT_EQ(results[3].title, "??? (2001)");
    EXPECT_EQ(results[3].key, "10");
    for (const std::string& bytes :
         std::vector<std::string>{"", "{}", "{\"results\": {}}", "{\"results\": null}", "[1,2]"})
        EXPECT_TRUE(lookup::tmdb::ReadResults(bytes).empty()) << bytes;
}
