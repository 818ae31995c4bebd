// Wikidata's and Wikipedia's answers as the tests write them.
#include "lookup/wikidata_reader.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace {

using nlohmann::json;
namespace wd = lookup::wikidata;

const std::string kCommons = "https://commons.test";

json itemValue(const std::string& id)
{
    return {{"entity-type", "item"}, {"id", id}};
}

json statement(const json& value, const json& qualifiers = nullptr, const char* rank = "normal")
{
    json s = {{"mainsnak", {{"snaktype", "value"}, {"datavalue", {{"value", value}}}}}, {"rank", rank}};
    if (!qualifiers.is_null())
        s["qualifiers"] = qualifiers;
    return s;
}

json items(const std::vector<std::string>& ids)
{
    json out = json::array();
    for (const auto& id : ids)
        out.push_back(statement(itemValue(id)));
    return out;
}

json time(const std::string& t, int precision = 11)
{
    return {
        {"time", t}, {"precision", precision}, {"calendarmodel", "http://www.wikidata.org/entity/Q1985727"}};
}

json filmItem()
{
    return {
        {"id", "Q220910"},
        {"labels",
         {{"it", {{"language", "it"}, {"value", "La vita \u00e8 bella"}}},
          {"en", {{"language", "en"}, {"value", "Life Is Beautiful"}}}}},
        {"sitelinks", {{"itwiki", {{"site", "itwiki"}, {"title", "La vita \u00e8 bella (film 1997)"}}}}},
        {"claims",
         {{"P31", items({"Q11424"})},
          {"P1476", {statement({{"text", "La vita \u00e8 bella"}, {"language", "it"}})}},
          {"P57", items({"Q1"})},
          {"P161", items({"Q1", "Q2", "Q3", "Q4", "Q5"})},
          {"P136", items({"Q10", "Q11"})},
          {"P495", items({"Q38"})},
          {"P2047", {statement({{"amount", "+116"}, {"unit", "http://www.wikidata.org/entity/Q7727"}})}},
          {"P577",
           {statement(time("+1998-10-23T00:00:00Z"),
                      {{"P291", {{{"datavalue", {{"value", itemValue("Q30")}}}}}}}),
            statement(time("+1997-12-20T00:00:00Z"),
                      {{"P291", {{{"datavalue", {{"value", itemValue("Q38")}}}}}}})}},
          {"P3383", {statement("La vita \u00e8 bella (poster).png")}}}},
    };
}

std::string entities(const json& item, const std::string& id = "Q220910")
{
    return json{{"entities", {{id, item}}}}.dump();
}

std::map<std::string, std::string> labels()
{
    return {{"Q1", "Roberto Benigni"},   {"Q2", "Nicoletta Braschi"},
            {"Q3", "Giorgio Cantarini"}, {"Q4", "Giustino Durano"},
            {"Q5", "Horst Buchholz"},    {"Q10", "commedia drammatica"},
            {"Q11", "film di guerra"},   {"Q38", "Italia"}};
}

lookup::Film film(const json& item, const std::string& plot = "Guido arriva ad Arezzo.")
{
    return wd::MakeFilm(wd::ReadItem(entities(item), "Q220910"), labels(), plot, RegionalSettings::italian(),
                        kCommons);
}

} // namespace

TEST(WikidataReader, AWholeItemFillsEveryField)
{
    const lookup::Film f = film(filmItem());
    ASSERT_TRUE(f.data);
    const lookup::FilmData& d = *f.data;
    EXPECT_EQ(d.titolo, "La vita \xE8 bella");
    EXPECT_EQ(d.titoloOriginale, "La vita \xE8 bella");
    EXPECT_EQ(d.genres, (std::vector<std::string>{"COMMEDIA DRAMMATICA", "FILM DI GUERRA"}));
    EXPECT_EQ(d.genere, "COMMEDIA DRAMMATICA");
    EXPECT_EQ(d.nazione, "Italia");
    EXPECT_EQ(d.anno, "1997");
    EXPECT_EQ(d.durata, "116'");
    EXPECT_EQ(d.dataUscita, "20/12/1997");
    EXPECT_EQ(d.actors.size(), 5u);
    EXPECT_EQ(d.attori1, "Roberto Benigni - Nicoletta Braschi");
    EXPECT_EQ(d.attori2, "Giorgio Cantarini - Giustino Durano");
    EXPECT_EQ(d.regia, "Roberto Benigni");
    EXPECT_EQ(d.trama, "Guido arriva ad Arezzo.");
    ASSERT_TRUE(f.pictures);
    EXPECT_EQ(f.pictures->poster,
              kCommons + "/wiki/Special:FilePath/La_vita_%C3%A8_bella_%28poster%29.png?width=185");
    EXPECT_EQ(f.pictures->cover,
              kCommons + "/wiki/Special:FilePath/La_vita_%C3%A8_bella_%28poster%29.png?width=500");
    EXPECT_EQ(wd::ReadItem(entities(filmItem()), "Q220910").article, "La vita \u00e8 bella (film 1997)");
}

TEST(WikidataReader, MissingNullAndMistypedMembers)
{
    const struct
    {
        const char* name;
        std::function<void(json&)> change;
        std::function<void(const lookup::FilmData&)> check;
    } cases[] = {
        {"no Italian label: the English one", [](json& j) { j["labels"].erase("it"); },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.titolo, "Life Is Beautiful"); }},
        {"no labels", [](json& j) { j.erase("labels"); },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.titolo, "???"); }},
        {"label of a number",
         [](json& j) {
             j["labels"]["it"]["value"] = 5;
             j["labels"].erase("en");
         },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.titolo, "???"); }},
        {"claims null", [](json& j) { j["claims"] = nullptr; },
         [](const lookup::FilmData& d) {
             EXPECT_EQ(d.titoloOriginale, "???");
             EXPECT_EQ(d.anno, "???");
             EXPECT_EQ(d.durata, "???");
             EXPECT_EQ(d.dataUscita, "???");
             EXPECT_EQ(d.regia, "???");
             EXPECT_EQ(d.nazione, "???");
             EXPECT_TRUE(d.actors.empty());
             EXPECT_TRUE(d.genres.empty());
         }},
        {"no release in Italy: the first date", [](json& j) { j["claims"]["P577"].erase(1); },
         [](const lookup::FilmData& d) {
             EXPECT_EQ(d.anno, "1998");
             EXPECT_EQ(d.dataUscita, "23/10/1998");
         }},
        {"a date known to the year only",
         [](json& j) { j["claims"]["P577"] = {statement(time("+1997-00-00T00:00:00Z", 9))}; },
         [](const lookup::FilmData& d) {
             EXPECT_EQ(d.anno, "1997");
             EXPECT_EQ(d.dataUscita, "1997");
         }},
        {"a deprecated Italian date is passed over",
         [](json& j) { j["claims"]["P577"][1]["rank"] = "deprecated"; },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.anno, "1998"); }},
        {"duration in seconds",
         [](json& j) {
             j["claims"]["P2047"] = {
                 statement({{"amount", "+6960"}, {"unit", "http://www.wikidata.org/entity/Q11574"}})};
         },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.durata, "116'"); }},
        {"duration without a unit",
         [](json& j) {
             j["claims"]["P2047"] = {statement({{"amount", "+116"}, {"unit", "1"}})};
         },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.durata, "???"); }},
        {"duration not a number",
         [](json& j) {
             j["claims"]["P2047"] = {
                 statement({{"amount", "lunga"}, {"unit", "http://www.wikidata.org/entity/Q7727"}})};
         },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.durata, "???"); }},
        {"cast of odd values, an unlabelled actor left out",
         [](json& j) {
             j["claims"]["P161"] = {statement(itemValue("Q2")), statement("testo"),
                                    statement(itemValue("P5")), statement(itemValue("Q99")), 7};
         },
         [](const lookup::FilmData& d) {
             EXPECT_EQ(d.actors, std::vector<std::string>{"Nicoletta Braschi"});
             EXPECT_EQ(d.attori1, "Nicoletta Braschi - ");
         }},
        {"original title of another type", [](json& j) { j["claims"]["P1476"] = {statement("testo")}; },
         [](const lookup::FilmData& d) { EXPECT_EQ(d.titoloOriginale, "???"); }},
        {"no plot", [](json&) {}, [](const lookup::FilmData&) {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        json j = filmItem();
        c.change(j);
        const lookup::Film f = film(j);
        ASSERT_TRUE(f.data);
        c.check(*f.data);
    }
    const lookup::Film noPlot = film(filmItem(), "");
    EXPECT_EQ(noPlot.data->trama, "???");
    json noPoster = filmItem();
    noPoster["claims"].erase("P3383");
    EXPECT_FALSE(film(noPoster).pictures);
}

TEST(WikidataReader, AnItemThatIsNotThereGivesNoData)
{
    for (const std::string& bytes :
         {std::string(""), std::string("{}"), std::string("{\"entities\": []}"),
          json{{"entities", {{"Q220910", {{"id", "Q220910"}, {"missing", ""}}}}}}.dump(),
          entities(filmItem(), "Q1")}) {
        const wd::Item item = wd::ReadItem(bytes, "Q220910");
        EXPECT_FALSE(item.found) << bytes;
        EXPECT_FALSE(wd::MakeFilm(item, labels(), "", RegionalSettings::italian(), kCommons).data);
    }
}

TEST(WikidataReader, TwoHundredActorsAndTheLabelsOneCallFetches)
{
    json j = filmItem();
    std::vector<std::string> ids;
    for (int i = 1000; i < 1200; ++i)
        ids.push_back("Q" + std::to_string(i));
    j["claims"]["P161"] = items(ids);
    const wd::Item item = wd::ReadItem(entities(j), "Q220910");
    EXPECT_EQ(item.cast.size(), 200u);
    const auto wanted = wd::LabelIds(item, 50);
    ASSERT_EQ(wanted.size(), 50u);
    // Director, genres and country come before the cast is cut.
    EXPECT_EQ(std::vector<std::string>(wanted.begin(), wanted.begin() + 4),
              (std::vector<std::string>{"Q1", "Q10", "Q11", "Q38"}));
    EXPECT_EQ(wanted.back(), "Q1045");
}

TEST(WikidataReader, SearchKeepsOnlyFilmsInTheOrderFound)
{
    const json search = {{"search",
                          {{{"id", "Q220910"}, {"label", "La vita \u00e8 bella"}},
                           {{"id", "Q5"}},
                           {{"id", "Q3"}},
                           {{"id", 12}},
                           {{"id", "Q1&x=1"}},
                           {{"id", "Q9"}}}}};
    const auto ids = wd::ReadSearchIds(search.dump());
    EXPECT_EQ(ids, (std::vector<std::string>{"Q220910", "Q5", "Q3", "Q9"}));

    json other = filmItem();
    other["labels"] = {{"it", {{"value", "La vita \u00e8 bella"}}}};
    other["claims"] = {{"P31", items({"Q202866"})}, {"P577", {statement(time("+1943-01-01T00:00:00Z"))}}};
    json person = {{"labels", {{"it", {{"value", "Vita"}}}}}, {"claims", {{"P31", items({"Q5"})}}}};
    json unknownYear = {{"labels", {{"en", {{"value", "\u4eba\u751f"}}}}},
                        {"claims", {{"P31", items({"Q24869"})}}}};
    const json answer = {
        {"entities", {{"Q220910", filmItem()}, {"Q5", person}, {"Q3", other}, {"Q9", unknownYear}}}};
    const auto films = wd::ReadCandidates(answer.dump(), ids);
    ASSERT_EQ(films.size(), 3u);
    EXPECT_EQ(films[0].title, "La vita \xE8 bella (1997)");
    EXPECT_EQ(films[0].key, "Q220910");
    EXPECT_EQ(films[1].title, "La vita \xE8 bella (1943)");
    EXPECT_EQ(films[2].title, "??");
    EXPECT_TRUE(wd::ReadCandidates("{\"entities\": 5}", ids).empty());
}

TEST(WikidataReader, LabelsItalianFirstThenEnglish)
{
    const json answer = {{"entities",
                          {{"Q1", {{"labels", {{"it", {{"value", "Roberto Benigni"}}}}}}},
                           {"Q30", {{"labels", {{"en", {{"value", "United States"}}}}}}},
                           {"Q7", {{"labels", json::array()}}},
                           {"P31", {{"labels", {{"it", {{"value", "istanza di"}}}}}}}}}};
    const auto l = wd::ReadLabels(answer.dump());
    EXPECT_EQ(l, (std::map<std::string, std::string>{{"Q1", "Roberto Benigni"}, {"Q30", "United States"}}));
}

TEST(WikidataReader, PlotIsTheTramaSectionElseTheIntroduction)
{
    const auto answer = [](const std::string& extract) {
        return json{{"query", {{"pages", {{{"title", "X"}, {"extract", extract}}}}}}}.dump();
    };
    EXPECT_EQ(wd::ReadPlot(
                  answer("Intro.\n\n== Trama ==\nGuido arriva.\nPoi \u00e8 felice.\n=== Seconda parte ===\n"
                         "Il campo.\n\n== Produzione ==\nGirato ad Arezzo.")),
              "Guido arriva. Poi \xE8 felice. Il campo.");
    EXPECT_EQ(wd::ReadPlot(answer("Un film del 1997.\nDi Benigni.\n\n== Produzione ==\nGirato.")),
              "Un film del 1997. Di Benigni.");
    EXPECT_EQ(wd::ReadPlot(answer("Solo intro\u00a0\u6ce2.")), "Solo intro\xA0?.");
    EXPECT_EQ(wd::ReadPlot(json{{"query", {{"pages", {{{"title", "X"}, {"missing", true}}}}}}}.dump()), "");
    for (const std::string& bytes :
         std::vector<std::string>{"", "{}", "{\"query\": {\"pages\": {}}}", "{\"query\": {\"pages\": [5]}}"})
        EXPECT_EQ(wd::ReadPlot(bytes), "") << bytes;
}
