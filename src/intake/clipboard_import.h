#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a film page of the second film site, as a browser copies it, read into the intake
// fields. Texts are Windows-1252.
namespace clipboardimport {

inline constexpr int kLineSlots = 50;

// The first 50 lines of a text, trimmed. A line ends at CR LF, a lone LF or a lone CR; the text
// after the last line end is dropped, and so is every line past the 50th.
class LineTable
{
public:
    explicit LineTable(std::string_view text);
    // Line n, 1-based; empty for a line that was not stored, so no search runs past the table.
    const std::string& line(int n) const;
    int count() const { return m_count; }

private:
    std::vector<std::string> m_slots;
    int m_count = 0;
};

// What the text gives. The fields read from fixed lines are always set, empty or not; an unset
// optional means the text holds nothing for it, and the intake field keeps its content.
struct FilmFields
{
    std::string titolo, durata, genere, regia, trama;
    std::optional<std::string> datau, attore1, attore2;
};

// True when the text can be a film page: it holds "Regia:" or "Anno:" somewhere.
bool isFilmPageText(std::string_view text);

// nullopt when the text is no film page.
std::optional<FilmFields> parseFilmPage(std::string_view text);

} // namespace clipboardimport
