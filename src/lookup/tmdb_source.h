#pragma once

#include "source.h"

#include "base/regional.h"

#include <string>

// TMDb (API version 3) with the user's own key.
namespace lookup {

class TmdbSource : public Source
{
public:
    struct Setup
    {
        // A key without "." is a v3 key (the api_key parameter); one with dots a read access
        // token (Authorization: Bearer).
        std::string key;
        std::string programVersion;
        RegionalSettings regional;
        // PELLICORIO_TMDB_URL and PELLICORIO_TMDB_IMAGE_URL, else TMDb's own.
        std::string apiBase = DefaultApiBase();
        std::string pictureBase = DefaultPictureBase();
    };

    static std::string DefaultApiBase();
    static std::string DefaultPictureBase();

    TmdbSource(Setup setup, Get get);
    // SALVA stores a new key: the next search uses it.
    void setKey(const std::string& key);

    std::string displayName() const override { return "TMDb"; }
    std::string hostName() const override;
    std::vector<std::string> notReady() const override;
    std::vector<Result> search(const Query& query) override;
    Film film(const std::string& key) override;
    http::Request pictureRequest() const override;
    bool convertsPictures() const override { return true; }

    // The two requests, for the tests: the key is in them, never in a text the user sees.
    std::string searchUrl(const Query& query) const;
    std::string filmUrl(const std::string& id) const;
    http::Request apiRequest() const;

private:
    bool isToken() const;
    std::string keyParameter() const;

    Setup m_setup;
    Get m_get;
};

} // namespace lookup
