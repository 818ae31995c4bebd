#include "record_table.h"

#include <algorithm>

dfilm& RecordTable::row(int i)
{
    if (i > capacity())
        m_rows.resize(std::max<std::size_t>(static_cast<std::size_t>(i), m_rows.size() * 3 / 2));
    return m_rows[static_cast<std::size_t>(i - 1)];
}

const dfilm& RecordTable::row(int i) const
{
    static const dfilm kEmpty;
    if (i < 1 || i > capacity())
        return kEmpty;
    return m_rows[static_cast<std::size_t>(i - 1)];
}

void RecordTable::reserveRows(int n)
{
    if (n > capacity())
        m_rows.resize(static_cast<std::size_t>(n));
}
