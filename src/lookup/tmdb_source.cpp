#include "tmdb_source.h"

#include "search_words.h"
#include "site_address.h"
#include "tmdb_reader.h"

#include <algorithm>

namespace lookup {

namespace {

// A key goes into a header line and a query: nothing that could end or bend either.
std::string plainKey(const std::string& key)
{
    std::string out;
    for (const char c : key)
        if (static_cast<unsigned char>(c) > 32 && static_cast<unsigned char>(c) < 127)
            out += c;
    return out;
}

} // namespace

std::string TmdbSource::DefaultApiBase()
{
    return SiteAddress("PELLICORIO_TMDB_URL", "https://api.themoviedb.org");
}

std::string TmdbSource::DefaultPictureBase()
{
    return SiteAddress("PELLICORIO_TMDB_IMAGE_URL", "https://image.tmdb.org/t/p");
}

TmdbSource::TmdbSource(Setup setup, Get get) : m_setup(std::move(setup)), m_get(std::move(get))
{
    m_setup.key = plainKey(m_setup.key);
}

void TmdbSource::setKey(const std::string& key)
{
    m_setup.key = plainKey(key);
}

std::string TmdbSource::hostName() const
{
    return HostOf(m_setup.apiBase);
}

std::vector<std::string> TmdbSource::notReady() const
{
    if (!m_setup.key.empty())
        return {};
    return {"Manca la chiave API di TMDb: nessuna richiesta inviata.",
            "Richiedere una chiave gratuita sul sito di TMDb (account, Impostazioni, API),",
            "scriverla in \"Chiave API TMDb\" nella scheda Stat + Conf e premere SALVA."};
}

bool TmdbSource::isToken() const
{
    return m_setup.key.find('.') != std::string::npos;
}

std::string TmdbSource::keyParameter() const
{
    return isToken() ? std::string() : "&api_key=" + PercentEncodeUtf8(m_setup.key);
}

http::Request TmdbSource::apiRequest() const
{
    http::Request r = JsonRequest(m_setup.programVersion);
    if (isToken())
        r.headers.push_back("Authorization: Bearer " + m_setup.key);
    return r;
}

http::Request TmdbSource::pictureRequest() const
{
    return PictureRequest(m_setup.programVersion);
}

std::string TmdbSource::searchUrl(const Query& query) const
{
    std::string url =
        m_setup.apiBase + "/3/search/movie?query=" + PercentEncodeUtf8(query.words) + "&language=it-IT";
    if (query.year > 0)
        url += "&year=" + std::to_string(query.year);
    return url + keyParameter();
}

std::string TmdbSource::filmUrl(const std::string& id) const
{
    return m_setup.apiBase + "/3/movie/" + PercentEncodeUtf8(id) +
           "?language=it-IT&append_to_response=credits,release_dates" + keyParameter();
}

std::vector<Result> TmdbSource::search(const Query& query)
{
    return tmdb::ReadResults(m_get(searchUrl(query), apiRequest()));
}

Film TmdbSource::film(const std::string& key)
{
    return tmdb::ReadFilm(m_get(filmUrl(key), apiRequest()), m_setup.regional, m_setup.pictureBase);
}

} // namespace lookup
