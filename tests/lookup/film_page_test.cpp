#include "lookup/film_page.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using lookup::ExtractFilmPage;
using lookup::FilmPageData;
using lookup::NameTable;
using lookup::PageLineTable;

// A film page: some text, the marker, then one line per entry, each ended by a line feed.
std::string filmPage(const std::vector<std::string>& blockLines)
{
    std::string page = "<html><img src=\"locand/x.jpg\">\n<table>\n";
    page += lookup::kDataBlockMarker;
    for (const auto& line : blockLines)
        page += line + "\n";
    return page + "</table></html>\n";
}

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? "|" : "") + names[i];
    return out;
}

// The fields by the names the window gives them.
std::string field(const FilmPageData& d, const std::string& name)
{
    if (name == "titolo")
        return d.titolo;
    if (name == "titoloOriginale")
        return d.titoloOriginale;
    if (name == "genere")
        return d.genere;
    if (name == "nazione")
        return d.nazione;
    if (name == "anno")
        return d.anno;
    if (name == "durata")
        return d.durata;
    if (name == "dataUscita")
        return d.dataUscita;
    if (name == "attori1")
        return d.attori1;
    if (name == "attori2")
        return d.attori2;
    if (name == "regia")
        return d.regia;
    if (name == "trama")
        return d.trama;
    if (name == "genres")
        return joined(d.genres);
    if (name == "actors")
        return joined(d.actors);
    ADD_FAILURE() << "no field " << name;
    return {};
}

struct Extraction
{
    PageLineTable lines;
    NameTable actors, genres;
    FilmPageData data;
    bool ok = false;

    explicit Extraction(const std::string& page) { ok = ExtractFilmPage(page, lines, actors, genres, data); }
};

struct PageCase
{
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::string>> expected;
};

TEST(ExtractFilmPage, ReadsTheValuesAfterTheLabels)
{
    const PageCase cases[] = {
        {"every label",
         {"Il <i>Titolo</i></b></font>", "<br>", "<b>Titolo originale:</b> The Title",
          "<b>Genere:</b> Commedia, Drammatico/Sentimentale", "Nazione: Italia", "Anno: 2004", "Durata: 102'",
          "Data di uscita: 12/03/2004", "Attori protagonisti: A, B", "Cast: C, D, E,", "F", "Regia: Mario",
          "Rossi", "Trama:", "Una storia", " lunga.", "Produzione: X"},
         {{"titolo", "Il Titolo"},
          {"titoloOriginale", "The Title"},
          {"genres", "COMMEDIA|DRAMMATICO|SENTIMENTALE"},
          {"genere", "COMMEDIA"},
          {"nazione", "Italia"},
          {"anno", "2004"},
          {"durata", "102'"},
          {"dataUscita", "12/03/2004"},
          {"actors", "A|B|C|D|E|F"},
          {"attori1", "A - B"},
          {"attori2", "C - D"},
          {"regia", "MarioRossi"},
          {"trama", "Una storialunga."}}},
        {"no label at all",
         {"Solo titolo"},
         {{"titolo", "Solo titolo"},
          {"titoloOriginale", "???"},
          {"genres", ""},
          {"genere", ""},
          {"nazione", "???"},
          {"anno", "???"},
          {"durata", "???"},
          {"dataUscita", "???"},
          {"actors", "???"},
          {"attori1", "??? - "},
          {"attori2", " - "},
          {"regia", "???"},
          {"trama", "???"}}},
        {"release date fallback", {"T", "Uscita prevista: 12/05/2006"}, {{"dataUscita", "12/05/2006"}}},
        {"release date first",
         {"T", "Uscita prevista: 1/1/2007", "Data di uscita: 2/2/2006"},
         {{"dataUscita", "2/2/2006"}}},
        {"protagonists without cast",
         {"T", "Attori protagonisti: A, B"},
         {{"actors", "A|B|???"}, {"attori1", "A - B"}, {"attori2", "??? - "}}},
        {"cast alone", {"T", "Cast: C, D, E"}, {{"actors", "C|D|E"}, {"attori2", "E - "}}},
        {"one actor", {"T", "Cast: A"}, {{"actors", "A"}, {"attori1", "A - "}, {"attori2", " - "}}},
        {"empty name between commas", {"T", "Cast: A,,B"}, {{"actors", "A||B"}}},
        {"genre label without names", {"T", "Genere:"}, {{"genres", ""}, {"genere", ""}}},
        {"joining stops at a colon",
         {"T", "Regia: Mario", "Rossi", "e Bianchi", "Note: x"},
         {{"regia", "MarioRossie Bianchi"}}},
        {"plot takes the next two slots whatever they hold",
         {"T", "Trama: Inizio", "uno:", "due", "tre"},
         {{"trama", "Iniziouno:due"}}},
        {"plot label inside its slot", {"T", "xx Trama: testo"}, {{"trama", "ma: testo"}}},
        {"label read as if it began the slot", {"T", "xx Nazione: Italia"}, {{"nazione", "ne: Italia"}}},
        {"labels are case-sensitive", {"T", "regia: Mario"}, {{"regia", "???"}}},
        {"first slot with the label wins", {"T", "Anno: 1999", "Anno: 2000"}, {{"anno", "1999"}}},
        {"nbsp inside a line", {"T", "Nazione:&nbsp;Francia"}, {{"nazione", "Francia"}}},
        {"tab inside a value becomes a blank",
         {"Il\tTitolo", "Regia: Mario\tRossi", "Cast: A\tB, C"},
         {{"titolo", "Il Titolo"}, {"regia", "Mario Rossi"}, {"actors", "A B|C"}, {"attori1", "A B - C"}}},
    };
    for (const auto& c : cases) {
        const Extraction e(filmPage(c.lines));
        ASSERT_TRUE(e.ok) << c.name;
        for (const auto& [name, value] : c.expected)
            EXPECT_EQ(field(e.data, name), value) << c.name << ": " << name;
    }
}

TEST(ExtractFilmPage, CarriageReturnsAreRemovedBeforeTheMarkerIsSought)
{
    const std::string lf = filmPage({"Titolo", "Anno: 2001", "Regia: Uno", "Due", "Trama: a", "b", "c"});
    std::string crlf;
    for (const char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Extraction a(lf), b(crlf);
    ASSERT_TRUE(a.ok);
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(a.lines.line, b.lines.line);
    for (const char* name : {"titolo", "anno", "regia", "trama", "actors"})
        EXPECT_EQ(field(a.data, name), field(b.data, name)) << name;
    EXPECT_EQ(b.data.regia, "UnoDue");
}

TEST(ExtractFilmPage, FillsSixtyEightSlotsAndNeverStoresAnUnterminatedLine)
{
    PageLineTable lines;
    for (auto& s : lines.line)
        s = "vecchio";
    NameTable actors, genres;
    FilmPageData data;
    // The page ends right after the last line, with no line feed.
    std::string page = filmPage({"Titolo", "Anno: 2001"}) + "Durata: 90'";
    page.erase(page.find("</table>"), std::string("</table></html>\n").size());
    ASSERT_TRUE(ExtractFilmPage(page, lines, actors, genres, data));
    EXPECT_EQ(lines.count, 68);
    EXPECT_EQ(lines.line[1], "Titolo");
    EXPECT_EQ(lines.line[2], "Anno: 2001");
    for (int i = 3; i <= 68; ++i)
        EXPECT_EQ(lines.line[i], "") << i;
    EXPECT_EQ(lines.line[69], "vecchio");
    EXPECT_EQ(lines.line[70], "vecchio");
    EXPECT_EQ(data.durata, "???");
}

TEST(ExtractFilmPage, ReadsOnlyTenThousandCharactersAfterTheMarker)
{
    // "T\n" and the filler line take 9993 characters; the year line would end past the limit.
    const Extraction cut(filmPage({"T", std::string(9990, 'f'), "Anno: 2000"}));
    ASSERT_TRUE(cut.ok);
    EXPECT_EQ(cut.data.anno, "???");
    const Extraction fits(filmPage({"T", std::string(9979, 'f'), "Anno: 2000"}));
    EXPECT_EQ(fits.data.anno, "2000");
}

TEST(ExtractFilmPage, ReadsOnlyTheFirstSixtyEightLines)
{
    std::vector<std::string> block(68, "riga");
    block[0] = "T";
    block[67] = "Anno: 68";
    block.push_back("Durata: 69");
    const Extraction e(filmPage(block));
    EXPECT_EQ(e.data.anno, "68");
    EXPECT_EQ(e.data.durata, "???");
}

TEST(ExtractFilmPage, WithoutTheMarkerReturnsFalseAndTouchesNothing)
{
    PageLineTable lines;
    lines.line[1] = "vecchio";
    lines.count = 5;
    NameTable actors{{"Attore"}, 1}, genres{{"GENERE"}, 1};
    FilmPageData data;
    data.titolo = "Precedente";
    data.actors = {"Attore"};

    std::string page = filmPage({"Nuovo", "Cast: X"});
    page.replace(page.find("LEFT"), 4, "left");
    EXPECT_FALSE(ExtractFilmPage(page, lines, actors, genres, data));
    EXPECT_FALSE(ExtractFilmPage("", lines, actors, genres, data));
    EXPECT_EQ(lines.line[1], "vecchio");
    EXPECT_EQ(lines.count, 5);
    EXPECT_EQ(actors.names, std::vector<std::string>{"Attore"});
    EXPECT_EQ(genres.count, 1);
    EXPECT_EQ(data.titolo, "Precedente");
    EXPECT_EQ(data.actors, std::vector<std::string>{"Attore"});
}

TEST(ExtractFilmPage, KeepsMoreThanThirtyActorsAndFiveGenres)
{
    std::string cast = "Cast: ", genre = "Genere: ";
    for (int i = 0; i < 40; ++i)
        cast += "Attore " + std::to_string(i) + ", ";
    for (int i = 0; i < 8; ++i)
        genre += "g" + std::to_string(i) + "/";
    const Extraction e(filmPage({"T", genre, cast + "Ultimo"}));
    EXPECT_EQ(e.actors.count, 41);
    ASSERT_EQ(e.data.actors.size(), 41u);
    EXPECT_EQ(e.data.actors[40], "Ultimo");
    EXPECT_EQ(e.genres.count, 8);
    ASSERT_EQ(e.data.genres.size(), 8u);
    EXPECT_EQ(e.data.genres[7], "G7");
}

TEST(ExtractFilmPage, AMarkerAtTheEndGivesEmptySlots)
{
    const Extraction e("xx" + std::string(lookup::kDataBlockMarker));
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.data.titolo, "");
    EXPECT_EQ(e.data.anno, "???");
    EXPECT_EQ(joined(e.data.actors), "???");
}

TEST(SplitNames, SplitsTrimsAndRefills)
{
    struct Case
    {
        const char* name;
        bool genres;
        std::string list;
        std::string expected;
    };
    const Case cases[] = {
        {"actors trimmed", false, " A , B ", "A|B"},
        {"empty list", false, "", ""},
        {"a trailing comma adds nothing", false, "A,", "A"},
        {"a trailing blank adds an empty name", false, "A, ", "A|"},
        {"empty names kept", false, ",,", "|"},
        {"genres on commas and slashes, upper-cased", true, "commedia , horror/ noir",
         "COMMEDIA|HORROR|NOIR"},
        {"accented genre letters stay", true, "\xE8pico", "\xE8PICO"},
        {"empty genre list", true, "", ""},
    };
    for (const auto& c : cases) {
        NameTable table{{"a", "b", "c", "d", "e", "f"}, 6};
        c.genres ? lookup::SplitGenres(c.list, table) : lookup::SplitActors(c.list, table);
        EXPECT_EQ(joined(table.names), c.expected) << c.name;
        EXPECT_EQ(table.count, static_cast<int>(table.names.size())) << c.name;
    }
}

TEST(LabelValue, ReadsOnlyTheStoredSlots)
{
    PageLineTable lines;
    lines.line[1] = "T";
    lines.line[2] = "Anno: 2000";
    lines.line[3] = "Durata: 90'";
    lines.count = 2;
    EXPECT_EQ(lookup::LabelValue(lines, "Anno:"), "2000");
    EXPECT_EQ(lookup::LabelValue(lines, "Durata:"), "???");

    lines.count = 68;
    lines.line[68] = "Trama: fine";
    lines.line[69] = "mai letto";
    EXPECT_EQ(lookup::LabelValue(lines, "Trama:"), "fine");

    PageLineTable broken;
    broken.line.resize(3);
    broken.line[2] = "Anno: 1";
    broken.count = 68;
    EXPECT_EQ(lookup::LabelValue(broken, "Anno:"), "1");
    EXPECT_EQ(lookup::LabelValue(broken, "Trama:"), "???");
}

// Pages assembled from the marker, labels, tags and line ends, in any order and cut anywhere.
TEST(ExtractFilmPage, HostilePagesGiveValuesWithoutLineBreaks)
{
    const std::string pieces[] = {std::string(lookup::kDataBlockMarker),
                                  "Trama:",
                                  "Regia:",
                                  "Cast:",
                                  "Attori protagonisti:",
                                  "Genere:",
                                  ",",
                                  "/",
                                  ":",
                                  "\n",
                                  "\r",
                                  "\t",
                                  "<",
                                  ">",
                                  "&nbsp;",
                                  "x",
                                  "Data di uscita:",
                                  "Uscita prevista:"};
    std::mt19937 rnd(23);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 200);
    for (int round = 0; round < 2000; ++round) {
        std::string page;
        for (int n = length(rnd); n > 0; --n)
            page += pieces[pick(rnd)];
        PageLineTable lines;
        NameTable actors, genres;
        FilmPageData d;
        if (!ExtractFilmPage(page, lines, actors, genres, d))
            continue;
        std::string all = d.titolo + d.titoloOriginale + d.genere + d.nazione + d.anno + d.durata +
                          d.dataUscita + d.attori1 + d.attori2 + d.regia + d.trama + joined(d.genres) +
                          joined(d.actors);
        EXPECT_EQ(all.find_first_of("\t\r\n"), std::string::npos) << page;
        EXPECT_EQ(d.actors.size(), static_cast<std::size_t>(actors.count));
        EXPECT_EQ(d.genres.size(), static_cast<std::size_t>(genres.count));
    }
}

} // namespace
