// TMDb's answers: whatever the bytes, the readers return; the fields are one line each, the
// actor fields are the first four actors, and the pictures stay under the picture address.
#include "fuzz_support.h"
#include "lookup/tmdb_reader.h"

namespace {

const std::string kPictures = "https://img.test/t/p";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = asText(data, size);
    for (const lookup::Result& r : lookup::tmdb::ReadResults(bytes))
        if (!noControlCharacters(r.title) || r.title.empty() || r.key.empty() ||
            r.key.find_first_not_of("0123456789") != std::string::npos)
            __builtin_trap();

    const lookup::Film f = lookup::tmdb::ReadFilm(bytes, RegionalSettings::italian(), kPictures);
    if (f.bytes != size)
        __builtin_trap();
    if (!f.data) {
        if (f.pictures)
            __builtin_trap();
        return 0;
    }
    const lookup::FilmData& d = *f.data;
    for (const std::string* s : {&d.titolo, &d.titoloOriginale, &d.genere, &d.nazione, &d.anno, &d.durata,
                                 &d.dataUscita, &d.attori1, &d.attori2, &d.regia, &d.trama})
        if (!noControlCharacters(*s))
            __builtin_trap();
    for (const std::string* s :
         {&d.titolo, &d.titoloOriginale, &d.nazione, &d.anno, &d.durata, &d.dataUscita, &d.regia, &d.trama})
        if (s->empty())
            __builtin_trap();
    const auto actor = [&](std::size_t i) { return i < d.actors.size() ? d.actors[i] : std::string(); };
    if (d.attori1 != actor(0) + " - " + actor(1) || d.attori2 != actor(2) + " - " + actor(3))
        __builtin_trap();
    if (d.genere != (d.genres.empty() ? std::string() : d.genres.front()))
        __builtin_trap();
    for (const auto& names : {d.actors, d.genres})
        for (const std::string& n : names)
            if (n.empty() || !noControlCharacters(n))
                __builtin_trap();
    if (f.pictures && (f.pictures->poster.rfind(kPictures + "/w185/", 0) != 0 ||
                       f.pictures->cover.rfind(kPictures + "/w500/", 0) != 0 ||
                       f.pictures->poster.find_first_of("?#\"\\ ") != std::string::npos ||
                       f.pictures->poster.find("..") != std::string::npos))
        __builtin_trap();
    return 0;
}
