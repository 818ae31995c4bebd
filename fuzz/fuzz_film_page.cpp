// Film pages: the fields are always filled ("???" where a label is missing) and carry no line
// break; the picture addresses stay on the site.
#include "fuzz_support.h"
#include "lookup/film_page.h"
#include "lookup/film_pictures.h"

namespace {

const std::string kBase = "http://filmup.test";

bool oneLine(const std::string& s) { return s.find_first_of("\t\r\n") == std::string::npos; }

bool labelled(const lookup::PageLineTable& lines, std::string_view label)
{
    for (int i = 1; i <= lines.count; ++i)
        if (lines.line[static_cast<std::size_t>(i)].find(label) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view page = asText(data, size);
    if (const auto urls = lookup::PictureUrls(page, kBase)) {
        if (urls->poster.rfind(kBase + "/locand/", 0) != 0 || urls->cover.rfind(kBase + "/posters/loc/500/", 0) != 0 ||
            urls->poster.find('"') != std::string::npos)
            __builtin_trap();
    } else if (const auto at = page.find("locand/"); at != std::string_view::npos &&
                                                     page.find('"', at) != std::string_view::npos) {
        __builtin_trap();
    }

    lookup::PageLineTable lines;
    lookup::NameTable actors, genres;
    lookup::FilmPageData d;
    if (!lookup::ExtractFilmPage(page, lines, actors, genres, d)) {
        if (lines.count != 0 || actors.count != 0 || genres.count != 0)
            __builtin_trap();
        return 0;
    }
    if (lines.count != 68)
        __builtin_trap();
    for (const std::string* f : {&d.titolo, &d.titoloOriginale, &d.genere, &d.nazione, &d.anno, &d.durata,
                                 &d.dataUscita, &d.attori1, &d.attori2, &d.regia, &d.trama})
        if (!oneLine(*f))
            __builtin_trap();
    for (const auto& [label, value] : {std::pair{"Titolo originale:", &d.titoloOriginale}, std::pair{"Nazione:", &d.nazione},
                                       std::pair{"Anno:", &d.anno}, std::pair{"Durata:", &d.durata},
                                       std::pair{"Regia:", &d.regia}, std::pair{"Trama:", &d.trama}})
        if (!labelled(lines, label) && *value != "???")
            __builtin_trap();
    // The first four actors fill the two fields, an actor beyond the list as an empty text (an
    // empty "Cast:" alone gives no actor at all).
    const auto actor = [&](std::size_t i) { return i < d.actors.size() ? d.actors[i] : std::string(); };
    if (actors.count != static_cast<int>(d.actors.size()) || d.attori1 != actor(0) + " - " + actor(1) ||
        d.attori2 != actor(2) + " - " + actor(3))
        __builtin_trap();
    if (!labelled(lines, "Attori protagonisti:") && !labelled(lines, "Cast:") && d.actors != std::vector<std::string>{"???"})
        __builtin_trap();
    if (static_cast<int>(d.genres.size()) != genres.count || d.genere != (d.genres.empty() ? "" : d.genres[0]))
        __builtin_trap();
    for (const auto& names : {d.actors, d.genres})
        for (const std::string& n : names)
            if (!oneLine(n))
                __builtin_trap();
    return 0;
}
