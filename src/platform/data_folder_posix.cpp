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

fs::path choose(const std::optional<std::string>& commandLineFolder)
{
    std::error_code ec;
    if (commandLineFolder && !commandLineFolder->empty()) {
        fs::path folder = fs::absolute(*commandLineFolder, ec);
        fs::create_directories(folder, ec);
        return folder;
    }
    const fs::path exeFolder = executableFolder();
    if (::access(exeFolder.c_str(), W_OK) == 0)
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
    std::vector<fs::path> folders;
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    if (!ec)
        folders.push_back(current);
    folders.push_back(dataFolder);
    folders.push_back(executableFolder());
    return folders;
}

} // namespace datafolder
