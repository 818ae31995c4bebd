#pragma once

#include "archive/archive_model.h"

#include <string>

// The eight texts an update writes, as the record view's fields hold them.
struct RecordEdits
{
    std::string genere, durata, datau, attore1, attore2, regia, posizione, trama;
};

// Writes the edits into ViewTable row k and into its archive record (found by the row's title
// and position before the edit). Tabs and line breaks become blanks, so the archive keeps one
// record per line. Returns the archive row, or 0 when none matches (nothing changes then).
int UpdateRecord(ArchiveModel& model, int k, const RecordEdits& edits);

// Removes ViewTable row k and its archive record from both tables; returns the archive row, or
// 0 when none matches (nothing changes then).
int DeleteRecord(ArchiveModel& model, int k);
