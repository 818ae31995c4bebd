#pragma once

#include "archive_model.h"
#include "intake_model.h"
#include "settings.h"

#include "base/regional.h"
#include "lookup/lookup_session.h"
#include "platform/folder_lock.h"
#include "platform/volume_label.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The program-wide state of the archive side, one instance for the whole run.
struct ProgramState
{
    // Where films.txt and the configuration live (the program folder).
    std::filesystem::path dataFolder;
    // The folder of the executable, where an update package goes first; empty: the data folder only.
    std::filesystem::path programFolder;
    // Held from start-up to the end: one copy of the program writes a data folder at a time.
    std::unique_ptr<FolderLock> folderLock;
    // Folders searched for the help document, in order.
    std::vector<std::filesystem::path> helpFolders;
    RegionalSettings regional = RegionalSettings::italian();
    // Where the volume labels of the media folders are learnt.
    volume::Sources volumes;
    Settings settings;
    ArchiveModel archive;
    IntakeModel intake;
    // The poster and cover files of the archive record last chosen, and which of the two the
    // zoom window shows (1 the cover, 0 the poster).
    std::string PosterImagePath;
    std::string CoverImagePath;
    int ZoomChoice = 0;
    // The lookup's working tables.
    LookupSession lookup;
    // The update window's state: not 0 while it downloads, and the transfer events then drive its
    // bar instead of the lookup window's.
    int UpdateState = 0;
    // The package name of the last successful update check.
    std::string UpdateFileName;
};
