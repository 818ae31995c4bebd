#pragma once

#include "archive/archive_file.h"
#include "browser/open_archive.h"

#include <optional>
#include <string>

class Dialogs;
struct Program;

// What the main window shows once the program has started.
struct StartupResult
{
    LoadResult::Outcome outcome = LoadResult::Outcome::Damaged;
    // The archive date label's text; empty when it keeps its design text.
    std::string dateLabel;
    // What start-up derived from the archive for the views; nullopt when the load threw.
    std::optional<OpenedArchive> opened;
    // films.txt may not be written: the archive is damaged or another copy holds the folder.
    bool readOnly = false;
};

// The start-up sequence: the folder lock, the configuration (which may ask the nick name), the
// volume label of the media folder, the archive with what the views derive from it, and the
// messages about a damaged or locked archive, in that order.
StartupResult startProgram(Program& program, Dialogs& dialogs);
