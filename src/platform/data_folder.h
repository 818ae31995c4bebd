#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace datafolder {

// The folder of the running executable.
std::filesystem::path executableFolder();

// Where the program keeps films.txt and its configuration: the folder given on the command line,
// else the executable's folder when it is writable, else $XDG_DATA_HOME/pellicorio (created).
std::filesystem::path choose(const std::optional<std::string>& commandLineFolder);

} // namespace datafolder
