#pragma once

#include "genres.h"

#include "archive/archive_file.h"

class IndexKeeper;

// What start-up derives from the loaded archive for the windows to show.
struct OpenedArchive
{
    LoadResult load{LoadResult::Outcome::Damaged, {}, {}};
    GenreView genres;
    // The listed rows of ViewTable for the title list, copied beside the other work.
    RecordTable listRows;
};

// The start-up path: LoadArchive, then the genre list with its statistics, the search index and
// the title list's rows, each once, on both cores. Throws what LoadArchive throws.
OpenedArchive OpenArchive(ArchiveModel& model, const std::string& archivePath, const RegionalSettings& rs,
                          Dialogs& dialogs, IndexKeeper& keeper);
