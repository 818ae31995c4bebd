#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace datafolder {

// The folder of the running executable.
std::filesystem::path executableFolder();

// Where an installed copy finds its shared files (share/pellicorio beside bin/), for the
// executable in exeFolder; the path is returned whether or not it exists.
std::filesystem::path installedDataFolder(const std::filesystem::path& exeFolder);

// Where the program keeps films.txt and its configuration: the folder given on the command line,
// else the executable's folder when it is writable and not an installed bin/ folder (the
// portable layout), else $XDG_DATA_HOME/pellicorio (created).
std::filesystem::path choose(const std::optional<std::string>& commandLineFolder);
std::filesystem::path choose(const std::optional<std::string>& commandLineFolder,
                             const std::filesystem::path& exeFolder);

// Where the help document is looked for, in order: the current folder (left out when it no
// longer exists), the data folder, the executable's folder, the installed shared folder (when
// there is one).
std::vector<std::filesystem::path> helpFolders(const std::filesystem::path& dataFolder);
std::vector<std::filesystem::path> helpFolders(const std::filesystem::path& dataFolder,
                                               const std::filesystem::path& exeFolder);

} // namespace datafolder
