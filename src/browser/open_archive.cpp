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
    opened.load = LoadArchive(model, archivePath, rs, dialogs);
    SearchIndex& index = keeper.index();
    index.prepare(model.ArchiveTable, model.ArchiveCount);
    // Everything here only reads the tables, apart from GenreList, which only the first writes.
    const auto first = [&] {
        index.buildPart(0);
        opened.genres = RefreshGenresWithStatistics(model);
    };
    const auto second = [&] {
        index.buildPart(1);
        opened.listRows = RecordTable::firstRows(model.ViewTable, model.ViewCount);
    };
    if (model.ArchiveCount < kParallelRecords) {
        first();
        second();
    } else {
        runBoth(first, second);
    }
    return opened;
}
