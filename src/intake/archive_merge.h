#pragma once

#include "remove_duplicates.h"

#include "archive/archive_model.h"
#include "base/regional.h"

#include <string>

struct MergeCounts
{
    int read = 0;
    int removed = 0;
};

// Appends every record of another archive file, then sorts the archive by title and removes its
// duplicates. Of a record of the archive and one of the file that repeats it, the archive's stays
// and takes the file's values for its empty or "???" film data. A file that cannot be read whole
// leaves the archive as it was. Saving is the caller's.
MergeCounts MergeArchiveFile(ArchiveModel& model, const std::string& path, const RegionalSettings& rs,
                             DuplicateOptions options);

// "Letti", "Doppi" and "Aggiunti" (the growth of the archive, which may be negative).
std::string mergeReport(const MergeCounts& counts);
