#include "search_index.h"

#include "base/parallel.h"

#include <limits>
#include <stdexcept>

namespace {

// Below this many rows one core builds the whole index: a thread costs more than it saves.
constexpr int kParallelRows = 200000;

void appendUpper(std::string& out, std::string_view s)
{
    const std::size_t at = out.size();
    out += s;
    for (std::size_t i = at; i < out.size(); ++i)
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 32);
}

} // namespace

bool SearchIndex::describes(const ArchiveModel& model) const
{
    return m_done[0] && m_done[1] && m_generation == model.ArchiveTable.generation() &&
           m_count == model.ArchiveCount;
}

void SearchIndex::refresh(const ArchiveModel& model)
{
    if (!describes(model))
        build(model.ArchiveTable, model.ArchiveCount);
}

void SearchIndex::build(const RecordTable& table, int count)
{
    prepare(table, count);
    if (count < kParallelRows) {
        buildPart(0);
        buildPart(1);
    } else {
        runBoth([this] { buildPart(0); }, [this] { buildPart(1); });
    }
}

void SearchIndex::prepare(const RecordTable& table, int count)
{
    m_source = &table;
    m_done[0] = m_done[1] = false; // describes nothing until both parts are built
    const int n = count < 0 ? 0 : count;
    m_split = n / 2;
    m_arrival.assign(static_cast<std::size_t>(n), 0.0);
    m_generation = table.generation();
    m_count = n;
}

void SearchIndex::buildPart(int part, const std::atomic<bool>* stop)
{
    const RecordTable& table = *m_source;
    const int first = part == 0 ? 1 : m_split + 1;
    const int last = part == 0 ? m_split : m_count;
    Part& p = m_parts[part];
    for (int c = 0; c < kColumns; ++c) {
        p.text[c].clear();
        p.starts[c].assign(1, 0);
        p.starts[c].reserve(static_cast<std::size_t>(last - first + 2));
    }
    for (int k = first; k <= last; ++k) {
        if (stop && (k & 4095) == 0 && stop->load(std::memory_order_relaxed))
            return;
        table.prefetch(k + 8);
        std::string_view t[8];
        double arrival = 0;
        table.texts(k, t, arrival);
        const auto at = [&t](RecordTable::Field f) { return t[static_cast<int>(f)]; };
        using F = RecordTable::Field;
        appendUpper(p.text[Title], at(F::titolo));
        appendUpper(p.text[Actors], at(F::attore1));
        p.text[Actors] += ' ';
        appendUpper(p.text[Actors], at(F::attore2));
        appendUpper(p.text[Director], at(F::regia));
        appendUpper(p.text[Position], at(F::posizione));
        p.text[Genre] += at(F::genere);
        for (int c = 0; c < kColumns; ++c) {
            if (p.text[c].size() > std::numeric_limits<std::uint32_t>::max())
                throw std::length_error("search index part too large");
            p.starts[c].push_back(static_cast<std::uint32_t>(p.text[c].size()));
        }
        m_arrival[static_cast<std::size_t>(k - 1)] = arrival;
    }
    m_done[part] = true;
}
