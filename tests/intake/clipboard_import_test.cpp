#include "intake/clipboard_import.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using clipboardimport::FilmFields;
using clipboardimport::LineTable;
using clipboardimport::parseFilmPage;

namespace {

using Lines = std::vector<std::string>;

std::string joined(const Lines& lines, const std::string& end, bool lastEnd = true)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += lines[i] + (i + 1 < lines.size() || lastEnd ? end : "");
    return out;
}

// A film page as a browser copies it: 17 lines.
Lines matrixLines()
{
    return {"Matrix",
            "Un film di fantascienza",
            "Titolo originale: The Matrix",
            "136 min",
            "Fantascienza",
            "Regia: Nome Regista",
            "Con attori vari",
            "Anno: 1999",
            "",
            "",
            "",
            "Neo scopre che il mondo \xE8 una simulazione.",
            "Leggi il finale",
            "Alla fine sceglie di combattere.",
            "",
            "Primo Attore (Ruolo Uno)",
            "Secondo Attore (Ruolo Due)"};
}

const std::string kMatrixPlot =
    "Neo scopre che il mondo \xE8 una simulazione. Alla fine sceglie di combattere.";

FilmFields matrixFields()
{
    return {"Matrix",
            "136 min",
            "FANTASCIENZA",
            "Nome Regista",
            kMatrixPlot,
            "1999",
            "Primo Attore (Ruolo Uno)",
            "Secondo Attore (Ruolo Due)"};
}

// Lines 1 to 11 of the Matrix page, then `count` plot lines "Riga 12", "Riga 13", ...
Lines withPlotLines(int count)
{
    Lines lines = matrixLines();
    lines.resize(11);
    for (int n = 12; n < 12 + count; ++n)
        lines.push_back("Riga " + std::to_string(n));
    return lines;
}

std::string plotOf(int first, int last)
{
    std::string out;
    for (int n = first; n <= last; ++n)
        out += (out.empty() ? "" : " ") + std::string("Riga ") + std::to_string(n);
    return out;
}

void expectFields(const FilmFields& got, const FilmFields& want)
{
    EXPECT_EQ(got.titolo, want.titolo);
    EXPECT_EQ(got.durata, want.durata);
    EXPECT_EQ(got.genere, want.genere);
    EXPECT_EQ(got.regia, want.regia);
    EXPECT_EQ(got.trama, want.trama);
    EXPECT_EQ(got.datau, want.datau);
    EXPECT_EQ(got.attore1, want.attore1);
    EXPECT_EQ(got.attore2, want.attore2);
}

struct Case
{
    const char* name;
    std::string text;
    std::optional<FilmFields> want;
};

std::vector<Case> cases()
{
    std::vector<Case> out;
    out.push_back({"matrix with CR LF", joined(matrixLines(), "\r\n"), matrixFields()});
    out.push_back({"matrix with LF only", joined(matrixLines(), "\n"), matrixFields()});
    out.push_back({"matrix with lone CR", joined(matrixLines(), "\r"), matrixFields()});
    {
        FilmFields f = matrixFields();
        f.attore2.reset();
        out.push_back(
            {"the text after the last line end is dropped", joined(matrixLines(), "\r\n", false), f});
    }
    {
        Lines lines = matrixLines();
        lines[7] = "Uscita 1999";
        FilmFields f = matrixFields();
        f.datau.reset();
        out.push_back({"no Anno: keeps the date", joined(lines, "\r\n"), f});
    }
    {
        // Lines 6 to 8 are the three empty lines: the search starts at line 6.
        const Lines lines = {"Titolo", "Regia: in riga due", "", "90 min", "Dramma", "", "", "", "Trama.", "",
                             "Uno (A)"};
        out.push_back(
            {"without Anno: the empty lines are searched from line 6", joined(lines, "\n"),
             FilmFields{"Titolo", "90 min", "DRAMMA", "", "Trama.", std::nullopt, "Uno (A)", std::nullopt}});
    }
    {
        Lines lines = matrixLines();
        lines[2] = "Titolo originale: The Matrix - Anno: sconosciuto";
        lines[7] = "Uscita 1999";
        FilmFields f = matrixFields();
        f.datau.reset();
        out.push_back({"an Anno: only inside line 3 keeps the date", joined(lines, "\r\n"), f});
    }
    {
        Lines lines = matrixLines();
        lines[0] = "  Matrix  ";
        lines[3] = "\t136 min \t";
        lines[4] = " Fantascienza \xE9pica";
        lines[15] = "Primo\tAttore (Ruolo Uno)  ";
        lines[8] = "   ";
        FilmFields f = matrixFields();
        f.genere = "FANTASCIENZA \xE9PICA";
        f.attore1 = "Primo Attore (Ruolo Uno)";
        out.push_back({"blanks around lines go, a tab inside becomes a blank", joined(lines, "\r\n"), f});
    }
    {
        Lines lines = matrixLines();
        for (int n = 18; n <= 200; ++n)
            lines.push_back("Riga " + std::to_string(n) + " (ruolo)");
        out.push_back({"a text of 200 lines", joined(lines, "\r\n"), matrixFields()});
    }
    {
        // Plot lines 12 to 50 fill the table; the bracketed lines after it are not read.
        Lines lines = withPlotLines(39);
        lines.push_back("Oltre (la tabella)");
        lines.push_back("Ancora (oltre)");
        FilmFields f = matrixFields();
        f.trama = plotOf(12, 50);
        f.attore1.reset();
        f.attore2.reset();
        out.push_back({"a plot that runs to the end of the table", joined(lines, "\r\n"), f});
    }
    {
        // The first actors are looked for up to line 48 only; line 49 is the second group.
        Lines lines = withPlotLines(34);
        lines.insert(lines.end(), {"", "x", "y", "Uno (A)", "Due (B)"});
        FilmFields f = matrixFields();
        f.trama = plotOf(12, 45);
        f.attore1.reset();
        f.attore2 = "Uno (A)";
        out.push_back({"the first actors stop at line 48", joined(lines, "\r\n"), f});
    }
    {
        // Line 3 onwards empty: the plot search ends at the table's end.
        out.push_back({"a page with little but its title", "Matrix\r\nRegia: X\r\n",
                       FilmFields{"Matrix", "", "", "", "", std::nullopt, std::nullopt, std::nullopt}});
    }
    out.push_back({"neither Regia: nor Anno:", joined({"Matrix", "regia: minuscolo", "anno 1999"}, "\r\n"),
                   std::nullopt});
    out.push_back({"an empty text", "", std::nullopt});
    return out;
}

} // namespace

TEST(ClipboardImport, FieldsOfEachText)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::optional<FilmFields> got = parseFilmPage(c.text);
        ASSERT_EQ(got.has_value(), c.want.has_value());
        if (got)
            expectFields(*got, *c.want);
    }
}

TEST(ClipboardImport, LineTableHoldsFiftyLines)
{
    const struct
    {
        const char* name;
        std::string text;
        int count;
        std::string last;
    } tables[] = {
        {"no line end", "Regia: X", 0, ""},
        {"CR LF, LF and CR mixed", "a\r\nb\nc\rd", 3, "c"},
        {"an empty line between CR and CR LF", "a\r\r\nb\r\n", 3, "b"},
        {"200 lines", joined(withPlotLines(189), "\n"), 50, "Riga 50"},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.name);
        const LineTable table(t.text);
        EXPECT_EQ(table.count(), t.count);
        EXPECT_EQ(table.line(t.count), t.last);
        EXPECT_EQ(table.line(0), "");
        EXPECT_EQ(table.line(51), "");
    }
}

TEST(ClipboardImport, TenMegabytesStoreFiftyLines)
{
    std::string text = joined(matrixLines(), "\r\n");
    while (text.size() < 10u << 20)
        text += "Una riga qualunque di un testo molto lungo (con parentesi)\r\n";
    EXPECT_EQ(LineTable(text).count(), 50);
    const std::optional<FilmFields> got = parseFilmPage(text);
    ASSERT_TRUE(got);
    expectFields(*got, matrixFields());
}
