#include "wikidata_source.h"

#include "search_words.h"
#include "site_address.h"
#include "wikidata_reader.h"

namespace lookup {

namespace {

// wbgetentities takes at most 50 ids a call.
constexpr std::size_t kIdsPerCall = 50;

} // namespace

std::string WikidataSource::DefaultWikidataBase()
{
    return SiteAddress("PELLICORIO_WIKIDATA_URL", "https://www.wikidata.org");
}

std::string WikidataSource::DefaultWikipediaBase()
{
    return SiteAddress("PELLICORIO_WIKIPEDIA_URL", "https://it.wikipedia.org");
}

std::string WikidataSource::DefaultCommonsBase()
{
    return SiteAddress("PELLICORIO_COMMONS_URL", "https://commons.wikimedia.org");
}

WikidataSource::WikidataSource(Setup setup, Get get) : m_setup(std::move(setup)), m_get(std::move(get)) {}

std::string WikidataSource::hostName() const
{
    return HostOf(m_setup.wikidataBase);
}

http::Request WikidataSource::apiRequest() const
{
    return JsonRequest(m_setup.programVersion);
}

http::Request WikidataSource::pictureRequest() const
{
    return PictureRequest(m_setup.programVersion);
}

std::string WikidataSource::entitiesUrl(const std::vector<std::string>& ids, const std::string& props) const
{
    std::string list;
    for (const std::string& id : ids)
        list += (list.empty() ? "" : "%7C") + id;
    return m_setup.wikidataBase + "/w/api.php?action=wbgetentities&format=json&ids=" + list +
           "&props=" + props + "&languages=it%7Cen";
}

std::vector<Result> WikidataSource::search(const Query& query)
{
    const std::string url =
        m_setup.wikidataBase +
        "/w/api.php?action=wbsearchentities&format=json&type=item&limit=20&language=it&uselang=it"
        "&search=" +
        PercentEncodeUtf8(query.words);
    std::vector<std::string> ids = wikidata::ReadSearchIds(m_get(url, apiRequest()));
    if (ids.empty())
        return {};
    if (ids.size() > kIdsPerCall)
        ids.resize(kIdsPerCall);
    std::vector<Result> films =
        wikidata::ReadCandidates(m_get(entitiesUrl(ids, "labels%7Cclaims"), apiRequest()), ids);
    // The year of the search text picks among the films when it matches some.
    if (query.year > 0) {
        const std::string suffix = "(" + std::to_string(query.year) + ")";
        std::vector<Result> ofYear;
        for (const Result& r : films)
            if (r.title.ends_with(suffix))
                ofYear.push_back(r);
        if (!ofYear.empty())
            return ofYear;
    }
    return films;
}

Film WikidataSource::film(const std::string& key)
{
    const std::string item =
        m_get(entitiesUrl({key}, "labels%7Cclaims%7Csitelinks") + "&sitefilter=itwiki", apiRequest());
    const wikidata::Item parsed = wikidata::ReadItem(item, key);
    Film film;
    std::size_t bytes = item.size();
    if (parsed.found) {
        std::map<std::string, std::string> labels;
        if (const auto ids = wikidata::LabelIds(parsed, kIdsPerCall); !ids.empty()) {
            const std::string answer = m_get(entitiesUrl(ids, "labels"), apiRequest());
            bytes += answer.size();
            labels = wikidata::ReadLabels(answer);
        }
        std::string plot;
        if (!parsed.article.empty()) {
            const std::string answer =
                m_get(m_setup.wikipediaBase +
                          "/w/api.php?action=query&format=json&formatversion=2&prop=extracts&explaintext=1"
                          "&redirects=1&titles=" +
                          PercentEncode(parsed.article),
                      apiRequest());
            bytes += answer.size();
            plot = wikidata::ReadPlot(answer);
        }
        film = wikidata::MakeFilm(parsed, labels, plot, m_setup.regional, m_setup.commonsBase);
    }
    film.bytes = bytes;
    return film;
}

} // namespace lookup
