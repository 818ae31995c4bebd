#pragma once

#include "archive/archive_model.h"
#include "archive/intake_model.h"

#include <vector>

// The title order of the intake and of the archive: titolo with A-Z lowered, compared byte by byte
// (so an accented first letter comes after every ASCII one), by a quicksort on the middle key.
// Records of equal keys keep no particular order.

// Sorts rows 1..count whole; element k - 1 of the result is the slot that row k came from.
std::vector<int> titleSort(RecordTable& table, int count);

void SortArchiveTable(ArchiveModel& model);
// The files' real names and the association marks move with their entries.
void SortIntakeTable(IntakeModel& intake);
