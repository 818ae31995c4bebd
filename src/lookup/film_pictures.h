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

// nullopt when the page holds no reference. The reference runs to the next double quote, or to
// the end of the page when none follows.
std::optional<PictureAddresses> PictureUrls(std::string_view page, std::string_view baseUrl);

} // namespace lookup
