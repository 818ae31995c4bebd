#include "filmup_pages.h"

#include "lookup/film_page.h"

namespace filmuppages {

std::string resultsPage(const std::string& base, const std::vector<std::pair<std::string, std::string>>& films)
{
    std::string page = "<html><body>\n<h2>Risultati</h2>\n<a href=\"" + base + "/novita.htm\">Novit\xE0</a>\n";
    for (const auto& [slug, title] : films)
        page += "<p><a href=\"" + base + "/sc_" + slug + ".htm\">FilmUP - Scheda: <b>" + title + "</b></a><br>\n"
                "<small>scheda del film</small></p>\n";
    return page + "</body></html>\n";
}

std::string filmPage(const std::string& title, const std::string& lineEnd, const std::string& posterRef)
{
    std::string block = title + "</b></font><br>" + lineEnd;
    for (const char* line : {"<font size=\"2\">Titolo originale: Der Name der Rose<br>", "Genere: Drammatico, Giallo<br>",
                             "Nazione: Italia/Francia/Germania<br>", "Anno: 1986<br>", "Durata: 130'<br>",
                             "Data di uscita: 17/10/1986<br>", "Attori protagonisti: Sean Connery, Christian Slater<br>",
                             "Cast: Michael Lonsdale, Ron Perlman, F. Murray Abraham<br>", "Regia: Jean-Jacques Annaud<br>",
                             "Trama: Nel 1327 un frate francescano indaga su morti misteriose in un'abbazia.<br>",
                             "</font></td>", "</tr>"})
        block += std::string(line) + lineEnd;
    const std::string poster =
        posterRef.empty() ? "" : "<img src=\"" + posterRef + "\" width=\"120\" alt=\"locandina\">" + lineEnd;
    return "<html><head><title>Scheda</title></head><body>" + lineEnd + poster + "<table>" + lineEnd +
           std::string(lookup::kDataBlockMarker) + block + "</table></body></html>" + lineEnd;
}

} // namespace filmuppages
