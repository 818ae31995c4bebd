#include "archive_commit.h"

#include "error_report.h"

#include "archive/archive_file.h"
#include "archive/program_state.h"

bool changeAndSaveArchive(ProgramState& state, Dialogs& dialogs, const std::function<void()>& change)
{
    // Copying the tables copies shared row pointers, not records.
    ArchiveModel before = state.archive;
    const bool saved = reportErrors(dialogs, [&] {
        change();
        SaveArchive(state.archive, state.settings.ArchivePath, state.regional);
    });
    if (!saved)
        state.archive = std::move(before);
    return saved;
}
