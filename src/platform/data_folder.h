#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace datafolder {

// The folder of the running executable.
std::filesystem::path executableFolder();

// Where the program keeps films.txt and its configuration: the folder given on the command line,
// else the executable's folder when it is writable, else $XDG_DATA_HOME/pellicorio (created).
std::filesystem::path choose(const std::optional<std::string>& commandLineFolder);

// Where the help document is looked for, in order: the current folder (left out when it no
// longer exists), the data folder, the executable's folder.
std::vector<std::filesystem::path> helpFolders(const std::filesystem::path& dataFolder);

} // namespace datafolder
