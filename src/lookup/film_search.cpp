#include "film_search.h"

#include "base/text.h"

#include <algorithm>

namespace lookup {
namespace {

constexpr std::string_view kHrefOpen = "href=\"";
constexpr std::string_view kResultHeading = "FilmUP - Scheda:";
constexpr std::string_view kAnchorEnd = "</a>";
constexpr std::string_view kNbsp = "&nbsp;";
constexpr std::size_t kKeptAfterNbsp = 1000;
constexpr std::size_t kSkippedWithoutHeading = 15;

// Searches one needle from offsets that only grow and remembers the last answer, so that a page
// is scanned about once per needle however many results it holds (a heading or "</a>" missing
// from a long page would otherwise be looked for to the end at every result).
class ForwardFinder
{
public:
    ForwardFinder(std::string_view text, std::string_view needle) : m_text(text), m_needle(needle) {}

    std::size_t find(std::size_t from)
    {
        const bool known = m_searched && from >= m_from && (m_hit == std::string_view::npos || m_hit >= from);
        if (!known) {
            m_searched = true;
            m_from = from;
            m_hit = m_text.find(m_needle, from);
        }
        return m_hit;
    }

private:
    std::string_view m_text;
    std::string_view m_needle;
    bool m_searched = false;
    std::size_t m_from = 0;
    std::size_t m_hit = std::string_view::npos;
};

// Control codes would break the URL; they count as blanks, as trimming already treats them.
bool joinsWords(char c)
{
    return static_cast<unsigned char>(c) <= 32 || c == '.' || c == '_';
}

} // namespace

std::string StripTags(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool inTag = false;
    for (const char c : text) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            out += c;
    }
    if (const std::size_t at = out.find(kNbsp); at != std::string::npos) {
        out.erase(at, kNbsp.size());
        out.resize(at + std::min(out.size() - at, kKeptAfterNbsp));
    }
    return text::trim(out);
}

std::string SearchTextFromFileName(std::string_view fileName)
{
    if (const std::size_t dot = fileName.rfind('.'); dot != std::string_view::npos)
        fileName = fileName.substr(0, dot);
    // A file name may hold a tab or a line break; the one-line search field may not.
    const std::string name = text::flattenLineBreaks(text::upperAscii(fileName));
    if (const std::size_t cd = name.find("- CD"); cd != std::string::npos)
        return text::trim(std::string_view(name).substr(0, cd));
    return name;
}

std::string SearchUrl(std::string_view baseUrl, std::string_view searchText, bool anyWord,
                      std::string_view perPage)
{
    std::string words = text::trim(text::upperAscii(searchText));
    for (char& c : words)
        if (joinsWords(c))
            c = '+';
    std::string url(baseUrl);
    url += "/cgi-bin/search.cgi?ps=";
    url += text::trim(perPage);
    url += "&fmt=long&q=";
    url += words;
    url += "&ul=%25%2Fsc_%25&x=&y=";
    url += anyWord ? "&m=any" : "&m=all";
    url += "&wf=0020&wm=wrd&sy=0";
    return url;
}

void ParseResultsPage(std::string_view page, std::string_view baseUrl, ResultTable& table)
{
    table.count = 0;
    std::string needle(kHrefOpen);
    needle += baseUrl;
    needle += "/sc_";
    ForwardFinder links(page, needle), quotes(page, "\""), headings(page, kResultHeading),
        ends(page, kAnchorEnd);
    constexpr std::size_t npos = std::string_view::npos;

    // r is where the remaining text begins; every turn moves it past the needle it found.
    std::size_t r = 0;
    for (std::size_t hit = links.find(r); hit != npos; hit = links.find(r)) {
        r = hit + kHrefOpen.size();
        const std::size_t quote = quotes.find(r);
        const std::string_view link = page.substr(r, quote == npos ? npos : quote - r);

        const std::size_t heading = headings.find(r);
        r = heading != npos ? heading + kResultHeading.size()
                            : std::min(r + kSkippedWithoutHeading, page.size());

        // Without "</a>" the title is the rest of the page and nothing remains after it.
        const std::size_t end = ends.find(r);
        const std::string_view rawTitle = page.substr(r, end == npos ? npos : end - r);
        r = end == npos ? page.size() : end;

        // Titles go to one-line fields and the archive: no tab or line break.
        std::string title = text::flattenLineBreaks(StripTags(rawTitle));
        const auto row = static_cast<std::size_t>(table.count);
        if (row < table.rows.size()) {
            table.rows[row].title = std::move(title);
            table.rows[row].link.assign(link);
        } else {
            table.rows.push_back(SearchResult{std::move(title), std::string(link)});
        }
        ++table.count;
    }
}

} // namespace lookup
