#include "archive/archive_line.h"
#include "base/dates.h"
#include "platform/data_folder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs the real program in a current folder that has been removed; returns how it ended, or
// "running" when it was still up after the wait.
std::string runInRemovedFolder(const fs::path& dataFolder)
{
    TempFolder gone;
    const fs::path cwd = gone / "rimossa";
    fs::create_directory(cwd);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(cwd.c_str()) != 0 || ::rmdir(cwd.c_str()) != 0)
            ::_exit(90);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(PELLICORIO_EXE, PELLICORIO_EXE, dataFolder.c_str(), static_cast<char*>(nullptr));
        ::_exit(91);
    }
    int status = 0;
    // Long enough for the start-up under the sanitizers; the program then waits for the user.
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? "exit " + std::to_string(WEXITSTATUS(status))
                                     : "signal " + std::to_string(WTERMSIG(status));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return "running";
}

} // namespace

TEST(ProgramProcess, AMissingCurrentFolderDoesNotEndTheProgram)
{
    TempFolder data;
    const std::string folder = data.text();
    data.write("Zenfo_conf.CFG", "4.4.0\r\n" + folder + "\r\n" + folder + "copertine/\r\n" + folder +
                                     "copertine/\r\n" + folder + "locandine/\r\nGino\r\n\r\n\r\n\r\n\r\n");
    dfilm r;
    r.titolo = "MATRIX.AVI";
    r.dataa = dates::encode({2005, 3, 1});
    data.write("films.txt", archiveline::format(r, RegionalSettings::italian()) + "\r\n");
    EXPECT_EQ(runInRemovedFolder(data.path()), "running");
    EXPECT_EQ(data.read("films.txt"), archiveline::format(r, RegionalSettings::italian()) + "\r\n");

    // Where the help document is looked for then: the folders that still exist.
    int code = -1;
    const pid_t child = ::fork();
    if (child == 0) {
        TempFolder gone;
        fs::create_directory(gone / "x");
        if (::chdir((gone / "x").c_str()) != 0 || ::rmdir((gone / "x").c_str()) != 0)
            ::_exit(90);
        const auto folders = datafolder::helpFolders(data.path());
        ::_exit(folders.size() == 2 && folders[0] == data.path() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_EQ(code, 0);
}
