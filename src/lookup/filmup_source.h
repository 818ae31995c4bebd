#pragma once

#include "lookup_session.h"
#include "source.h"

// The FilmUP site, read from its HTML pages as ever.
namespace lookup {

class FilmUpSource : public Source
{
public:
    // The session keeps the working tables, which each search and film page refill.
    FilmUpSource(LookupSession& session, Get get);

    std::string displayName() const override { return "FilmUP"; }
    std::string hostName() const override;
    std::vector<std::string> afterNoAnswer() const override;
    std::vector<Result> search(const Query& query) override;
    Film film(const std::string& key) override;

private:
    LookupSession& m_session;
    Get m_get;
};

} // namespace lookup
