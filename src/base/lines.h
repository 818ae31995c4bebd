#pragma once

#include <string_view>

// Walks the lines of a text file held in memory. A line ends at CR LF, LF or a lone CR; a line
// end at the very end of the data does not start another (empty) line.
class LineReader
{
public:
    explicit LineReader(std::string_view data) : m_data(data) {}

    bool next(std::string_view& line)
    {
        if (m_pos >= m_data.size())
            return false;
        std::size_t end = m_pos;
        while (end < m_data.size() && m_data[end] != '\n' && m_data[end] != '\r')
            ++end;
        line = m_data.substr(m_pos, end - m_pos);
        if (end < m_data.size() && m_data[end] == '\r' && end + 1 < m_data.size() && m_data[end + 1] == '\n')
            m_pos = end + 2;
        else
            m_pos = end + 1;
        return true;
    }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};
