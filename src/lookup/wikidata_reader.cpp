#include "wikidata_reader.h"

#include "film_fields.h"
#include "json_reading.h"
#include "search_words.h"

#include "base/cp1252.h"
#include "base/text.h"

#include <algorithm>

namespace lookup::wikidata {

// Film, feature film, animated film, documentary film, short film, silent film, television film,
// animated feature film.
const std::vector<std::string> kFilmKinds = {"Q11424", "Q24869",  "Q202866", "Q93204",
                                             "Q24862", "Q226730", "Q506240", "Q29168811"};

namespace {

using json::Value;

bool isItemId(const std::string& s)
{
    return s.size() >= 2 && s.size() <= 12 && s[0] == 'Q' &&
           std::all_of(s.begin() + 1, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const Value* entity(const Value& doc, const std::string& id)
{
    return json::member(json::member(&doc, "entities"), id.c_str());
}

// The raw UTF-8 string of a member, "" for anything else.
std::string raw(const Value* v)
{
    return v && v->is_string() ? v->get<std::string>() : std::string();
}

std::string label(const Value* item)
{
    const Value* labels = json::member(item, "labels");
    for (const char* lang : {"it", "en"})
        if (std::string s = json::text(json::member(json::member(labels, lang), "value")); !s.empty())
            return s;
    return {};
}

// The statements of a property that are not deprecated.
std::vector<const Value*> statements(const Value* item, const char* property)
{
    std::vector<const Value*> out;
    if (const Value* list = json::array(json::member(json::member(item, "claims"), property)))
        for (const Value& s : *list)
            if (raw(json::member(&s, "rank")) != "deprecated")
                out.push_back(&s);
    return out;
}

const Value* mainValue(const Value* statement)
{
    return json::member(json::member(json::member(statement, "mainsnak"), "datavalue"), "value");
}

std::string itemIdOf(const Value* value)
{
    std::string id = raw(json::member(value, "id"));
    return isItemId(id) ? id : std::string();
}

std::vector<std::string> itemIds(const Value* item, const char* property)
{
    std::vector<std::string> out;
    for (const Value* s : statements(item, property))
        if (std::string id = itemIdOf(mainValue(s)); !id.empty())
            out.push_back(std::move(id));
    return out;
}

struct When
{
    int year = 0, month = 0, day = 0, precision = 0;
};

// "+1997-12-20T00:00:00Z".
When readTime(const Value* value)
{
    const std::string t = raw(json::member(value, "time"));
    if (t.empty() || t[0] != '+')
        return {};
    const CalendarDay day = ReadIsoDate(std::string_view(t).substr(1));
    When w{day.year, day.month, day.day, 0};
    w.precision = static_cast<int>(json::integer(json::member(value, "precision")).value_or(0));
    if (w.year == 0)
        return {};
    return w;
}

bool publishedInItaly(const Value* statement)
{
    if (const Value* places = json::array(json::member(json::member(statement, "qualifiers"), "P291")))
        for (const Value& q : *places)
            if (itemIdOf(json::member(json::member(&q, "datavalue"), "value")) == "Q38")
                return true;
    return false;
}

When releaseDate(const Value* item)
{
    When first;
    for (const Value* s : statements(item, "P577")) {
        const When w = readTime(mainValue(s));
        if (w.year == 0)
            continue;
        if (publishedInItaly(s))
            return w;
        if (first.year == 0)
            first = w;
    }
    return first;
}

bool isFilm(const Value* item)
{
    for (const std::string& kind : itemIds(item, "P31"))
        if (std::find(kFilmKinds.begin(), kFilmKinds.end(), kind) != kFilmKinds.end())
            return true;
    return false;
}

// Minutes from a quantity in minutes, seconds or hours.
long long minutesOf(const Value* value)
{
    const std::string amount = raw(json::member(value, "amount"));
    const std::string unit = raw(json::member(value, "unit"));
    double n = 0;
    try {
        std::size_t used = 0;
        n = std::stod(amount, &used);
        if (used != amount.size())
            return 0;
    } catch (...) {
        return 0;
    }
    const auto endsWith = [&](const char* q) {
        const std::string suffix = std::string("/") + q;
        return unit.size() >= suffix.size() &&
               unit.compare(unit.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (endsWith("Q11574"))
        n /= 60;
    else if (endsWith("Q25235"))
        n *= 60;
    else if (!endsWith("Q7727"))
        return 0;
    if (!(n >= 1 && n < 100000))
        return 0;
    return static_cast<long long>(n + 0.5);
}

} // namespace

std::vector<std::string> ReadSearchIds(std::string_view bytes)
{
    std::vector<std::string> out;
    const Value doc = json::parse(bytes);
    if (const Value* list = json::array(json::member(&doc, "search")))
        for (const Value& r : *list)
            if (std::string id = raw(json::member(&r, "id")); isItemId(id) && out.size() < 50)
                out.push_back(std::move(id));
    return out;
}

std::vector<Result> ReadCandidates(std::string_view bytes, const std::vector<std::string>& ids)
{
    std::vector<Result> out;
    const Value doc = json::parse(bytes);
    for (const std::string& id : ids) {
        const Value* item = entity(doc, id);
        if (!item || !isFilm(item))
            continue;
        std::string title = label(item);
        if (title.empty())
            title = std::string(kMissingValue);
        out.push_back({ChooserLine(title, releaseDate(item).year), id});
    }
    return out;
}

Item ReadItem(std::string_view bytes, const std::string& id)
{
    Item item;
    const Value doc = json::parse(bytes);
    const Value* e = entity(doc, id);
    if (!e || !e->is_object() || json::member(e, "missing"))
        return item;
    item.found = true;
    item.label = label(e);
    for (const Value* s : statements(e, "P1476"))
        if (std::string t = json::text(json::member(mainValue(s), "text")); !t.empty()) {
            item.originalTitle = std::move(t);
            break;
        }
    const When w = releaseDate(e);
    item.year = w.year, item.month = w.month, item.day = w.day, item.precision = w.precision;
    for (const Value* s : statements(e, "P2047"))
        if ((item.minutes = minutesOf(mainValue(s))) > 0)
            break;
    for (const Value* s : statements(e, "P3383")) {
        const Value* v = mainValue(s);
        if (v && v->is_string() && !v->get_ref<const std::string&>().empty()) {
            item.posterFile = v->get<std::string>();
            break;
        }
    }
    item.article = raw(json::member(json::member(json::member(e, "sitelinks"), "itwiki"), "title"));
    item.directors = itemIds(e, "P57");
    item.cast = itemIds(e, "P161");
    item.genres = itemIds(e, "P136");
    item.countries = itemIds(e, "P495");
    return item;
}

std::vector<std::string> LabelIds(const Item& item, std::size_t limit)
{
    std::vector<std::string> out;
    const auto add = [&](const std::vector<std::string>& ids) {
        for (const std::string& id : ids)
            if (out.size() < limit && std::find(out.begin(), out.end(), id) == out.end())
                out.push_back(id);
    };
    add(item.directors);
    add(item.genres);
    add(item.countries);
    add(item.cast);
    return out;
}

std::map<std::string, std::string> ReadLabels(std::string_view bytes)
{
    std::map<std::string, std::string> out;
    const Value doc = json::parse(bytes);
    const Value* entities = json::member(&doc, "entities");
    if (!entities || !entities->is_object())
        return out;
    for (auto it = entities->begin(); it != entities->end(); ++it)
        if (isItemId(it.key()))
            if (std::string l = label(&*it); !l.empty())
                out[it.key()] = std::move(l);
    return out;
}

std::string ReadPlot(std::string_view bytes)
{
    const Value doc = json::parse(bytes);
    const Value* pages = json::array(json::member(json::member(&doc, "query"), "pages"));
    if (!pages || pages->empty())
        return {};
    const std::string extract = raw(json::member(&pages->front(), "extract"));
    // Headings read "== Trama ==" (deeper ones have more "=").
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= extract.size()) {
        std::size_t end = extract.find('\n', start);
        if (end == std::string::npos)
            end = extract.size();
        lines.push_back(extract.substr(start, end - start));
        start = end + 1;
    }
    const auto isHeading = [](const std::string& l) {
        return l.size() >= 4 && l.starts_with("==") && l.ends_with("==");
    };
    const auto headingName = [](std::string l) {
        while (!l.empty() && (l.front() == '=' || l.front() == ' '))
            l.erase(0, 1);
        while (!l.empty() && (l.back() == '=' || l.back() == ' '))
            l.pop_back();
        return l;
    };
    const auto isSection = [&](const std::string& l) { return isHeading(l) && !l.starts_with("==="); };
    std::size_t from = 0, to = lines.size();
    const auto trama = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return isSection(l) && headingName(l) == "Trama";
    });
    if (trama != lines.end()) {
        from = static_cast<std::size_t>(trama - lines.begin()) + 1;
        to = static_cast<std::size_t>(std::find_if(trama + 1, lines.end(), isSection) - lines.begin());
    } else {
        // No plot section: the introduction, up to the first heading.
        to = static_cast<std::size_t>(std::find_if(lines.begin(), lines.end(), isHeading) - lines.begin());
    }
    std::string plot;
    for (std::size_t i = from; i < to; ++i) {
        if (isHeading(lines[i]))
            continue;
        const std::string piece = text::trim(cp1252::fromUtf8(lines[i]));
        if (piece.empty())
            continue;
        if (!plot.empty())
            plot += ' ';
        plot += piece;
    }
    for (char& c : plot)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    return plot;
}

Film MakeFilm(const Item& item, const std::map<std::string, std::string>& labels, const std::string& plot,
              const RegionalSettings& rs, const std::string& commonsBase)
{
    Film film;
    if (!item.found)
        return film;
    const auto names = [&](const std::vector<std::string>& ids) {
        std::vector<std::string> out;
        for (const std::string& id : ids)
            if (const auto it = labels.find(id); it != labels.end())
                out.push_back(it->second);
        return out;
    };
    FilmData d;
    d.titolo = item.label;
    d.titoloOriginale = item.originalTitle;
    for (const std::string& g : names(item.genres))
        d.genres.push_back(text::upperAscii(g));
    d.nazione = JoinNames(names(item.countries), "/");
    if (item.year > 0)
        d.anno = std::to_string(item.year);
    if (item.minutes > 0)
        d.durata = std::to_string(item.minutes) + "'";
    d.dataUscita = item.precision >= 11 ? DateText(item.year, item.month, item.day, rs) : d.anno;
    d.actors = names(item.cast);
    d.regia = JoinNames(names(item.directors), ", ");
    d.trama = plot;
    FinishFilm(d);
    film.data = std::move(d);
    if (!item.posterFile.empty()) {
        std::string file = item.posterFile;
        std::replace(file.begin(), file.end(), ' ', '_');
        const std::string escaped = PercentEncode(file);
        const std::string base = commonsBase + "/wiki/Special:FilePath/" + escaped + "?width=";
        film.pictures = PictureAddresses{base + "185", base + "500"};
    }
    return film;
}

} // namespace lookup::wikidata
