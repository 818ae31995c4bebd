#include "archive/archive_file.h"

#include "base/dates.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
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
