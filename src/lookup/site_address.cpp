#include "site_address.h"

#include "json_reading.h"

#include <cstdlib>

namespace lookup {

std::string SiteAddress(const char* variable, const std::string& fallback)
{
    std::string s = fallback;
    if (const char* v = std::getenv(variable); v && *v)
        s = v;
    while (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

std::string HostOf(const std::string& address)
{
    std::string s = address;
    if (const auto p = s.find("://"); p != std::string::npos)
        s.erase(0, p + 3);
    if (const auto p = s.find('/'); p != std::string::npos)
        s.erase(p);
    return s;
}

std::string UserAgent(const std::string& programVersion)
{
    return "Pellicorio/" + programVersion + " (catalogo personale di film, programma desktop)";
}

http::Request JsonRequest(const std::string& programVersion)
{
    http::Request r;
    r.maxBodyBytes = json::kMaxBytes;
    r.userAgent = UserAgent(programVersion);
    r.headers = {"Accept: application/json"};
    return r;
}

http::Request PictureRequest(const std::string& programVersion)
{
    http::Request r;
    r.userAgent = UserAgent(programVersion);
    r.headers = {"Accept: image/*"};
    return r;
}

} // namespace lookup
