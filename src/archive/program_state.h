#pragma once

#include "archive_model.h"
#include "settings.h"

#include "base/regional.h"

#include <filesystem>
#include <vector>

// The program-wide state of the archive side, one instance for the whole run.
struct ProgramState
{
    // Where films.txt and the configuration live (the program folder).
    std::filesystem::path dataFolder;
    // Folders searched for the help document, in order.
    std::vector<std::filesystem::path> helpFolders;
    RegionalSettings regional = RegionalSettings::italian();
    Settings settings;
    ArchiveModel archive;
};
