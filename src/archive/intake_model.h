#pragma once

#include "record_table.h"

#include <string>
#include <vector>

// The new films of the media folder, before they reach the archive.
struct IntakeModel
{
    RecordTable IntakeTable;
    int IntakeCount = 0;
    // Beside each slot (index slot - 1), the file's name as the file system spells it; titolo is
    // the upper-cased Windows-1252 form. Empty for titles read from a list.
    std::vector<std::string> FileNames;
    // Beside each slot, whether its data came from an association: such an entry is newer than
    // the archive's record of the same film, while one ticked by hand carries no data to prefer.
    std::vector<bool> Associated;
    std::string VolumeLabel;
    // Set by the lookup once its poster or cover picture is shown: the association saves them.
    bool PosterReceived = false;
    bool CoverReceived = false;

    const std::string& fileName(int slot) const;
    bool associated(int slot) const;
};
