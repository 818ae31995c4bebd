// The archive line parser: never crashes, and what it reads the writer writes back readably.
#include "archive/archive_line.h"
#include "base/errors.h"
#include "base/numbers.h"
#include "fuzz_support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RegionalSettings rs = RegionalSettings::italian();
    dfilm d;
    try {
        d = archiveline::parse(asText(data, size), rs);
    } catch (const ConversionError&) {
        return 0;
    }
    // A record read from films.txt is saved again at the next change: it must load again.
    const dfilm again = archiveline::parse(archiveline::format(d, rs), rs);
    const bool same = again.titolo == d.titolo && again.genere == d.genere && again.attore1 == d.attore1 &&
                      again.attore2 == d.attore2 && again.regia == d.regia && again.posizione == d.posizione &&
                      again.durata == d.durata && again.datau == d.datau && again.dataa == d.dataa &&
                      numbers::formatGeneral(again.dimmb, rs) == numbers::formatGeneral(d.dimmb, rs) &&
                      again.riservato == d.riservato && again.trama == d.trama;
    if (!same)
        std::abort();
    return 0;
}
