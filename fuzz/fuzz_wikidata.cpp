// Wikidata's and Wikipedia's answers: the same bytes go to every reader; each returns, the ids it
// gives are item ids, the fields are one line each and the pictures stay on the picture archive.
#include "fuzz_support.h"
#include "lookup/wikidata_reader.h"

namespace {

const std::string kCommons = "https://commons.test";

bool itemId(const std::string& s)
{
    return s.size() >= 2 && s[0] == 'Q' && s.find_first_not_of("0123456789", 1) == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace wd = lookup::wikidata;
    const std::string_view bytes = asText(data, size);
    const std::vector<std::string> ids = wd::ReadSearchIds(bytes);
    for (const std::string& id : ids)
        if (!itemId(id))
            __builtin_trap();
    for (const lookup::Result& r :
         wd::ReadCandidates(bytes, ids.empty() ? std::vector<std::string>{"Q1"} : ids))
        if (!itemId(r.key) || r.title.empty() || !noControlCharacters(r.title))
            __builtin_trap();
    const std::map<std::string, std::string> labels = wd::ReadLabels(bytes);
    for (const auto& [id, label] : labels)
        if (!itemId(id) || label.empty() || !noControlCharacters(label))
            __builtin_trap();
    const std::string plot = wd::ReadPlot(bytes);
    if (!noControlCharacters(plot))
        __builtin_trap();

    const wd::Item item = wd::ReadItem(bytes, ids.empty() ? "Q1" : ids.front());
    for (const auto* list : {&item.directors, &item.cast, &item.genres, &item.countries})
        for (const std::string& id : *list)
            if (!itemId(id))
                __builtin_trap();
    if (wd::LabelIds(item, 50).size() > 50)
        __builtin_trap();
    const lookup::Film f = wd::MakeFilm(item, labels, plot, RegionalSettings::italian(), kCommons);
    if (f.data.has_value() != item.found)
        __builtin_trap();
    if (f.data) {
        const lookup::FilmData& d = *f.data;
        for (const std::string* s : {&d.titolo, &d.titoloOriginale, &d.genere, &d.nazione, &d.anno, &d.durata,
                                     &d.dataUscita, &d.attori1, &d.attori2, &d.regia, &d.trama})
            if (!noControlCharacters(*s))
                __builtin_trap();
        if (d.titolo.empty() || d.trama.empty() || d.regia.empty())
            __builtin_trap();
    }
    if (f.pictures &&
        (f.pictures->poster.rfind(kCommons + "/wiki/Special:FilePath/", 0) != 0 ||
         f.pictures->poster.find_first_of("#\"\\ /", kCommons.size() + 23) != std::string::npos))
        __builtin_trap();
    return 0;
}
