#include "support/program_fixture.h"

#include "archive/archive_file.h"
#include "support/archives.h"

#include <QFrame>
#include <QListView>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

class ReadOnlyStart : public ProgramFixture
{
protected:
    QStringList titles() const
    {
        QStringList out;
        const QAbstractItemModel* model = control<QListView>("DBLBresult")->model();
        for (int i = 0; i < model->rowCount(); ++i)
            out << model->index(i, 0).data().toString();
        return out;
    }
    void expectReadOnly() const
    {
        EXPECT_NE(main()->windowTitle().indexOf("  [SOLA LETTURA]"), -1);
        for (const char* name : {"DBAggRec", "DBCancRec", "MergeDB", "AddToDB", "Import"})
            EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
        EXPECT_TRUE(program.archive.model().protectedReason.has_value());
    }
};

} // namespace

// The archive on a disk that is not mounted: the link stays, nothing is created at its target,
// and the program says why it cannot write.
TEST_F(ReadOnlyStart, ADanglingLinkIsNotAFirstStart)
{
    writeConfig();
    const fs::path target = folder / "disco" / "films.txt";
    fs::create_symlink(target, folder / "films.txt");
    start();
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[0], "error: Il collegamento punta a un file che non c'\xE8:\n" + (folder / "films.txt").string() +
                                  " -> " + target.string());
    EXPECT_EQ(dialogs.log[1], std::string("warning: ") + kProtectedArchiveNotice);
    expectReadOnly();
    EXPECT_TRUE(fs::is_symlink(folder / "films.txt"));
    EXPECT_EQ(fs::read_symlink(folder / "films.txt"), target);
    EXPECT_FALSE(fs::exists(folder / "disco"));
}

// A second copy on the same data folder opens the archive to browse it, and never overwrites
// what the first copy saves.
TEST_F(ReadOnlyStart, ASecondCopyOfTheProgramOpensTheArchiveReadOnly)
{
    writeConfig();
    folder.write("films.txt", archiveLines({archivedFilm("ALIEN.MPG"), archivedFilm("MATRIX.AVI")}));
    int command[2], answer[2];
    ASSERT_EQ(::pipe(command), 0);
    ASSERT_EQ(::pipe(answer), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        // The first copy: holds the folder, and adds a film when told.
        ::close(command[1]);
        FolderLock lock(folder / kLockFileName);
        char c = lock.state() == FolderLock::State::Held ? 'H' : 'x';
        (void)!::write(answer[1], &c, 1);
        while (::read(command[0], &c, 1) == 1) {
            ScriptedDialogs quiet;
            ArchiveModel archive;
            LoadArchive(archive, (folder / "films.txt").string(), kItalian, quiet);
            archive.ArchiveTable.edit(++archive.ArchiveCount) = archivedFilm("ZORRO.DIVX");
            SaveArchive(archive, (folder / "films.txt").string(), kItalian);
            c = 'S';
            (void)!::write(answer[1], &c, 1);
        }
        ::_exit(0);
    }
    ::close(command[0]);
    ::close(answer[1]);
    char reply = 0;
    ASSERT_EQ(::read(answer[0], &reply, 1), 1);
    ASSERT_EQ(reply, 'H');

    start();
    EXPECT_EQ(dialogs.log, std::vector<std::string>{std::string("warning: ") + kLockedArchiveNotice});
    expectReadOnly();
    EXPECT_TRUE(control<QFrame>("FILTRI")->isEnabled()) << "browsing stays";
    EXPECT_EQ(titles(), (QStringList{"ALIEN.MPG", "MATRIX.AVI"}));

    char save = 's';
    ASSERT_EQ(::write(command[1], &save, 1), 1);
    ASSERT_EQ(::read(answer[0], &reply, 1), 1);
    const std::string saved = archiveLines({archivedFilm("ALIEN.MPG"), archivedFilm("MATRIX.AVI"), archivedFilm("ZORRO.DIVX")});
    EXPECT_EQ(folder.read("films.txt"), saved);
    // This copy's own view of the archive can no longer reach the file.
    EXPECT_THROW(SaveArchive(program.archive.model(), program.settings.ArchivePath, kItalian), UserError);
    EXPECT_EQ(folder.read("films.txt"), saved);

    // When the first copy ends, the next start is the one that writes.
    ::close(command[1]);
    ::waitpid(first, nullptr, 0);
    ::close(answer[0]);
    windows.reset();
    program.folderLock.reset();
    program.archive.model() = ArchiveModel{};
    dialogs.log.clear();
    start();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_FALSE(program.archive.model().protectedReason);
    EXPECT_EQ(main()->windowTitle().indexOf("SOLA LETTURA"), -1);
    EXPECT_EQ(program.archive.model().ArchiveCount, 3);
}

// An archive the start-up could not even create (its folder is gone) is not taken for a fresh,
// writable one.
TEST_F(ReadOnlyStart, AnArchiveThatCannotBeCreatedStartsReadOnly)
{
    program.dataFolder = folder / "manca";
    program.helpFolders = {folder.path()};
    dialogs.inputAnswers = {std::string("Gino")};
    windows = std::make_unique<ProgramWindows>(program, dialogs);
    const std::string archive = (folder / "manca" / "films.txt").string();
    ASSERT_GE(dialogs.log.size(), 3u);
    const std::vector<std::string> last(dialogs.log.end() - 3, dialogs.log.end());
    EXPECT_EQ(last, (std::vector<std::string>{"warning: File archivio non trovato.\n Lo creo vuoto.",
                                              "error: File not found\n" + archive,
                                              std::string("warning: ") + kProtectedArchiveNotice}));
    expectReadOnly();
    EXPECT_FALSE(control<QFrame>("DATIDB")->isEnabled());
}

// What saves killed half-way left goes at the start of the copy that writes, and only there: a
// second copy's start-up could take the temporary of a save the first copy is making.
class Leftovers : public ReadOnlyStart
{
protected:
    const std::vector<std::string> leftovers = {"films.txt.tmp-Qx81Lm", "films.txt.bak-4242-1"};

    void SetUp() override
    {
        writeConfig();
        folder.write("films.txt", archiveLines({archivedFilm("ALIEN.MPG")}));
        for (const std::string& name : leftovers)
            folder.write(name, archiveLines({archivedFilm("ALIEN.MPG")}));
        folder.write("films.txt.tmp", "mio");
    }
    void expectLeftovers(bool kept)
    {
        for (const std::string& name : leftovers)
            EXPECT_EQ(fs::exists(folder / name), kept) << name;
        EXPECT_EQ(folder.read("films.txt.tmp"), "mio");
        EXPECT_EQ(program.archive.model().ArchiveCount, 1);
    }
};

TEST_F(Leftovers, TheCopyThatWritesRemovesThemAtStart)
{
    start();
    EXPECT_TRUE(dialogs.log.empty());
    expectLeftovers(false);
}

TEST_F(Leftovers, ASecondCopyLeavesThem)
{
    const FolderLock first(folder / kLockFileName);
    ASSERT_EQ(first.state(), FolderLock::State::Held);
    start();
    EXPECT_EQ(dialogs.log, std::vector<std::string>{std::string("warning: ") + kLockedArchiveNotice});
    expectLeftovers(true);
}
