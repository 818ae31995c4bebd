#pragma once

#include "archive/archive_model.h"

struct DuplicateOptions
{
    bool ignorePosition = false; // the option "Ignora POSIZIONE in Rimozione Chiavi Doppie"
    bool ignoreSize = false;     // the option "Ignora DIMENSIONE in Rimozione Chiavi Doppie"
};

// Drops each record of the title-sorted archive that repeats the last record kept: the same
// titolo, and unless ignored the same posizione and exactly the same dimmb. Texts compare exactly,
// so titles differing in case both stay, and so do repeats that the sort left apart.
// Returns the number dropped.
int RemoveDuplicates(ArchiveModel& model, DuplicateOptions options);
