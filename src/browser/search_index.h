#pragma once

#include "archive/archive_model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The filterable fields of the archive side by side in memory, the texts already upper-cased,
// so a filter pass over a million records reads a few contiguous buffers instead of a million
// scattered records. Rebuilt only when the archive table changed.
class SearchIndex
{
public:
    void refresh(const ArchiveModel& model);

    enum Column { Title, Actors, Director, Position, Genre, kColumns };
    // Row k (1-based) of a column; Genre keeps its case, the others are upper-cased (a-z).
    std::string_view text(Column c, int k) const
    {
        const auto& starts = m_starts[c];
        return std::string_view(m_text[c]).substr(starts[static_cast<std::size_t>(k - 1)],
                                                  starts[static_cast<std::size_t>(k)] - starts[static_cast<std::size_t>(k - 1)]);
    }
    double arrival(int k) const { return m_arrival[static_cast<std::size_t>(k - 1)]; }

private:
    const RecordTable* m_table = nullptr;
    std::uint64_t m_generation = 0;
    int m_count = -1;
    std::string m_text[kColumns];
    std::vector<std::size_t> m_starts[kColumns];
    std::vector<double> m_arrival;
};
