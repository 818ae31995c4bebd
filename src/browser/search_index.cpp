#include "search_index.h"

#include "base/parallel.h"
#include "base/search_fold.h"

#include <limits>
#include <stdexcept>

namespace {

// Below this many rows one core builds the whole index: a thread costs more than it saves.
constexpr int kParallelRows = 200000;

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

void SearchIndex::Part::clear(std::size_t rows)
{
    for (int c = 0; c < kColumns; ++c) {
        text[c].clear();
        starts[c].assign(1, 0);
        starts[c].reserve(rows + 1);
    }
    arrival.clear();
    arrival.reserve(rows);
}

void SearchIndex::Part::add(const std::string_view (&t)[8], double dataa)
{
    const auto at = [&t](RecordTable::Field f) { return t[static_cast<int>(f)]; };
    using F = RecordTable::Field;
    text::appendSearchFolded(text[Title], at(F::titolo));
    text::appendSearchFolded(text[Actors], at(F::attore1));
    text[Actors] += ' ';
    text::appendSearchFolded(text[Actors], at(F::attore2));
    text::appendSearchFolded(text[Director], at(F::regia));
    text::appendSearchFolded(text[Position], at(F::posizione));
    text[Genre] += at(F::genere);
    for (int c = 0; c < kColumns; ++c) {
        if (text[c].size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("search index part too large");
        starts[c].push_back(static_cast<std::uint32_t>(text[c].size()));
    }
    arrival.push_back(dataa);
}

void SearchIndex::beginLoad()
{
    m_done[0] = m_done[1] = false;
    m_lost[0] = m_lost[1] = false;
    m_parts[0].clear(0);
    m_parts[1].clear(0);
}

void SearchIndex::record(int part, const std::string_view (&texts)[8], double dataa)
{
    // A part that cannot grow gives up, and leaves the load alone: the index is then built
    // the ordinary way, or the filters read the records.
    if (m_lost[part])
        return;
    try {
        m_parts[part].add(texts, dataa);
    } catch (...) {
        m_lost[part] = true;
        m_parts[part].clear(0);
    }
}

bool SearchIndex::finishLoad(const ArchiveModel& model)
{
    if (m_lost[0] || m_lost[1] || m_parts[0].rows() + m_parts[1].rows() != std::max(model.ArchiveCount, 0))
        return false;
    m_split = m_parts[0].rows();
    m_count = model.ArchiveCount < 0 ? 0 : model.ArchiveCount;
    m_generation = model.ArchiveTable.generation();
    m_done[0] = m_done[1] = true;
    return true;
}

void SearchIndex::prepare(const RecordTable& table, int count)
{
    m_source = &table;
    m_done[0] = m_done[1] = false; // describes nothing until both parts are built
    const int n = count < 0 ? 0 : count;
    m_split = n / 2;
    m_generation = table.generation();
    m_count = n;
}

void SearchIndex::buildPart(int part, const std::atomic<bool>* stop)
{
    const RecordTable& table = *m_source;
    const int first = part == 0 ? 1 : m_split + 1;
    const int last = part == 0 ? m_split : m_count;
    Part& p = m_parts[part];
    p.clear(static_cast<std::size_t>(last - first + 1));
    for (int k = first; k <= last; ++k) {
        if (stop && (k & 4095) == 0 && stop->load(std::memory_order_relaxed))
            return;
        table.prefetch(k + 8);
        std::string_view t[8];
        double arrival = 0;
        table.texts(k, t, arrival);
        p.add(t, arrival);
    }
    m_done[part] = true;
}
