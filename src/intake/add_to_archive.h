#pragma once

#include "remove_duplicates.h"

#include "archive/archive_model.h"
#include "archive/intake_model.h"

#include <string>
#include <vector>

struct AdditionCounts
{
    int added = 0;
    int removed = 0;
};

// Appends the entries of the given intake slots to the archive as they stand, sorts the archive
// by title and removes its duplicates. Of an entry and an archived record of the same film, an
// associated entry stays; an entry ticked by hand without association gives way to the archive's
// record. Saving is the caller's.
AdditionCounts AddToArchive(ArchiveModel& model, const IntakeModel& intake, const std::vector<int>& slots,
                            DuplicateOptions options);

// The report shown after an addition: every list line processed, the duplicates removed from the
// whole archive and the entries added before the removal.
std::string additionReport(int processed, const AdditionCounts& counts);
