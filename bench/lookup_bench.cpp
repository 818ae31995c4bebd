// The FilmUP page readers on generated pages:
//   BM_ParseResultsPage/N: a results page of N results, read into one reused table.
//   BM_ParseResultsPageNoHeading/N: the same links without "FilmUP - Scheda:", where a reader
//     that looks for the heading to the end of the page at every result turns quadratic.
//   BM_ExtractFilmPage: a film page carrying every label.
#include "lookup/film_page.h"
#include "lookup/film_search.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kBase = "http://filmup.test";

std::string resultsPage(int n, bool withHeading)
{
    std::string page =
        "<html><head><title>Ricerca</title></head><body>\n<form action=\"/cgi-bin/search.cgi\">"
        "<input name=\"q\"></form>\n<a href=\"" +
        kBase + "/\">Home</a>\n";
    for (int i = 0; i < n; ++i) {
        const std::string id = std::to_string(i);
        page +=
            "<dl><dt><b>" + id + ".</b> <a href=\"" + kBase + "/sc_film" + id + ".htm\"><font size=\"2\">";
        page += withHeading ? "FilmUP - Scheda: " : "Scheda ";
        page += "<b>Il ritorno del viaggio " + id + "</b></font></a></dt>\n";
        page += "<dd>Una storia di mare e di fuoco, di strade e di destino&nbsp;nel tempo.</dd>\n"
                "<dd><a href=\"http://altro.test/sc_" +
                id + "\">altro</a> <small>" + kBase + "/sc_film" + id + ".htm - 12K</small></dd></dl>\n";
    }
    return page + "</body></html>\n";
}

void parse(benchmark::State& state, bool withHeading)
{
    const int n = static_cast<int>(state.range(0));
    const std::string page = resultsPage(n, withHeading);
    lookup::ResultTable table;
    for (auto _ : state) {
        lookup::ParseResultsPage(page, kBase, table);
        if (table.count != n)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(table.rows.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_ParseResultsPage(benchmark::State& state)
{
    parse(state, true);
}
void BM_ParseResultsPageNoHeading(benchmark::State& state)
{
    parse(state, false);
}

std::string filmPage()
{
    std::string page = "<html><head><title>FilmUP - Scheda</title></head>\n<body>\n";
    for (int i = 0; i < 300; ++i)
        page += "<tr><td><a href=\"/menu" + std::to_string(i) + ".htm\">Voce di menu</a></td></tr>\n";
    page += "<img src=\"locand/ritorno.jpg\" border=\"0\">\n";
    page += lookup::kDataBlockMarker;
    page += "Il ritorno</b></font>\n<br>\n"
            "<font size=\"2\"><b>Titolo originale:</b> The Return</font><br>\n"
            "<b>Genere:</b> Commedia, Drammatico/Sentimentale<br>\n"
            "<b>Nazione:</b> Italia<br>\n<b>Anno:</b> 2004<br>\n<b>Durata:</b> 102'<br>\n"
            "<b>Data di uscita:</b> 12/03/2004<br>\n"
            "<b>Attori protagonisti:</b> Attore Uno, Attrice Due, Attore Tre<br>\n"
            "<b>Cast:</b> Caratterista Quattro, Caratterista Cinque,<br>\n Caratterista Sei<br>\n"
            "<b>Regia:</b> Mario<br>\nRossi<br>\n<b>Trama:</b><br>\n";
    std::string plot;
    for (int i = 0; i < 40; ++i)
        plot += "Una storia di mare e di fuoco, di strade e di destino. ";
    page += plot + "<br>\n" + plot + "<br>\n";
    for (int i = 0; i < 80; ++i)
        page += "<tr><td>Commento " + std::to_string(i) + ": un film da vedere</td></tr>\n";
    return page + "</body></html>\n";
}

void BM_ExtractFilmPage(benchmark::State& state)
{
    const std::string page = filmPage();
    lookup::PageLineTable lines;
    lookup::NameTable actors, genres;
    lookup::FilmPageData data;
    for (auto _ : state) {
        if (!lookup::ExtractFilmPage(page, lines, actors, genres, data) || actors.count != 6)
            state.SkipWithError("page not read");
        benchmark::DoNotOptimize(data.trama.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

BENCHMARK(BM_ParseResultsPage)->Arg(50)->Arg(10000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseResultsPageNoHeading)->Arg(50)->Arg(10000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractFilmPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
