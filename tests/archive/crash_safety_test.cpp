#include "archive/archive_file.h"

#include "base/dates.h"
#include "platform/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

ArchiveModel archiveOf(int count, char fill)
{
    ArchiveModel m;
    for (int i = 1; i <= count; ++i) {
        dfilm& r = m.ArchiveTable.edit(i);
        r.titolo = "TITOLO " + std::to_string(i) + ".AVI";
        r.genere = "COMMEDIA";
        r.posizione = "Gino-DVD" + std::to_string(i % 40);
        r.dataa = dates::encode({2006, 1 + i % 12, 1 + i % 28});
        r.dimmb = i * 1.25;
        r.trama = std::string(200 + i % 150, fill);
        ++m.ArchiveCount;
    }
    return m;
}

} // namespace

// A save killed at any moment leaves films.txt as the old or the new archive, whole.
TEST(ArchiveCrashSafety, KilledSavesNeverTearTheFile)
{
    TempFolder dir;
    const std::string path = (dir / "films.txt").string();
    const ArchiveModel a = archiveOf(20000, 'a');
    const ArchiveModel b = archiveOf(21000, 'b');
    const std::string bytesA = formatArchive(a.ArchiveTable, a.ArchiveCount, kItalian);
    const std::string bytesB = formatArchive(b.ArchiveTable, b.ArchiveCount, kItalian);
    SaveArchive(a, path, kItalian);

    const auto started = std::chrono::steady_clock::now();
    SaveArchive(a, path, kItalian);
    const auto saveMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - started).count();

    std::mt19937 random(20261210);
    std::uniform_int_distribution<long> delay(0, 3 * std::max<long>(saveMicros, 1000));
    int interrupted = 0;
    const int kills = 120;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (bool useB = true;; useB = !useB)
                SaveArchive(useB ? b : a, path, kItalian);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        // A killed save leaves its own temporary behind, and nothing else.
        bool leftTemporary = false;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename().string().rfind("films.txt.tmp-", 0) == 0) {
                leftTemporary = true;
                std::filesystem::remove(entry.path());
            }
        interrupted += leftTemporary;
        const std::string now = dir.read("films.txt");
        ASSERT_TRUE(now == bytesA || now == bytesB)
            << "kill " << k << " left " << now.size() << " bytes (old " << bytesA.size() << ", new "
            << bytesB.size() << ")";
    }
    // The kills must have caught saves in the middle, or the test proves nothing.
    EXPECT_GT(interrupted, kills / 10);
}

namespace {

// The names a save of films.txt makes for itself, and names that only look like them.
bool isLeftover(const std::string& name)
{
    return name.rfind("films.txt.tmp-", 0) == 0 || name.rfind("films.txt.bak-", 0) == 0 ||
           name.rfind("archivio.txt.tmp-", 0) == 0 || name.rfind("archivio.txt.bak-", 0) == 0;
}

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        names.insert(std::filesystem::relative(entry.path(), folder).string());
    return names;
}

bool isRenameStep(long long nr)
{
    for (const long step :
         {SYS_rename, SYS_renameat, SYS_renameat2, SYS_link, SYS_linkat, SYS_unlink, SYS_unlinkat})
        if (nr == step)
            return true;
    return false;
}

// Runs save in a child traced by the test and kills it for good at the n-th entry to or exit from
// a rename, link or unlink of its own (counted from 0). False when the save ended before.
bool killAtRenameStep(int n, const std::function<void()>& save)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            ::_exit(3);
        ::raise(SIGSTOP);
        save();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) {
        ADD_FAILURE() << "the save could not be traced (ptrace refused)";
        return false;
    }
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int seen = 0, signal = 0;
    long long call = -1;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, child, nullptr, signal);
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            return false;
        }
        signal = 0;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status);
            continue;
        }
        __ptrace_syscall_info info{};
        ::ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
        if (info.op == PTRACE_SYSCALL_INFO_ENTRY)
            call = static_cast<long long>(info.entry.nr);
        if (isRenameStep(call) && seen++ == n) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return true;
        }
    }
}

} // namespace

// A save killed before, between or after its renames leaves its temporary or its staged backup;
// the start-up of the copy that writes takes them away, and nothing else.
TEST(ArchiveCrashSafety, LeftoversOfASaveKilledAtEachRenameAreRemoved)
{
    const ArchiveModel a = archiveOf(50, 'a');
    const ArchiveModel b = archiveOf(60, 'b');
    const std::string bytesA = formatArchive(a.ArchiveTable, a.ArchiveCount, kItalian);
    const std::string bytesB = formatArchive(b.ArchiveTable, b.ArchiveCount, kItalian);
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "films.txt a link to disco/archivio.txt" : "films.txt a file");
        int steps = 0;
        std::set<std::string> kinds;
        for (int n = 0;; ++n) {
            TempFolder dir;
            const std::filesystem::path path = dir / "films.txt";
            const std::filesystem::path saved = linked ? dir / "disco" / "archivio.txt" : path;
            if (linked) {
                std::filesystem::create_directory(dir / "disco");
                std::filesystem::create_symlink("disco/archivio.txt", path);
            }
            SaveArchive(a, path.string(), kItalian);
            SaveArchive(a, path.string(), kItalian);
            // Files of the user's own, beside the archive and beside the link's target.
            const std::filesystem::path folder = saved.parent_path();
            const std::string base = saved.filename().string();
            for (const std::string& own : std::vector<std::string>{
                     base + ".tmp", base + ".tmp-ABC", base + ".tmp-ABCDEFG", base + ".bak-1",
                     base + ".bak-12-3x", "altro.txt.tmp-ABCDEF", base + "x.tmp-ABCDEF"})
                std::ofstream(folder / own) << "mio";
            std::filesystem::create_directory(folder / (base + ".tmp-CARTEL"));
            std::filesystem::create_symlink(base, folder / (base + ".bak-7-7"));
            const std::set<std::string> before = namesIn(dir.path());

            if (!killAtRenameStep(n, [&] { SaveArchive(b, path.string(), kItalian); }))
                break;
            ++steps;
            for (const std::string& name : namesIn(dir.path()))
                if (!before.count(name)) {
                    ASSERT_TRUE(isLeftover(std::filesystem::path(name).filename().string())) << name;
                    kinds.insert(name.find(".tmp-") != std::string::npos ? "temporary" : "staged backup");
                }
            files::removeSaveLeftovers(path);
            EXPECT_EQ(namesIn(dir.path()), before) << "killed at step " << n;
            const std::string now = dir.read(linked ? "disco/archivio.txt" : "films.txt");
            EXPECT_TRUE(now == bytesA || now == bytesB) << "killed at step " << n;
        }
        // The link, its rename, the unlink of the staged name and the rename over the archive,
        // each entered and left.
        EXPECT_EQ(steps, 8);
        EXPECT_EQ(kinds, (std::set<std::string>{"temporary", "staged backup"}));
    }
}

// The removal knows the names a save makes exactly: a name that only resembles one stays.
TEST(ArchiveCrashSafety, OnlyTheNamesASaveMakesCountAsLeftovers)
{
    const struct
    {
        const char* name;
        bool removed;
    } cases[] = {
        {"films.txt.tmp-Ab3dE9", true},
        {"films.txt.bak-4242-17", true},
        {"films.txt.bak.tmp-Zz09aB", true}, // the temporary of a copied backup
        {"films.txt.tmp", false},
        {"films.txt.tmp-", false},
        {"films.txt.tmp-Ab3dE", false},
        {"films.txt.tmp-Ab3dE9x", false},
        {"films.txt.tmp-Ab3_E9", false},
        {"films.txt.bak", false},
        {"films.txt.bak-4242", false},
        {"films.txt.bak-4242-", false},
        {"films.txt.bak--17", false},
        {"films.txt.bak-42a-17", false},
        {"FILMS.TXT.tmp-Ab3dE9", false},
        {"film.txt.tmp-Ab3dE9", false},
        {"Zenfo_conf.CFG.tmp-Ab3dE9", false},
    };
    TempFolder dir;
    dir.write("films.txt", "");
    for (const auto& c : cases)
        dir.write(c.name, "x");
    files::removeSaveLeftovers(dir / "films.txt");
    for (const auto& c : cases)
        EXPECT_EQ(std::filesystem::exists(dir / c.name), !c.removed) << c.name;
    EXPECT_TRUE(std::filesystem::exists(dir / "films.txt"));
}
