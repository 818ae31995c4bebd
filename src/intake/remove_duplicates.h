#pragma once

#include "archive/archive_model.h"

#include <vector>

struct DuplicateOptions
{
    bool ignorePosition = false; // the option "Ignora POSIZIONE in Rimozione Chiavi Doppie"
    bool ignoreSize = false;     // the option "Ignora DIMENSIONE in Rimozione Chiavi Doppie"
};

// Which of two duplicates stays. Each row (index row - 1) has a rank: the higher rank stays, of
// equal ranks the first. With fillEmptyFields, a record that stays takes from an outranked one it
// drops each text field of the film data that it has empty or "???". No ranks: all equal.
struct DuplicateRule
{
    std::vector<unsigned char> rank;
    bool fillEmptyFields = false;
};

// Drops each record of the title-sorted archive that repeats the last record kept: the same
// titolo, and unless ignored the same posizione and exactly the same dimmb. Texts compare exactly,
// so titles differing in case both stay, and so do repeats that the sort left apart.
// Returns the number dropped.
int RemoveDuplicates(ArchiveModel& model, DuplicateOptions options, const DuplicateRule& rule = {});

// Sorts the archive by title, then removes its duplicates; the rule's ranks are those of the rows
// before the sort.
int SortAndRemoveDuplicates(ArchiveModel& model, DuplicateOptions options, DuplicateRule rule);
