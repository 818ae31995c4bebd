#include "startup.h"

#include "error_report.h"
#include "program.h"

#include "archive/config_file.h"
#include "intake/media_scan.h"
#include "platform/dialogs.h"
#include "platform/files.h"

StartupResult startProgram(Program& program, Dialogs& dialogs)
{
    Settings& s = program.settings;
    s = Settings::defaults(files::toText(program.dataFolder));
    // Taken first: a second copy must know it is one before it writes anything.
    if (!program.folderLock)
        program.folderLock = std::make_unique<FolderLock>(program.dataFolder / kLockFileName);
    // The only writer clears what its crashed saves left; another copy's save may be running.
    if (program.folderLock->state() == FolderLock::State::Held)
        files::removeSaveLeftovers(files::fromText(s.ArchivePath));
    reportErrors(dialogs, [&] { ReadConfig(s, dialogs); });
    ReadVolumeLabel(program.intake.model(), s, program.volumes);

    ArchiveSession& archive = program.archive;
    archive.setArchivePath(s.ArchivePath);
    archive.setRegional(program.regional);
    StartupResult result;
    LoadResult load{LoadResult::Outcome::Damaged, {}, {}};
    try {
        result.opened = OpenArchive(archive.model(), s.ArchivePath, program.regional, dialogs, archive.indexKeeper());
        load = result.opened->load;
        archive.setGenres(result.opened->genres);
    } catch (const std::exception& e) {
        // Whatever stopped the load, an archive not known to be safe is never written.
        load.error = e.what();
    } catch (...) {
        load.error = "Errore imprevisto nella lettura di films.txt";
    }
    result.outcome = load.outcome;
    result.dateLabel = load.dateLabel;
    if (load.outcome == LoadResult::Outcome::Damaged) {
        archive.protect(load.error);
        dialogs.message(Dialogs::Kind::Error, load.error);
        dialogs.message(Dialogs::Kind::Warning, kProtectedArchiveNotice);
        result.readOnly = true;
    } else if (program.folderLock->state() == FolderLock::State::HeldByOther) {
        archive.protect(kLockedArchiveNotice);
        dialogs.message(Dialogs::Kind::Warning, kLockedArchiveNotice);
        result.readOnly = true;
    }
    return result;
}
