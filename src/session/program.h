#pragma once

#include "archive_session.h"
#include "intake_session.h"

#include "archive/settings.h"
#include "base/regional.h"
#include "platform/folder_lock.h"
#include "platform/volume_label.h"

#include <filesystem>
#include <memory>
#include <vector>

// What one run of the program keeps apart from its windows: where it lives, its settings, and
// the two sessions that say when they change.
struct Program
{
    // Where films.txt and the configuration live.
    std::filesystem::path dataFolder;
    // The folder of the executable, where an update package goes first; empty: the data folder only.
    std::filesystem::path programFolder;
    // Folders searched for the help document, in order.
    std::vector<std::filesystem::path> helpFolders;
    RegionalSettings regional = RegionalSettings::italian();
    // Where the volume labels of the media folders are learnt.
    volume::Sources volumes;
    Settings settings;
    // Held from start-up to the end: one copy of the program writes a data folder at a time.
    std::unique_ptr<FolderLock> folderLock;
    ArchiveSession archive;
    IntakeSession intake;
};
