#include "filmup_site.h"

#include <cstdlib>

namespace filmup {

std::string baseUrl()
{
    if (const char* url = std::getenv("PELLICORIO_FILMUP_URL"); url && *url) {
        std::string s(url);
        while (!s.empty() && s.back() == '/')
            s.pop_back();
        return s;
    }
    return "http://filmup.leonardo.it";
}

std::string hostName()
{
    std::string s = baseUrl();
    if (const auto p = s.find("://"); p != std::string::npos)
        s.erase(0, p + 3);
    if (const auto p = s.find('/'); p != std::string::npos)
        s.erase(p);
    return s;
}

} // namespace filmup
