#pragma once

#include <cstring>
#include <string_view>

// Walks the lines of a text file held in memory. A line ends at CR LF, LF or a lone CR; a line
// end at the very end of the data does not start another (empty) line.
class LineReader
{
public:
    explicit LineReader(std::string_view data) : m_data(data) {}

    bool next(std::string_view& line)
    {
        const std::size_t size = m_data.size();
        if (m_pos >= size)
            return false;
        const char* begin = m_data.data() + m_pos;
        const std::size_t left = size - m_pos;
        const void* lf = std::memchr(begin, '\n', left);
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : left;
        // A CR that is not the one before the LF ends the line early.
        if (const void* cr = std::memchr(begin, '\r', end)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
            if (at + 1 < end || !lf) {
                line = std::string_view(begin, at);
                m_pos += at + 1;
                return true;
            }
            line = std::string_view(begin, at);
            m_pos += end + 1;
            return true;
        }
        line = std::string_view(begin, end);
        m_pos += end + 1;
        return true;
    }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};
