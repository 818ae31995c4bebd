#pragma once

#include <filesystem>
#include <string>

// The program's own settings beside Zenfo_conf.CFG (whose format stays as it is): the lookup's
// source and the TMDb key. Written atomically, readable by the owner only.
namespace programini {

inline constexpr const char* kFileName = "pellicorio.ini";

// The drop-down's items, in order; the first is chosen at the first start.
inline constexpr const char* kSources[] = {"FilmUP", "TMDb", "Wikipedia"};

struct Values
{
    std::string source = kSources[0];
    // Printable ASCII only.
    std::string tmdbKey;
};

struct Loaded
{
    Values values;
    // Empty, or why the file could not be used, as the text to show the user once; the values are
    // then the defaults, and the file stays as it is until the next write.
    std::string problem;
};

// A missing file gives the defaults and no problem.
Loaded read(const std::filesystem::path& dataFolder);
// Throws UserError when the file cannot be written.
void write(const std::filesystem::path& dataFolder, const Values& values);

} // namespace programini
