#include "data_folder.h"

#include <cstdlib>
#include <unistd.h>

namespace datafolder {

namespace fs = std::filesystem;

fs::path executableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

fs::path installedDataFolder(const fs::path& exeFolder)
{
    return (exeFolder / PELLICORIO_DATA_FROM_BIN).lexically_normal();
}

fs::path choose(const std::optional<std::string>& commandLineFolder)
{
    return choose(commandLineFolder, executableFolder());
}

fs::path choose(const std::optional<std::string>& commandLineFolder, const fs::path& exeFolder)
{
    std::error_code ec;
    if (commandLineFolder && !commandLineFolder->empty()) {
        fs::path folder = fs::absolute(*commandLineFolder, ec);
        fs::create_directories(folder, ec);
        return folder;
    }
    // A copy installed in a prefix the user may write (~/.local) must not keep its archive in bin/.
    const bool installed = fs::is_directory(installedDataFolder(exeFolder), ec);
    if (!installed && ::access(exeFolder.c_str(), W_OK) == 0)
        return exeFolder;
    fs::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path(ec);
    const fs::path folder = base / "pellicorio";
    fs::create_directories(folder, ec);
    return folder;
}

std::vector<fs::path> helpFolders(const fs::path& dataFolder)
{
    return helpFolders(dataFolder, executableFolder());
}

std::vector<fs::path> helpFolders(const fs::path& dataFolder, const fs::path& exeFolder)
{
    std::vector<fs::path> folders;
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    if (!ec)
        folders.push_back(current);
    folders.push_back(dataFolder);
    folders.push_back(exeFolder);
    if (const fs::path shared = installedDataFolder(exeFolder); fs::is_directory(shared, ec))
        folders.push_back(shared);
    return folders;
}

} // namespace datafolder
