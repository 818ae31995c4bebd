#include "clipboard_import.h"

#include "base/text.h"

namespace clipboardimport {
namespace {

bool hasBothBrackets(const std::string& s)
{
    return s.find('(') != std::string::npos && s.find(')') != std::string::npos;
}

std::string from(const std::string& s, std::size_t first)
{
    return first < s.size() ? s.substr(first) : std::string();
}

// Examines the lines from `first` on for one holding "(" and ")", up to line `last` and at least
// one line. `next` becomes the line after the last one examined.
std::optional<std::string> bracketedLine(const LineTable& t, int first, int last, int& next)
{
    int n = first;
    for (;;) {
        const std::string& s = t.line(n++);
        if (hasBothBrackets(s)) {
            next = n;
            return s;
        }
        if (n > last) {
            next = n;
            return std::nullopt;
        }
    }
}

} // namespace

LineTable::LineTable(std::string_view text) : m_slots(kLineSlots)
{
    std::size_t start = 0;
    while (m_count < kLineSlots) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            break;
        // Tabs inside a line would reach the record.
        m_slots[static_cast<std::size_t>(m_count++)] =
            text::flattenLineBreaks(text::trim(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

const std::string& LineTable::line(int n) const
{
    static const std::string kEmpty;
    if (n < 1 || n > m_count)
        return kEmpty;
    return m_slots[static_cast<std::size_t>(n - 1)];
}

bool isFilmPageText(std::string_view text)
{
    return text.find("Regia:") != std::string_view::npos || text.find("Anno:") != std::string_view::npos;
}

std::optional<FilmFields> parseFilmPage(std::string_view text)
{
    if (!isFilmPageText(text))
        return std::nullopt;
    const LineTable t(text);
    FilmFields f;
    f.titolo = t.line(1);
    f.durata = t.line(4);
    f.genere = text::upperAscii(t.line(5));
    // The first seven characters go whatever they are: "Regia: ".
    f.regia = from(t.line(6), 7);

    int pos = 6;
    if (text.find("Anno:") != std::string_view::npos) {
        for (int n = 7; n <= kLineSlots; ++n) {
            if (t.line(n).compare(0, 5, "Anno:") == 0) {
                f.datau = from(t.line(n), 6);
                pos = n + 1;
                break;
            }
        }
    }

    // Past the table every line is empty, so three empty lines are always found.
    int m = pos;
    while (!(t.line(m).empty() && t.line(m + 1).empty() && t.line(m + 2).empty()))
        ++m;
    pos = m + 3;
    while (pos <= kLineSlots && t.line(pos).empty())
        ++pos;

    f.trama = t.line(pos++);
    for (; !t.line(pos).empty(); ++pos)
        if (t.line(pos) != "Leggi il finale")
            f.trama += " " + t.line(pos);

    f.attore1 = bracketedLine(t, pos, kLineSlots - 2, pos);
    f.attore2 = bracketedLine(t, pos, kLineSlots - 1, pos);
    return f;
}

} // namespace clipboardimport
