#include "update_site.h"

#include <cstdlib>

namespace update {

std::string baseUrl()
{
    // The program has no update site of its own yet: a reserved name that never resolves.
    std::string url = "http://aggiornamenti.pellicorio.example/";
    if (const char* env = std::getenv("PELLICORIO_UPDATE_URL"); env && *env)
        url = env;
    if (url.back() != '/')
        url += '/';
    return url;
}

} // namespace update
