#include "search_index.h"

namespace {

void appendUpper(std::string& out, std::string_view s)
{
    const std::size_t at = out.size();
    out += s;
    for (std::size_t i = at; i < out.size(); ++i)
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 32);
}

} // namespace

void SearchIndex::refresh(const ArchiveModel& model)
{
    const RecordTable& table = model.ArchiveTable;
    if (m_table == &table && m_generation == table.generation() && m_count == model.ArchiveCount)
        return;
    const int n = model.ArchiveCount;
    for (int c = 0; c < kColumns; ++c) {
        m_text[c].clear();
        m_starts[c].assign(1, 0);
        m_starts[c].reserve(static_cast<std::size_t>(n) + 1);
    }
    m_arrival.clear();
    m_arrival.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        table.prefetch(k + 8);
        const dfilm& r = table.row(k);
        appendUpper(m_text[Title], r.titolo);
        appendUpper(m_text[Actors], r.attore1);
        m_text[Actors] += ' ';
        appendUpper(m_text[Actors], r.attore2);
        appendUpper(m_text[Director], r.regia);
        appendUpper(m_text[Position], r.posizione);
        m_text[Genre] += r.genere;
        for (int c = 0; c < kColumns; ++c)
            m_starts[c].push_back(m_text[c].size());
        m_arrival.push_back(r.dataa);
    }
    m_table = &table;
    m_generation = table.generation();
    m_count = n;
}
