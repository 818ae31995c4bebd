#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a film page's poster and cover are: both come from its first "locand/" reference.
namespace lookup {

struct PictureAddresses
{
    std::string poster;
    std::string cover;
};

// nullopt when the page holds no reference, or its first one has no closing double quote.
std::optional<PictureAddresses> PictureUrls(std::string_view page, std::string_view baseUrl);

} // namespace lookup
