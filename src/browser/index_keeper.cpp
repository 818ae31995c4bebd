#include "index_keeper.h"

IndexKeeper::IndexKeeper() : m_index(std::make_unique<SearchIndex>()) {}

IndexKeeper::~IndexKeeper()
{
    if (m_build) {
        m_build->stop = true;
        m_build->thread.join();
    }
}

void IndexKeeper::collect(bool wait)
{
    if (!m_build || (!wait && !m_build->done.load(std::memory_order_acquire)))
        return;
    m_build->thread.join();
    if (!m_build->stop && m_build->index)
        m_index = std::move(m_build->index);
    else if (!m_build->stop) {
        // It could not be built: not again for the same archive, at every keystroke.
        m_failedGeneration = m_build->snapshot.generation();
        m_failedCount = m_build->count;
    }
    // Dropped here, on the thread that changes the tables: the shared records' counts never
    // fall under the other thread's feet.
    m_build.reset();
}

void IndexKeeper::waitForBuild() { collect(true); }

void IndexKeeper::rebuild(const ArchiveModel& model)
{
    if (m_build) {
        m_build->stop = true;
        collect(true);
    }
    auto build = std::make_unique<Build>();
    build->snapshot = model.ArchiveTable;
    build->count = model.ArchiveCount;
    Build* b = build.get();
    b->thread = std::thread([b] {
        try {
            b->index->prepare(b->snapshot, b->count);
            b->index->buildPart(0, &b->stop);
            b->index->buildPart(1, &b->stop);
        } catch (...) {
            // No index (a part too large, no memory): the filters keep reading the records.
            b->index.reset();
        }
        b->done.store(true, std::memory_order_release);
    });
    m_build = std::move(build);
}

const SearchIndex* IndexKeeper::ready(const ArchiveModel& model)
{
    collect(false);
    if (m_index && m_index->describes(model))
        return m_index.get();
    const bool failedBefore =
        model.ArchiveTable.generation() == m_failedGeneration && model.ArchiveCount == m_failedCount;
    if (!m_build && !failedBefore)
        rebuild(model);
    return nullptr;
}
