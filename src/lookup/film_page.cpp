#include "film_page.h"

#include "film_search.h"

#include "base/text.h"

#include <algorithm>
#include <iterator>

namespace lookup {
namespace {

constexpr std::string_view kMarker = "<tr>\n<td width=\"100%\" valign=\"top\" align=\"LEFT\">\n\n"
                                     "<font face=\"arial, helvetica\" size=\"3\"><b>";
static_assert(kMarker.size() == 92);

constexpr std::size_t kBlockLength = 10000;
constexpr int kFilledSlots = 68;
constexpr std::size_t kSlotsWithUnusedZero = 71;
constexpr std::string_view kPlotLabel = "Trama:";

// Splits on one separator: every piece before a separator is kept, even empty; the last piece
// only when something is left.
template <typename Store> void splitOn(std::string_view list, char separator, Store store)
{
    while (true) {
        const std::size_t at = list.find(separator);
        if (at == std::string_view::npos) {
            if (!list.empty())
                store(list);
            return;
        }
        store(list.substr(0, at));
        list.remove_prefix(at + 1);
    }
}

std::string entry(const NameTable& table, int index)
{
    return index < table.count && static_cast<std::size_t>(index) < table.names.size() ? table.names[index]
                                                                                       : std::string();
}

std::vector<std::string> entries(const NameTable& table)
{
    const auto n = std::min(table.names.size(), static_cast<std::size_t>(std::max(table.count, 0)));
    return std::vector<std::string>(table.names.begin(),
                                    table.names.begin() + static_cast<std::ptrdiff_t>(n));
}

// The slot, or the empty text beyond what the extraction stored.
std::string_view slot(const PageLineTable& lines, int index, int last)
{
    return index <= last ? std::string_view(lines.line[static_cast<std::size_t>(index)])
                         : std::string_view();
}

} // namespace

const std::string_view kDataBlockMarker = kMarker;

std::string LabelValue(const PageLineTable& lines, std::string_view label)
{
    const int last = std::min(lines.count, static_cast<int>(lines.line.size()) - 1);
    int found = 1;
    while (found <= last && lines.line[static_cast<std::size_t>(found)].find(label) == std::string::npos)
        ++found;
    if (found > last)
        return std::string(kMissingValue);

    // The label is taken to begin its slot, wherever it really stands.
    std::string value(slot(lines, found, last).substr(label.size()));
    if (label == kPlotLabel) {
        value += slot(lines, found + 1, last);
        value += slot(lines, found + 2, last);
    } else {
        for (int i = found + 1; i <= last && slot(lines, i, last).find(':') == std::string_view::npos; ++i)
            value += slot(lines, i, last);
    }
    return text::trim(value);
}

void SplitActors(std::string_view list, NameTable& actors)
{
    actors.names.clear();
    splitOn(list, ',', [&](std::string_view name) { actors.names.push_back(text::trim(name)); });
    actors.count = static_cast<int>(actors.names.size());
}

void SplitGenres(std::string_view list, NameTable& genres)
{
    genres.names.clear();
    std::string slashed(list);
    std::replace(slashed.begin(), slashed.end(), ',', '/');
    splitOn(slashed, '/',
            [&](std::string_view name) { genres.names.push_back(text::upperAscii(text::trim(name))); });
    genres.count = static_cast<int>(genres.names.size());
}

bool ExtractFilmPage(std::string_view page, PageLineTable& lines, NameTable& actors, NameTable& genres,
                     FilmPageData& data)
{
    std::string withoutCr;
    if (page.find('\r') != std::string_view::npos) {
        withoutCr.reserve(page.size());
        std::remove_copy(page.begin(), page.end(), std::back_inserter(withoutCr), '\r');
        page = withoutCr;
    }
    const std::size_t marker = page.find(kMarker);
    if (marker == std::string_view::npos)
        return false;
    std::string_view block = page.substr(marker + kMarker.size(), kBlockLength);

    if (lines.line.size() < kSlotsWithUnusedZero)
        lines.line.resize(kSlotsWithUnusedZero);
    for (int i = 1; i <= kFilledSlots; ++i) {
        std::string& target = lines.line[static_cast<std::size_t>(i)];
        const std::size_t lineEnd = block.find('\n');
        if (lineEnd == std::string_view::npos) {
            target.clear();
            continue;
        }
        // Every field value is made from slots, so a tab stops here and never reaches a field.
        target = text::flattenLineBreaks(StripTags(block.substr(0, lineEnd)));
        block.remove_prefix(lineEnd + 1);
    }
    lines.count = kFilledSlots;

    data.titolo = lines.line[1];
    data.titoloOriginale = LabelValue(lines, "Titolo originale:");

    const std::string genre = LabelValue(lines, "Genere:");
    if (genre == kMissingValue) {
        genres.names.clear();
        genres.count = 0;
    } else {
        SplitGenres(genre, genres);
    }
    data.genres = entries(genres);
    data.genere = entry(genres, 0);

    data.nazione = LabelValue(lines, "Nazione:");
    data.anno = LabelValue(lines, "Anno:");
    data.durata = LabelValue(lines, "Durata:");
    data.dataUscita = LabelValue(lines, "Data di uscita:");
    if (data.dataUscita == kMissingValue)
        data.dataUscita = LabelValue(lines, "Uscita prevista:");

    const std::string protagonists = LabelValue(lines, "Attori protagonisti:");
    const std::string cast = LabelValue(lines, "Cast:");
    SplitActors(protagonists == kMissingValue ? cast : protagonists + "," + cast, actors);
    data.actors = entries(actors);
    data.attori1 = entry(actors, 0) + " - " + entry(actors, 1);
    data.attori2 = entry(actors, 2) + " - " + entry(actors, 3);

    data.regia = LabelValue(lines, "Regia:");
    data.trama = LabelValue(lines, kPlotLabel);
    return true;
}

} // namespace lookup
