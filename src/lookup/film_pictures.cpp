#include "film_pictures.h"

namespace lookup {

std::optional<PictureAddresses> PictureUrls(std::string_view page, std::string_view baseUrl)
{
    static constexpr std::string_view kFolder = "locand/";
    const std::size_t at = page.find(kFolder);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = page.substr(at);
    // Without its closing quote the reference would run to the end of the page.
    const std::size_t quote = rest.find('"');
    if (quote == std::string_view::npos)
        return std::nullopt;
    const std::string_view path = rest.substr(0, quote);
    const std::string_view name = path.substr(kFolder.size());
    PictureAddresses urls;
    urls.poster.append(baseUrl).append("/").append(path);
    urls.cover.append(baseUrl).append("/posters/loc/500/").append(name);
    return urls;
}

} // namespace lookup
