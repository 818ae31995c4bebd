#pragma once

#include "record_table.h"

#include <optional>
#include <string>
#include <vector>

// The archive side of the program-wide state.
struct ArchiveModel
{
    RecordTable ArchiveTable;
    int ArchiveCount = 0;
    RecordTable ViewTable;
    int ViewCount = 0;
    std::vector<std::string> GenreList;
    int GenreCount = 0;
    int PendingDataFlag = 0;
    // Set when films.txt could not be read whole: the file is then never overwritten.
    std::optional<std::string> protectedReason;

    void copyArchiveToView();
    // The first row among 1..ArchiveCount with the same titolo and posizione; 0 when none.
    int findRecord(const dfilm& record) const;
};
