#include "record_table.h"

#include <algorithm>
#include <atomic>

namespace {
const dfilm kEmpty;
std::atomic<std::uint64_t> g_lastGeneration{0};
} // namespace

std::uint64_t RecordTable::freshGeneration() { return ++g_lastGeneration; }

const dfilm& RecordTable::row(int i) const
{
    if (i < 1 || i > capacity())
        return kEmpty;
    const Row& r = m_rows[static_cast<std::size_t>(i - 1)];
    return r ? *r : kEmpty;
}

dfilm& RecordTable::edit(int i)
{
    m_generation = freshGeneration();
    if (i > capacity())
        m_rows.resize(std::max<std::size_t>(static_cast<std::size_t>(i), m_rows.size() * 3 / 2));
    Row& r = m_rows[static_cast<std::size_t>(i - 1)];
    if (!r)
        r = std::make_shared<dfilm>();
    else if (r.use_count() > 1)
        r = std::make_shared<dfilm>(*r);
    return *r;
}

void RecordTable::put(int i, Row record)
{
    m_generation = freshGeneration();
    reserveRows(i);
    m_rows[static_cast<std::size_t>(i - 1)] = std::move(record);
}

void RecordTable::reserveRows(int n)
{
    m_generation = freshGeneration();
    if (n > capacity())
        m_rows.resize(static_cast<std::size_t>(n));
}

void RecordTable::copyAllFrom(const RecordTable& other)
{
    if (&other != this) {
        m_rows = other.m_rows;
        m_generation = freshGeneration();
    }
}

RecordTable RecordTable::firstRows(const RecordTable& from, int n)
{
    RecordTable t;
    const auto rows = static_cast<std::size_t>(std::clamp(n, 0, from.capacity()));
    const auto head = static_cast<std::ptrdiff_t>(std::min(rows, t.m_rows.size()));
    std::copy(from.m_rows.begin(), from.m_rows.begin() + head, t.m_rows.begin());
    if (rows > t.m_rows.size())
        t.m_rows.insert(t.m_rows.end(), from.m_rows.begin() + static_cast<std::ptrdiff_t>(t.m_rows.size()),
                        from.m_rows.begin() + static_cast<std::ptrdiff_t>(rows));
    return t;
}

void RecordTable::adopt(std::vector<Row>&& rows)
{
    m_generation = freshGeneration();
    m_rows = std::move(rows);
    if (m_rows.size() < static_cast<std::size_t>(kInitialRows))
        m_rows.resize(kInitialRows);
}

void RecordTable::copyRow(int i, const RecordTable& from, int j)
{
    m_generation = freshGeneration();
    reserveRows(i);
    Row source = j >= 1 && j <= from.capacity() ? from.m_rows[static_cast<std::size_t>(j - 1)] : Row();
    m_rows[static_cast<std::size_t>(i - 1)] = std::move(source);
}

void RecordTable::reorder(const std::vector<int>& order)
{
    m_generation = freshGeneration();
    std::vector<Row> moved(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        moved[k] = std::move(m_rows[static_cast<std::size_t>(order[k] - 1)]);
    std::move(moved.begin(), moved.end(), m_rows.begin());
}
