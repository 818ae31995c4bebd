#include "filmup_source.h"

#include "filmup_site.h"

namespace lookup {

FilmUpSource::FilmUpSource(LookupSession& session, Get get) : m_session(session), m_get(std::move(get)) {}

std::string FilmUpSource::hostName() const
{
    return filmup::hostName();
}

std::vector<std::string> FilmUpSource::afterNoAnswer() const
{
    // The site has moved more than once and may be gone: the user needs the way out.
    return {"Il sito FilmUP potrebbe non esistere pi\xF9: scegliere TMDb o Wikipedia in \"Fonte dati\"."};
}

std::vector<Result> FilmUpSource::search(const Query& query)
{
    const std::string base = filmup::baseUrl();
    const std::string page =
        m_get(SearchUrl(base, query.text, query.anyWord, query.perPage), http::Request{});
    ResultTable& table = m_session.results;
    ParseResultsPage(page, base, table);
    std::vector<Result> out;
    out.reserve(static_cast<std::size_t>(table.count));
    for (int i = 0; i < table.count; ++i)
        out.push_back(
            {table.rows[static_cast<std::size_t>(i)].title, table.rows[static_cast<std::size_t>(i)].link});
    return out;
}

Film FilmUpSource::film(const std::string& key)
{
    const std::string page = m_get(key, http::Request{});
    Film film;
    film.bytes = page.size();
    // The picture references are read from the page as received, carriage returns and all.
    if (auto urls = PictureUrls(page, filmup::baseUrl()))
        film.pictures = std::move(*urls);
    FilmData data;
    if (ExtractFilmPage(page, m_session.pageLines, m_session.actors, m_session.genres, data))
        film.data = std::move(data);
    return film;
}

} // namespace lookup
