#include "archive/archive_file.h"
#include "archive/archive_line.h"

#include "base/dates.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "support/archives.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <new>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

dfilm film(const std::string& title)
{
    dfilm r = archivedFilm(title);
    r.trama = "Trama di " + title;
    return r;
}

// A disk that fails while the archive is read.
struct FailingDisk : files::Reader
{
    std::function<void()> fault;
    std::unique_ptr<files::OwnBytes> readAll(const fs::path&) const override
    {
        fault();
        return nullptr;
    }
};

mode_t modeOf(const fs::path& p)
{
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

// Runs body in a child process and returns its exit code (or 128 + the signal).
template <typename Body>
int inChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

// However the read of an existing archive fails, the program starts read-only: an empty archive
// in memory must never be saved over a large films.txt.
TEST(ArchiveSafety, AnyFailureOfTheReadProtectsTheArchive)
{
    const struct {
        const char* name;
        std::function<void()> fault;
        std::string error;
    } cases[] = {
        {"memory exhausted", [] { throw std::bad_alloc(); }, "Out of memory"},
        {"thread that cannot start",
         [] { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); },
         std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)).what()},
        {"anything thrown", [] { throw 42; }, "Errore imprevisto nella lettura dell'archivio"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const std::string path = (dir / "films.txt").string();
        const std::string contents = archiveLines({film("A.AVI"), film("B.AVI"), film("C.AVI")});
        dir.write("films.txt", contents);
        ScriptedDialogs dialogs;
        ArchiveModel m;
        FailingDisk disk;
        disk.fault = c.fault;
        const LoadResult result = LoadArchive(m, path, kItalian, dialogs, nullptr, disk);
        EXPECT_EQ(result.outcome, LoadResult::Outcome::Damaged);
        EXPECT_EQ(result.error, c.error + "\n" + path);
        ASSERT_TRUE(m.protectedReason);
        EXPECT_EQ(m.ArchiveCount, 0);
        EXPECT_TRUE(dialogs.log.empty());
        EXPECT_THROW(SaveArchive(m, path, kItalian), UserError);
        EXPECT_EQ(dir.read("films.txt"), contents);
    }
}

// Only "no such file" is a first start. An archive behind a dangling link (a disk not mounted)
// or in a folder that cannot be searched is left as it is, and the archive is protected.
TEST(ArchiveSafety, OnlyAFileThatIsNotThereCountsAsMissing)
{
    TempFolder dir;
    fs::create_directory(dir / "disco");
    const fs::path target = dir / "disco" / "archivio.txt";
    fs::create_symlink(target, dir / "films.txt");
    ScriptedDialogs dialogs;
    ArchiveModel m;
    const LoadResult result = LoadArchive(m, (dir / "films.txt").string(), kItalian, dialogs);
    EXPECT_EQ(result.outcome, LoadResult::Outcome::Damaged);
    EXPECT_EQ(result.error, "Il collegamento punta a un file che non c'\xE8:\n" + (dir / "films.txt").string() +
                                " -> " + target.string());
    EXPECT_TRUE(dialogs.log.empty()) << "no 'creating it empty' warning";
    EXPECT_TRUE(fs::is_symlink(dir / "films.txt"));
    EXPECT_EQ(fs::read_symlink(dir / "films.txt"), target);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_THROW(SaveArchive(m, (dir / "films.txt").string(), kItalian), UserError);
    EXPECT_FALSE(fs::exists(target));

    // A folder the user may not search: root may search any, so the check runs as nobody.
    TempFolder home;
    fs::permissions(home.path(), fs::perms::all);
    const fs::path data = home / "dati";
    fs::create_directory(data);
    const std::string contents = archiveLines({film("A.AVI")});
    home.write("dati/films.txt", contents);
    fs::permissions(data, fs::perms::owner_read | fs::perms::owner_write);
    const int code = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        ScriptedDialogs childDialogs;
        ArchiveModel child;
        const LoadResult r = LoadArchive(child, (data / "films.txt").string(), kItalian, childDialogs);
        if (r.outcome != LoadResult::Outcome::Damaged || !child.protectedReason || !childDialogs.log.empty())
            return 1;
        return r.error == "File access denied\n" + (data / "films.txt").string() ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    fs::permissions(data, fs::perms::owner_all);
    EXPECT_EQ(home.read("dati/films.txt"), contents);
    EXPECT_EQ(fs::directory_iterator(data)->path().filename(), "films.txt");
}

// A save replaces the file it is aimed at and nothing else.
TEST(ArchiveSafety, SavesFollowLinksKeepTheModeAndLeaveOtherFilesAlone)
{
    TempFolder dir;
    fs::create_directory(dir / "disco");
    const fs::path real = dir / "disco" / "archivio.txt";
    dir.write("disco/archivio.txt", archiveLines({film("OLD.AVI")}));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("disco/archivio.txt", dir / "films.txt"); // a relative link
    dir.write("films.txt.tmp", "the user's own file");

    const std::string path = (dir / "films.txt").string();
    SaveArchive(archiveOf({film("A.AVI"), film("B.AVI")}), path, kItalian);
    EXPECT_TRUE(fs::is_symlink(dir / "films.txt"));
    EXPECT_EQ(dir.read("disco/archivio.txt"), archiveLines({film("A.AVI"), film("B.AVI")}));
    EXPECT_EQ(modeOf(real), 0640u);
    EXPECT_EQ(dir.read("films.txt.tmp"), "the user's own file");
    // The replaced archive stays beside the file that was replaced.
    EXPECT_EQ(dir.read("disco/archivio.txt.bak"), archiveLines({film("OLD.AVI")}));

    // A second save still reaches the target through the link.
    SaveArchive(archiveOf({film("C.AVI")}), path, kItalian);
    EXPECT_EQ(dir.read("disco/archivio.txt"), archiveLines({film("C.AVI")}));
    EXPECT_EQ(dir.read("disco/archivio.txt.bak"), archiveLines({film("A.AVI"), film("B.AVI")}));

    // A new file gets the usual rights of a new file.
    const mode_t mask = ::umask(027);
    SaveArchive(archiveOf({film("D.AVI")}), (dir / "nuovo.txt").string(), kItalian);
    ::umask(mask);
    EXPECT_EQ(modeOf(dir / "nuovo.txt"), 0640u);
    for (const auto& entry : fs::directory_iterator(dir / "disco"))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

// Two saves under way at once each write a file of their own; the later rename wins whole.
TEST(ArchiveSafety, TwoSavesAtOnceNeverMixTheirBytes)
{
    TempFolder dir;
    const fs::path path = dir / "Zenfo_conf.CFG";
    const std::string a(100000, 'a'), b(100000, 'b');
    files::AtomicWriter first(path), second(path);
    for (int i = 0; i < 10; ++i) {
        first.write(std::string_view(a).substr(0, 10000));
        second.write(std::string_view(b).substr(0, 10000));
    }
    first.commit();
    EXPECT_EQ(dir.read("Zenfo_conf.CFG"), a);
    second.commit();
    EXPECT_EQ(dir.read("Zenfo_conf.CFG"), b);
}

// Every change keeps the archive as it was before it: one step back for a record deleted or
// overwritten by mistake.
TEST(ArchiveSafety, TheArchiveBeforeTheLastChangeStaysAsFilmsTxtBak)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    SaveArchive(archiveOf({film("A.AVI")}), path, kItalian);
    EXPECT_FALSE(fs::exists(dir / "films.txt.bak")) << "nothing was replaced";
    SaveArchive(archiveOf({film("A.AVI"), film("B.AVI")}), path, kItalian);
    EXPECT_EQ(dir.read("films.txt.bak"), archiveLines({film("A.AVI")}));
    // The backup is the old file itself, not the new one under a second name.
    EXPECT_FALSE(files::sameFile(dir / "films.txt", dir / "films.txt.bak"));
    SaveArchive(archiveOf({film("B.AVI")}), path, kItalian);
    EXPECT_EQ(dir.read("films.txt.bak"), archiveLines({film("A.AVI"), film("B.AVI")}));
    EXPECT_EQ(dir.read("films.txt"), archiveLines({film("B.AVI")}));

    // A save that stopped between the two names left the backup as a second name of the
    // archive itself: the next save still keeps the right one and leaves nothing behind.
    fs::remove(dir / "films.txt.bak");
    fs::create_hard_link(dir / "films.txt", dir / "films.txt.bak");
    SaveArchive(archiveOf({film("C.AVI")}), path, kItalian);
    EXPECT_EQ(dir.read("films.txt.bak"), archiveLines({film("B.AVI")}));
    EXPECT_EQ(dir.read("films.txt"), archiveLines({film("C.AVI")}));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"films.txt", "films.txt.bak"}));
    SaveArchive(archiveOf({film("A.AVI"), film("B.AVI")}), path, kItalian);

    // Going back is a rename: the backup loads as the archive it was.
    fs::rename(dir / "films.txt.bak", dir / "films.txt");
    ScriptedDialogs dialogs;
    ArchiveModel m;
    LoadArchive(m, path, kItalian, dialogs);
    ASSERT_EQ(m.ArchiveCount, 1);
    EXPECT_EQ(m.ArchiveTable.row(1).titolo, "C.AVI");
}

// The lock belongs to the process holding it: a second process is refused while the first
// lives, and gets it as soon as the first ends, however it ends.
TEST(ArchiveSafety, OneProcessAtATimeHoldsTheDataFolder)
{
    TempFolder dir;
    const fs::path lockFile = dir / kLockFileName;
    int toChild[2], fromChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(fromChild), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        FolderLock lock(lockFile);
        const char state = lock.state() == FolderLock::State::Held ? 'H' : 'x';
        (void)!::write(fromChild[1], &state, 1);
        char never;
        (void)!::read(toChild[0], &never, 1); // held until killed
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(fromChild[0], &state, 1), 1);
    EXPECT_EQ(state, 'H');
    EXPECT_EQ(inChild([&] { return static_cast<int>(FolderLock(lockFile).state()); }),
              static_cast<int>(FolderLock::State::HeldByOther));
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    EXPECT_EQ(inChild([&] { return static_cast<int>(FolderLock(lockFile).state()); }),
              static_cast<int>(FolderLock::State::Held));
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
        ::close(fd);
}

// Whatever record the program can hold, the line it writes loads again: dates at and beyond
// the ends of the range a reader accepts, and every number at the ends of its range.
TEST(ArchiveSafety, EveryRecordTheProgramWritesLoadsAgain)
{
    const double first = dates::firstDate(), last = dates::lastDate();
    const struct {
        const char* name;
        double dataa;
        double dimmb;
        std::int32_t riservato;
        double loadedDate;
    } cases[] = {
        {"first day", first, 0, 0, first},
        {"last moment", last, 0, 0, dates::encode({9999, 12, 31})},
        {"five-digit year", dates::encode({9999, 12, 31}) + 3.0e6, 0, 0, dates::encode({9999, 12, 31})},
        {"before year one", first - 1000, 0, 0, first},
        {"zero date", 0, 0, 0, 0},
        {"largest file", dates::encode({2026, 12, 10}), 9223372036854.775807, INT32_MAX, dates::encode({2026, 12, 10})},
        {"one byte", dates::encode({2026, 12, 10}), 0.000001, INT32_MIN, dates::encode({2026, 12, 10})},
        {"fraction digits", dates::encode({2026, 12, 10}), 734.00320000000001, -1, dates::encode({2026, 12, 10})},
        {"largest double", dates::encode({2026, 12, 10}), 1.7976931348623157e308, 0, dates::encode({2026, 12, 10})},
        {"smallest double", dates::encode({2026, 12, 10}), 4.9406564584124654e-324, 0, dates::encode({2026, 12, 10})},
    };
    RegionalSettings us = kItalian;
    us.shortDateFormat = "M/d/yyyy";
    us.decimalSeparator = '.';
    for (const RegionalSettings& rs : {kItalian, us})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " " + rs.shortDateFormat);
            dfilm r = film("A.AVI");
            r.dataa = c.dataa;
            r.dimmb = c.dimmb;
            r.riservato = c.riservato;
            const std::string line = archiveline::format(r, rs);
            dfilm back;
            ASSERT_NO_THROW(archiveline::parse(line, rs, back)) << line;
            EXPECT_EQ(back.dataa, c.loadedDate) << line;
            EXPECT_EQ(back.riservato, c.riservato);
            EXPECT_NEAR(back.dimmb, c.dimmb, std::abs(c.dimmb) * 1e-14 + 1e-320) << line;
            EXPECT_EQ(archiveline::format(back, rs), line) << "a second save changes nothing";
        }
}

// File times from a clock gone wrong stay within the years the archive can hold.
TEST(ArchiveSafety, FileTimesBeyondTheDateRangeAreTakenAtItsEnds)
{
    const struct {
        long long seconds;
        double expected;
    } cases[] = {
        {253402300800LL * 3, dates::lastDate()},         // year 30000
        {LLONG_MAX, dates::lastDate()},
        {-62135596800LL * 2, dates::firstDate()},        // before year one
        {LLONG_MIN, dates::firstDate()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files::localOleTime(c.seconds, 0), c.expected) << c.seconds;
    const dates::Civil ordinary = dates::decode(files::localOleTime(1765000000, 0));
    EXPECT_EQ(ordinary.year, 2025);
}
