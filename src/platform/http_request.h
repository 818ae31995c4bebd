#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace http {

// What one GET sends besides its URL, when it is not the FilmUP site's browser-like request.
struct Request
{
    // 0: the limits' cap.
    std::size_t maxBodyBytes = 0;
    // Empty: "Mozilla/3.0 IE9".
    std::string userAgent;
    // Whole header lines ("Accept: application/json"); empty: "Accept: text/html, */*".
    std::vector<std::string> headers;
};

// The file of extra certificates to trust beside the system's, named by PELLICORIO_CA_BUNDLE.
inline constexpr const char* kCaBundleVariable = "PELLICORIO_CA_BUNDLE";

} // namespace http
