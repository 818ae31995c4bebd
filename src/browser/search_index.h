#pragma once

#include "archive/archive_file.h"
#include "archive/archive_model.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The filterable fields of the archive side by side in memory, the texts already folded,
// so a filter pass over a million records reads a few contiguous buffers instead of a million
// scattered records. It is kept in two parts (the two halves of the rows), which the two cores
// can build at the same time.
class SearchIndex : public LoadWatcher
{
public:
    // Start-up builds it as the load's watcher, on the threads that check the file's lines:
    // begin, load, then finish, which tells whether it holds exactly the loaded rows (and then
    // describes the archive).
    void beginLoad();
    void record(int part, const std::string_view (&texts)[8], double dataa) override;
    bool finishLoad(const ArchiveModel& model);
    // Makes the index describe the archive table, building it here when it does not.
    void refresh(const ArchiveModel& model);
    // Builds from rows 1..count of a table (a copy of the archive table describes the archive).
    void build(const RecordTable& table, int count);
    // The same in steps: prepare, then build both parts, on one thread each or one after the
    // other. The table must stay unchanged until both are built.
    void prepare(const RecordTable& table, int count);
    // A part whose stop flag goes up on the way is left unfinished.
    void buildPart(int part, const std::atomic<bool>* stop = nullptr);
    // True when built from the archive table as it is now.
    bool describes(const ArchiveModel& model) const;

    enum Column { Title, Actors, Director, Position, Genre, kColumns };
    // Row k (1-based) of a column; Genre keeps its case, the others are folded for searching.
    std::string_view text(Column c, int k) const
    {
        const bool second = k > m_split;
        const Part& p = m_parts[second ? 1 : 0];
        const auto i = static_cast<std::size_t>(k - 1 - (second ? m_split : 0));
        return std::string_view(p.text[c]).substr(p.starts[c][i], p.starts[c][i + 1] - p.starts[c][i]);
    }
    double arrival(int k) const
    {
        const bool second = k > m_split;
        return m_parts[second ? 1 : 0].arrival[static_cast<std::size_t>(k - 1 - (second ? m_split : 0))];
    }

private:
    struct Part
    {
        std::string text[kColumns];
        // Offsets into text: 4 bytes a row; a part that would outgrow them is refused.
        std::vector<std::uint32_t> starts[kColumns];
        std::vector<double> arrival;

        void clear(std::size_t rows);
        void add(const std::string_view (&texts)[8], double dataa);
        int rows() const { return static_cast<int>(arrival.size()); }
    };

    const RecordTable* m_source = nullptr; // only between prepare and the parts
    std::uint64_t m_generation = 0;
    int m_count = -1;
    int m_split = 0;
    bool m_done[2] = {false, false};
    bool m_lost[2] = {false, false};
    Part m_parts[2];
};
