#include "filmup_site.h"

#include "base/text.h"

#include <cstdlib>
#include <string_view>

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

std::string shortHostName(const std::string& host)
{
    // An IPv6 address comes in brackets; an IPv4 one is digits and dots before its port.
    const std::string name = host.substr(0, host.find(':'));
    if (host.empty() || host.front() == '[' || name.find_first_not_of("0123456789.") == std::string::npos)
        return host;
    std::string_view s = name;
    if (s.size() > 4 && text::equalsIgnoringAsciiCase(s.substr(0, 4), "www."))
        s.remove_prefix(4);
    s = s.substr(0, s.find('.'));
    return s.empty() ? host : std::string(s);
}

} // namespace filmup
