#include "lookup/film_search.h"
#include "lookup/filmup_site.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using lookup::ParseResultsPage;
using lookup::ResultTable;
using lookup::SearchResult;

const std::string kBase = "http://films.test";

struct TextCase
{
    const char* name;
    std::string input;
    std::string expected;
};

TEST(SearchTextFromFileName, CutsExtensionUpperCasesAndStopsBeforeCd)
{
    const TextCase cases[] = {
        {"cd part trimmed", "Il nome della rosa - CD1.avi", "IL NOME DELLA ROSA"},
        {"upper case before the cd search", "matrix - cd2.mpg", "MATRIX"},
        {"accented letters stay", "Am\xE9lie.avi", "AM\xE9LIE"},
        {"only the last extension goes", "Film.part1.avi", "FILM.PART1"},
        {"leading blank kept without cd", " Zorro.avi", " ZORRO"},
        {"first cd wins", "Rosa - CD1 - CD2.avi", "ROSA"},
        {"no extension", "Senza punto", "SENZA PUNTO"},
        {"line breaks become blanks", "Due\tparole\nqui.avi", "DUE PAROLE QUI"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookup::SearchTextFromFileName(c.input), c.expected) << c.name;
}

TEST(SearchUrl, BuildsTheRequestInTheSiteOrder)
{
    EXPECT_EQ(lookup::SearchUrl(kBase, "IL NOME", false, "10"),
              "http://films.test/cgi-bin/search.cgi?ps=10&fmt=long&q=IL+NOME&ul=%25%2Fsc_%25&x=&y=&m=all"
              "&wf=0020&wm=wrd&sy=0");

    struct Case
    {
        const char* name;
        std::string text;
        bool anyWord;
        std::string perPage;
        std::string expectedWords;
        std::string expectedPerPage;
    };
    const Case cases[] = {
        {"apostrophe not escaped", "l'ultimo bacio", false, "10", "L'ULTIMO+BACIO", "10"},
        {"blank, dot and underscore joined", "2001: odissea.nello_spazio", false, "10",
         "2001:+ODISSEA+NELLO+SPAZIO", "10"},
        {"empty text still sent", "", false, "10", "", "10"},
        {"text trimmed, per page trimmed", "  matrix \t", false, " 20 ", "MATRIX", "20"},
        {"any word", "zorro", true, "50", "ZORRO", "50"},
        {"accented bytes raw, control codes joined", "citt\xE0\tdel\x01sole", false, "10",
         "CITT\xE0+DEL+SOLE", "10"},
    };
    for (const auto& c : cases) {
        const std::string url = lookup::SearchUrl(kBase, c.text, c.anyWord, c.perPage);
        const std::string expected =
            kBase + "/cgi-bin/search.cgi?ps=" + c.expectedPerPage + "&fmt=long&q=" + c.expectedWords +
            "&ul=%25%2Fsc_%25&x=&y=" + (c.anyWord ? "&m=any" : "&m=all") + "&wf=0020&wm=wrd&sy=0";
        EXPECT_EQ(url, expected) << c.name;
    }
}

TEST(StripTags, DropsTagsTheFirstNbspAndTrims)
{
    const std::string after1500(1500, 'x');
    const TextCase cases[] = {
        {"bold title", "<b>La vita \xE8 bella</b>", "La vita \xE8 bella"},
        {"nbsp deleted, not a blank", "Via&nbsp;col vento", "Viacol vento"},
        {"only the first nbsp", "a&nbsp;b&nbsp;c", "ab&nbsp;c"},
        {"other entities stay", "Tom &amp; Jerry", "Tom &amp; Jerry"},
        {"unclosed tag drops the rest", "Titolo <b class=", "Titolo"},
        {"stray closer dropped", "a > b", "a  b"},
        {"unmatched tags", "</i>x<y", "x"},
        {"trimmed after stripping", " \t<i> dentro </i>\r\n", "dentro"},
        {"nbsp keeps 1000 characters after it", "p&nbsp;" + after1500, "p" + std::string(1000, 'x')},
        {"short text after nbsp kept whole", "&nbsp;breve", "breve"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookup::StripTags(c.input), c.expected) << c.name;
}

std::string anchor(const std::string& link, const std::string& text)
{
    return "<a href=\"" + link + "\">" + text + "</a>\n";
}

struct PageCase
{
    const char* name;
    std::string page;
    std::vector<SearchResult> expected;
    std::string base = kBase;
};

TEST(ParseResultsPage, ReadsLinksAndTitles)
{
    const std::string sc1 = kBase + "/sc_1.htm", sc2 = kBase + "/sc_2.htm";
    const PageCase cases[] = {
        {"two results",
         "<html><body>" + anchor(sc1, "FilmUP - Scheda: Primo") + "<p>testo</p>" +
             anchor(sc2, "FilmUP - Scheda: Secondo"),
         {{"Primo", sc1}, {"Secondo", sc2}}},
        {"bold title after the heading",
         anchor(sc1, "<font>FilmUP - Scheda: <b>La vita \xE8 bella</b></font>"),
         {{"La vita \xE8 bella", sc1}}},
        {"nbsp deleted once",
         anchor(sc1, "FilmUP - Scheda: Via&nbsp;col&nbsp;vento"),
         {{"Viacol&nbsp;vento", sc1}}},
        {"unclosed tag in the title", anchor(sc1, "FilmUP - Scheda: Titolo <img src=x"), {{"Titolo", sc1}}},
        {"other sites and other pages not matched",
         anchor("http://altro.test/sc_9.htm", "FilmUP - Scheda: Altro") +
             anchor(kBase + "/news.htm", "FilmUP - Scheda: Notizie") + "<a href='" + sc2 +
             "'>FilmUP - Scheda: Apici</a>" + anchor(sc1, "FilmUP - Scheda: Nostro"),
         {{"Nostro", sc1}}},
        {"without heading fifteen characters skipped",
         anchor(sc1, "Solo titolo"),
         {{"st/sc_1.htm\"Solo titolo", sc1}}},
        {"a missing heading borrows the next one",
         anchor(sc1, "Senza") + anchor(sc2, "FilmUP - Scheda: Dopo"),
         {{"Dopo", sc1}}},
        {"missing anchor end takes the rest",
         "<a href=\"" + sc1 + "\">FilmUP - Scheda: Ultimo <b>titolo\n" + "<a href=\"" + sc2 +
             "\">FilmUP - Scheda: Perso",
         {{"Ultimo titolo FilmUP - Scheda: Perso", sc1}}},
        {"page ending inside the link", "x<a href=\"" + kBase + "/sc_", {{"st/sc_", kBase + "/sc_"}}},
        {"remaining text shorter than fifteen",
         "<a href=\"http://a.b/sc_",
         {{"", "http://a.b/sc_"}},
         "http://a.b"},
        {"unterminated link runs to the end",
         "<a href=\"" + sc1 + ">FilmUP - Scheda: X</a>",
         {{"X", sc1 + ">FilmUP - Scheda: X</a>"}}},
        {"a link without closing quote ends at the next link's quote",
         "<a href=\"" + sc1 + " FilmUP - Scheda: X</a><a href=\"" + sc2 + "\">FilmUP - Scheda: Y</a>",
         {{"X", sc1 + " FilmUP - Scheda: X</a><a href="}, {"Y", sc2}}},
        {"line breaks and tabs in a title become blanks",
         anchor(sc1, "FilmUP - Scheda: Via\tcol\r\nvento"),
         {{"Via col  vento", sc1}}},
        {"no link", "<html>nessun risultato</html>", {}},
        {"empty page", "", {}},
    };
    for (const auto& c : cases) {
        ResultTable table;
        ParseResultsPage(c.page, c.base, table);
        ASSERT_EQ(table.count, static_cast<int>(c.expected.size())) << c.name;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(table.rows[i].title, c.expected[i].title) << c.name << " row " << i;
            EXPECT_EQ(table.rows[i].link, c.expected[i].link) << c.name << " row " << i;
        }
    }
}

TEST(ParseResultsPage, KeepsEveryResultPastFiftyOne)
{
    std::string page;
    for (int i = 0; i < 60; ++i)
        page +=
            anchor(kBase + "/sc_" + std::to_string(i) + ".htm", "FilmUP - Scheda: Film " + std::to_string(i));
    ResultTable table;
    ParseResultsPage(page, kBase, table);
    ASSERT_EQ(table.count, 60);
    EXPECT_EQ(table.rows[59].title, "Film 59");
    EXPECT_EQ(table.rows[59].link, kBase + "/sc_59.htm");
}

TEST(ParseResultsPage, ANewSearchRestartsTheCountAndOverwritesFromRowZero)
{
    ResultTable table;
    ParseResultsPage(anchor(kBase + "/sc_a", "FilmUP - Scheda: A") +
                         anchor(kBase + "/sc_b", "FilmUP - Scheda: B"),
                     kBase, table);
    ASSERT_EQ(table.count, 2);
    ParseResultsPage(anchor(kBase + "/sc_c", "FilmUP - Scheda: C"), kBase, table);
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(table.rows[0].title, "C");
    EXPECT_EQ(table.rows[0].link, kBase + "/sc_c");
    ParseResultsPage("niente", kBase, table);
    EXPECT_EQ(table.count, 0);
}

// Pages assembled from the fragments the parser looks for, in any order and cut anywhere.
TEST(ParseResultsPage, HostilePagesEndWithSoundRows)
{
    const std::string pieces[] = {"<a href=\"" + kBase + "/sc_",
                                  "FilmUP - Scheda:",
                                  "</a>",
                                  "\"",
                                  "<",
                                  ">",
                                  "&nbsp;",
                                  "\t",
                                  "\r\n",
                                  "x",
                                  "href=\"",
                                  kBase,
                                  "/sc_",
                                  "\xE8"};
    std::mt19937 rnd(17);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        for (int n = length(rnd); n > 0; --n)
            page += pieces[pick(rnd)];
        page.resize(page.size() - std::min<std::size_t>(page.size(), rnd() % 3));
        ResultTable table;
        ParseResultsPage(page, kBase, table);
        ASSERT_LE(static_cast<std::size_t>(table.count), table.rows.size());
        for (int i = 0; i < table.count; ++i) {
            EXPECT_EQ(table.rows[i].title.find_first_of("\t\r\n"), std::string::npos) << page;
            EXPECT_EQ(table.rows[i].link.rfind(kBase + "/sc_", 0), 0u) << page;
        }
    }
}

} // namespace

TEST(FilmUpSite, TheShortHostKeepsTheSiteNameAndANumericAddressWhole)
{
    const struct
    {
        const char* host;
        const char* shown;
    } cases[] = {
        {"filmup.leonardo.it", "filmup"},
        {"www.filmup.it", "filmup"},
        {"filmup.leonardo.it:8080", "filmup"},
        {"localhost:8080", "localhost"},
        {"filmup", "filmup"},
        {"127.0.0.1", "127.0.0.1"},
        {"127.0.0.1:8080", "127.0.0.1:8080"},
        {"[::1]:8080", "[::1]:8080"},
        {"www", "www"},
        {".it", ".it"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filmup::shortHostName(c.host), c.shown) << c.host;
}
