#pragma once

#include "dfilm.h"

#include <vector>

// A table of records numbered from 1. It starts with the classic 2000 rows and grows when a row
// beyond them is written; rows above a table's count keep whatever they last held.
class RecordTable
{
public:
    static constexpr int kInitialRows = 2000;

    RecordTable() : m_rows(kInitialRows) {}

    int capacity() const { return static_cast<int>(m_rows.size()); }
    // Grows the table when needed.
    dfilm& row(int i);
    // A row never written reads as an empty record.
    const dfilm& row(int i) const;
    void reserveRows(int n);
    // Copies every row, the stale ones above the count included.
    void copyAllFrom(const RecordTable& other) { m_rows = other.m_rows; }

private:
    std::vector<dfilm> m_rows;
};
