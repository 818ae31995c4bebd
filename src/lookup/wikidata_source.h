#pragma once

#include "source.h"

#include "base/regional.h"

#include <string>

// Wikidata's items, the plot from the Italian Wikipedia, the poster from Commons; no key.
namespace lookup {

class WikidataSource : public Source
{
public:
    struct Setup
    {
        std::string programVersion;
        RegionalSettings regional;
        // PELLICORIO_WIKIDATA_URL, PELLICORIO_WIKIPEDIA_URL, PELLICORIO_COMMONS_URL, else the real sites.
        std::string wikidataBase = DefaultWikidataBase();
        std::string wikipediaBase = DefaultWikipediaBase();
        std::string commonsBase = DefaultCommonsBase();
    };

    static std::string DefaultWikidataBase();
    static std::string DefaultWikipediaBase();
    static std::string DefaultCommonsBase();

    WikidataSource(Setup setup, Get get);

    std::string displayName() const override { return "Wikipedia"; }
    std::string hostName() const override;
    std::vector<Result> search(const Query& query) override;
    Film film(const std::string& key) override;
    http::Request pictureRequest() const override;
    bool convertsPictures() const override { return true; }

private:
    http::Request apiRequest() const;
    std::string entitiesUrl(const std::vector<std::string>& ids, const std::string& props) const;

    Setup m_setup;
    Get m_get;
};

} // namespace lookup
