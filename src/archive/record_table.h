#pragma once

#include "dfilm.h"

#include <cstdint>
#include <memory>
#include <vector>

// A table of records numbered from 1. It starts with the classic 2000 rows and grows when a row
// beyond them is written; rows above a table's count keep whatever they last held.
//
// Rows behave as values: copying a table copies every record. The records themselves are shared
// between tables until one of them writes a row, which then gets its own copy; so the view of a
// million-record archive costs pointers, not a second archive.
class RecordTable
{
public:
    static constexpr int kInitialRows = 2000;
    using Row = std::shared_ptr<dfilm>;

    RecordTable() : m_rows(kInitialRows) {}

    int capacity() const { return static_cast<int>(m_rows.size()); }
    // Changes with every write, so derived data can tell when it is out of date. The values are
    // unique in the process: two tables share one only when one is a copy of the other.
    std::uint64_t generation() const { return m_generation; }
    // A row never written reads as an empty record.
    const dfilm& row(int i) const;
    // For writing: grows the table when needed and unshares the row (a copy when shared).
    dfilm& edit(int i);
    void put(int i, Row record);
    // Asks the memory system for row i's record ahead of its use (a hint, never required).
    void prefetch(int i) const
    {
        if (i >= 1 && i <= capacity())
            if (const dfilm* r = m_rows[static_cast<std::size_t>(i - 1)].get())
                __builtin_prefetch(r);
    }
    // Row i becomes a copy of row j of another table (or this one).
    void copyRow(int i, const RecordTable& from, int j);
    void reserveRows(int n);
    // Rows 1..n take the rows order[0], order[1], ... (slot numbers, a permutation of 1..n).
    void reorder(const std::vector<int>& order);
    // Copies every row, the stale ones above the count included.
    void copyAllFrom(const RecordTable& other);
    // A table holding copies of rows 1..n only (sharing their records).
    static RecordTable firstRows(const RecordTable& from, int n);
    // Takes the records as rows 1..n of an otherwise empty table.
    void adopt(std::vector<Row>&& rows);

private:
    static std::uint64_t freshGeneration();

    std::vector<Row> m_rows;
    std::uint64_t m_generation = freshGeneration();
};
