#include "open_archive.h"

#include "index_keeper.h"

#include "base/parallel.h"

namespace {

// Below this many records the work is too small to share out.
constexpr int kParallelRecords = 50000;

} // namespace

OpenedArchive OpenArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                          Dialogs& dialogs, IndexKeeper& keeper)
{
    OpenedArchive opened;
    SearchIndex& index = keeper.index();
    // The index grows as the lines are checked, while they are at hand.
    index.beginLoad();
    opened.load = LoadArchive(model, archivePath, rs, dialogs, &index);
    const bool indexed = index.finishLoad(model);
    if (!indexed)
        index.prepare(model.ArchiveTable, model.ArchiveCount);
    // An index that cannot be built (no memory for it) leaves the filters to read the records.
    const auto buildPart = [&](int part) {
        try {
            if (!indexed)
                index.buildPart(part);
        } catch (...) {
        }
    };
    // Everything here only reads the tables, apart from GenreList, which only the first writes.
    const auto first = [&] {
        buildPart(0);
        opened.genres = RefreshGenresWithStatistics(model);
    };
    const auto second = [&] {
        buildPart(1);
        opened.listRows = RecordTable::firstRows(model.ViewTable, model.ViewCount);
    };
    if (indexed || model.ArchiveCount < kParallelRecords) {
        // With the index made by the load, the genres share out their own work.
        second();
        first();
    } else {
        runBoth(first, second);
    }
    return opened;
}
