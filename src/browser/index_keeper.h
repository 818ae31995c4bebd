#pragma once

#include "search_index.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <thread>

// Keeps the search index in step with the archive. Start-up builds it beside its other work;
// after a change a helper thread builds it again, so no keystroke waits for it. Until the new
// index is ready, filters read the records themselves.
class IndexKeeper
{
public:
    IndexKeeper();
    ~IndexKeeper();
    IndexKeeper(const IndexKeeper&) = delete;
    IndexKeeper& operator=(const IndexKeeper&) = delete;

    // The index that start-up builds in place, part by part.
    SearchIndex& index() { return *m_index; }
    // Starts building for the archive as it is now. The helper reads a copy of the table: the
    // records are shared with it, and an edit made meanwhile writes a copy of its record.
    void rebuild(const ArchiveModel& model);
    // The index when it describes the archive as it is now, else nullptr; a stale index with no
    // build under way starts one.
    const SearchIndex* ready(const ArchiveModel& model);
    // Waits for the build under way, if any.
    void waitForBuild();

private:
    struct Build
    {
        RecordTable snapshot;
        int count = 0;
        std::unique_ptr<SearchIndex> index = std::make_unique<SearchIndex>();
        std::atomic<bool> stop{false};
        std::atomic<bool> done{false};
        std::thread thread;
    };

    // Takes a finished build's index; with wait, waits for an unfinished one first.
    void collect(bool wait);

    std::unique_ptr<SearchIndex> m_index;
    std::unique_ptr<Build> m_build;
    std::uint64_t m_failedGeneration = 0;
    int m_failedCount = -1;
};
