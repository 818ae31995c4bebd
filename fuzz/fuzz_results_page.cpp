// Results pages: every row links to a film page of the site, and no title keeps markup.
#include "fuzz_support.h"
#include "lookup/film_search.h"

namespace {

const std::string kBase = "http://filmup.test";

bool clean(const std::string& s)
{
    for (char c : s)
        if (c == '<' || c == '>' || c == '\t' || c == '\n' || c == '\r')
            return false;
    return true;
}

bool trimmed(const std::string& s)
{
    return s.empty() || (static_cast<unsigned char>(s.front()) > 32 && static_cast<unsigned char>(s.back()) > 32);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view page = asText(data, size);
    const std::string stripped = lookup::StripTags(page);
    if (stripped.find('<') != std::string::npos || stripped.find('>') != std::string::npos || !trimmed(stripped))
        __builtin_trap();

    lookup::ResultTable table;
    lookup::ParseResultsPage(page, kBase, table);
    if (table.count < 0 || static_cast<std::size_t>(table.count) > table.rows.size())
        __builtin_trap();
    for (int i = 0; i < table.count; ++i) {
        const lookup::SearchResult& r = table.rows[static_cast<std::size_t>(i)];
        if (r.link.compare(0, kBase.size() + 4, kBase + "/sc_") != 0 || r.link.find('"') != std::string::npos)
            __builtin_trap();
        if (!clean(r.title) || !trimmed(r.title))
            __builtin_trap();
    }
    return 0;
}
